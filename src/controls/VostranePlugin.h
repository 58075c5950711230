#pragma once

#include "controls/ControlFactory.h"

#include <QObject>

namespace ardl {

// The entry point of the control library: makes its controls by class name.
class VostranePlugin : public QObject, public ControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.tolvern.Ardelune.ControlFactory/1.0" FILE "vostrane.json")
    Q_INTERFACES(ardl::ControlFactory)
public:
    QWidget *CreateControl(const QString &progId, QWidget *parent) override;
    QStringList ProgIds() const override;
};

} // namespace ardl
