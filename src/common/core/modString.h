#pragma once

#include <QString>
#include <QStringList>

#include <concepts>
#include <type_traits>

namespace ardl {

// One argument of FormatString turned into text.
struct FormatArg {
    QString text;
    FormatArg(const QString &s) : text(s) {}
    FormatArg(const char *s) : text(QString::fromUtf8(s)) {}
    template <std::integral T>
    FormatArg(T n) : text(QString::number(n)) {}
    FormatArg(double d) : text(QString::number(d, 'g', 15)) {}
};

// Fills the placeholders of `format` from left to right: "%s" or "%S" takes
// the argument whose number is the count of "%" pairs met so far (every pair
// counts, "%%" included); "%%" gives "%"; "%" with another character gives
// nothing; a "%" at the very end is dropped. Missing arguments are empty.
QString FormatStringList(const QString &format, const QStringList &args);

template <typename... Args>
QString FormatString(const QString &format, const Args &...args)
{
    static_assert(sizeof...(Args) <= 5, "FormatString takes at most five arguments");
    return FormatStringList(format, QStringList{FormatArg(args).text...});
}

// Upper-cases the first letter of each word and lower-cases the rest. A word
// starts after any character that is not a letter (accented letters are
// letters): "o'neil" gives "O'Neil", "a1b" gives "A1B".
QString ProperCase(const QString &text);

} // namespace ardl
