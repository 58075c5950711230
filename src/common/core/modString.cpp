#include "modString.h"

namespace ardl {

QString FormatStringList(const QString &format, const QStringList &args)
{
    QString out;
    out.reserve(format.size());
    qsizetype counter = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i + 1 == format.size())
            break;
        const QChar next = format[++i];
        ++counter;
        if (next == u's' || next == u'S') {
            if (counter <= 5 && counter <= args.size())
                out += args[counter - 1];
        } else if (next == u'%') {
            out += u'%';
        }
    }
    return out;
}

QString ProperCase(const QString &text)
{
    QString out = text;
    bool wordStart = true;
    for (QChar &c : out) {
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = !c.isLetter();
    }
    return out;
}

} // namespace ardl
