#include "modGlobal.h"

#include "ErrorReport.h"

#include <QLocale>

#include <cmath>

namespace ardl {

QChar GetDecimalSeparator()
{
    const QString sep = QLocale::system().decimalPoint();
    return sep.isEmpty() ? QChar(u'.') : sep.front();
}

qsizetype BInStr(const QString &text, const QString &ch)
{
    if (ch.size() != 1)
        return 0;
    return text.lastIndexOf(ch.front()) + 1;
}

QString TrimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString sListPos(const QString &text, const QString &delimiter, qsizetype n)
{
    if (n < 1 || delimiter.isEmpty())
        return QString();
    QString rest = text;
    for (;; --n) {
        const qsizetype p = rest.indexOf(delimiter);
        if (n == 1)
            return TrimSpaces(p < 0 ? rest : rest.left(p));
        if (p < 0)
            return QString();
        rest = TrimSpaces(rest.mid(p + delimiter.size()));
    }
}

QString TrimNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

QString ReplaceCar(const QString &text, const QString &ch, const QString &replacement)
{
    if (ch.size() != 1)
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == ch.front())
            out += replacement;
        else
            out += c;
    }
    return out;
}

QString ReplaceWord(const QString &text, const QString &find, const QString &replacement, int compare)
{
    if (text.isEmpty() || (compare != -1 && compare != 0))
        return text;
    const Qt::CaseSensitivity cs = compare == -1 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype p = text.indexOf(find, 0, cs);
    if (p < 0)
        return text;
    // Built in place: a rename preview calls this for every file.
    QString out;
    out.reserve(text.size() - find.size() + replacement.size());
    out.append(QStringView(text).left(p)).append(replacement).append(QStringView(text).mid(p + find.size()));
    return out;
}

int GetFolderValue(int value)
{
    if (value < 2)
        return 0;
    return value <= 11 ? value : value + 4;
}

QString InvNumber(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= u'0' && c <= u'9')
            c = QChar(u'9' - (c.unicode() - u'0'));
        else if (c == u'-')
            c = u' ';
    }
    return out;
}

qint64 SizeRound(double value)
{
    return Guarded(QStringLiteral("in modGlobal.SizeRound."), qint64(0), [value] {
        if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
            throw ArdlError(6, QStringLiteral("Overflow"));
        // The text form decides, not the binary fraction.
        const int decimals = std::max(0, 15 - int(std::log10(std::fabs(value) + 1)));
        const QString text = QString::number(value, 'f', decimals);
        const qsizetype dot = text.indexOf(u'.');
        const qint64 whole = dot < 0 ? text.toLongLong() : text.left(dot).toLongLong();
        if (dot < 0 || dot + 1 >= text.size())
            return whole;
        return text[dot + 1] > u'0' ? whole + 1 : whole;
    });
}

} // namespace ardl
