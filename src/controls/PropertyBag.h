#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

namespace ardl {

// The saved properties of a control, in the order the control wrote them.
// A value equal to its default is not stored, and reading a name that is not
// stored gives the default, so a control saved with defaults only comes back
// the same.
class PropertyBag {
public:
    // The stored value of `name`, or `defaultValue` when none is stored.
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;
    // Stores `value` under `name` unless it equals `defaultValue`; an invalid
    // default means "none", which a null picture also equals.
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});

    bool Contains(const QString &name) const;
    // The stored names in the order they were written.
    QStringList Names() const;

private:
    QList<std::pair<QString, QVariant>> m_values;
};

} // namespace ardl
