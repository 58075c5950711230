#include "PropertyBag.h"

#include <QPixmap>

namespace ardl {

namespace {

bool IsNone(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.metaType() == QMetaType::fromType<QPixmap>() && value.value<QPixmap>().isNull();
}

bool IsDefault(const QVariant &value, const QVariant &defaultValue)
{
    if (!defaultValue.isValid())
        return IsNone(value);
    return value == defaultValue;
}

} // namespace

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    for (const auto &[key, value] : m_values) {
        if (key == name)
            return value;
    }
    return defaultValue;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    m_values.removeIf([&](const auto &entry) { return entry.first == name; });
    if (!IsDefault(value, defaultValue))
        m_values.append({name, value});
}

bool PropertyBag::Contains(const QString &name) const
{
    return std::any_of(m_values.begin(), m_values.end(),
                       [&](const auto &entry) { return entry.first == name; });
}

QStringList PropertyBag::Names() const
{
    QStringList names;
    for (const auto &entry : m_values)
        names << entry.first;
    return names;
}

} // namespace ardl
