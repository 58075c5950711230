#include "RegValue.h"

namespace ardl {

RegValue RegValue::text(const QString &text)
{
    RegValue v;
    v.m_type = REG_SZ;
    v.m_text = text;
    return v;
}

RegValue RegValue::dword(qint32 number)
{
    RegValue v;
    v.m_type = REG_DWORD;
    v.m_number = number;
    return v;
}

bool RegValue::isEmpty() const
{
    return m_type == REG_NONE || (m_type == REG_SZ && m_text.isEmpty());
}

QString RegValue::toString() const
{
    switch (m_type) {
    case REG_SZ:
        return m_text;
    case REG_DWORD:
        return QString::number(m_number);
    default:
        return QString();
    }
}

qint32 RegValue::toInt(bool *ok) const
{
    bool parsed = false;
    qint32 result = 0;
    if (m_type == REG_DWORD) {
        parsed = true;
        result = m_number;
    } else if (m_type == REG_SZ) {
        result = m_text.trimmed().toInt(&parsed);
        if (!parsed)
            result = 0;
    }
    if (ok)
        *ok = parsed;
    return result;
}

} // namespace ardl
