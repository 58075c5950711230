#include "StringTable.h"

#include <QFile>
#include <QHash>

static void initStringResources()
{
    Q_INIT_RESOURCE(ardl_strings);
}

namespace ardl {

namespace {

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i].unicode()) {
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        default: out += text[i]; break;   // "\\" and anything else: the character itself
        }
    }
    return out;
}

QHash<int, QString> loadTable()
{
    initStringResources();
    QHash<int, QString> table;
    QFile file(QStringLiteral(":/strings/strings.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The string table is missing from the program's resources.");
    const QString text = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = false;
        const int id = tab > 0 ? line.left(tab).toInt(&ok) : 0;
        if (!ok)
            qFatal("The string table has a malformed line.");
        table.insert(id, unescaped(line.mid(tab + 1)));
    }
    return table;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> t = loadTable();
    return t;
}

} // namespace

QString LoadResString(int id)
{
    return table().value(id);
}

bool HasResString(int id)
{
    return table().contains(id);
}

} // namespace ardl
