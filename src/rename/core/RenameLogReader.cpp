#include "RenameLogReader.h"

#include <QFile>
#include <QUtf8StringView>

namespace ardl {

namespace {

const QLatin1String Arrow("->");
const QByteArray Utf8Bom("\xEF\xBB\xBF");

QString withForwardSlashes(const QString &path)
{
    if (path.contains(u'/') || !path.contains(u'\\'))
        return path;
    QString out = path;
    out.replace(u'\\', u'/');
    return out;
}

QString dropLeadingBlanks(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return text.mid(start);
}

// The text left of the arrow without the one blank the separator puts there.
QString leftPart(const QString &line, qsizetype arrow)
{
    qsizetype end = arrow;
    if (end > 0 && line[end - 1] == u' ')
        --end;
    return withForwardSlashes(dropLeadingBlanks(line.left(end)));
}

QString rightPart(const QString &line, qsizetype arrow)
{
    return withForwardSlashes(dropLeadingBlanks(line.mid(arrow + Arrow.size())));
}

bool isAbsoluteFilePath(const QString &path)
{
    return path.startsWith(u'/') && !path.endsWith(u'/') && !path.contains(QChar(u'\0'));
}

bool isBlank(const QString &line)
{
    for (QChar c : line) {
        if (c != u' ' && c != u'\t')
            return false;
    }
    return true;
}

} // namespace

RenameLogContents ParseRenameLog(const QByteArray &bytes)
{
    RenameLogContents contents;
    // A log whose run was cut short ends in the zero bytes reserved for
    // lines that never came.
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == '\0')
        --end;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray raw = lines[n];
        if (raw.endsWith('\r'))
            raw.chop(1);
        // A log saved again by an editor may start with a byte order mark.
        if (n == 0 && raw.startsWith(Utf8Bom))
            raw.remove(0, Utf8Bom.size());
        // Bytes that are not UTF-8 (a log in another encoding) would read as
        // U+FFFD, and Undo would give a file that look-alike for a name.
        if (!QUtf8StringView(raw).isValidUtf8()) {
            ++contents.skippedLines;
            continue;
        }
        const QString line = QString::fromUtf8(raw);
        if (isBlank(line))
            continue;
        const qsizetype arrow = line.indexOf(Arrow);
        const bool oneArrow = arrow >= 0 && line.indexOf(Arrow, arrow + Arrow.size()) < 0;
        const UndoEntry entry{oneArrow ? rightPart(line, arrow) : QString(),
                              oneArrow ? leftPart(line, arrow) : QString()};
        if (!oneArrow || !isAbsoluteFilePath(entry.current) || !isAbsoluteFilePath(entry.restore)) {
            ++contents.skippedLines;
            continue;
        }
        contents.entries.push_back(entry);
    }
    return contents;
}

bool ReadRenameLog(const QString &path, RenameLogContents &contents, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    contents = ParseRenameLog(file.readAll());
    return true;
}

} // namespace ardl
