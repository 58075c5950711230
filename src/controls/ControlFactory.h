#pragma once

#include <QString>
#include <QStringList>
#include <QtPlugin>

class QWidget;

namespace ardl {

// What the control library offers its host: controls made by class name.
// The program includes only this header; the controls themselves live in the
// plugin and are driven through their properties and signals by name.
class ControlFactory {
public:
    virtual ~ControlFactory() = default;

    // A new control of the class named `progId` ("Vostrane.CheckBoxWeb"),
    // owned by `parent`; nullptr for a name the library does not know.
    virtual QWidget *CreateControl(const QString &progId, QWidget *parent) = 0;
    // Every class name CreateControl knows.
    virtual QStringList ProgIds() const = 0;
};

} // namespace ardl

#define ARDL_CONTROL_FACTORY_IID "org.tolvern.Ardelune.ControlFactory/1.0"
Q_DECLARE_INTERFACE(ardl::ControlFactory, ARDL_CONTROL_FACTORY_IID)
