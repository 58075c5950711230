#pragma once

#include <QString>
#include <QtGlobal>

namespace ardl {

// Value types of the settings store, numbered like their registry counterparts
// so that callers can pass the type codes they are used to.
enum RegType : int {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_DWORD = 4,
};

// One typed value of the settings store: nothing (a missing value), a text or
// a 32-bit number. A missing value reads as "" and as 0.
class RegValue {
public:
    RegValue() = default;
    static RegValue text(const QString &text);
    static RegValue dword(qint32 number);

    RegType type() const { return m_type; }
    bool isMissing() const { return m_type == REG_NONE; }
    // True for a missing value and for an empty text: what callers test as "".
    bool isEmpty() const;
    // The text, or the number in decimal, or "" when missing.
    QString toString() const;
    // The number, or the text read as a whole decimal number; 0 otherwise.
    qint32 toInt(bool *ok = nullptr) const;

    bool operator==(const RegValue &other) const = default;

private:
    RegType m_type = REG_NONE;
    QString m_text;
    qint32 m_number = 0;
};

} // namespace ardl
