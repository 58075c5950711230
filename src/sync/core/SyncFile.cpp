#include "SyncFile.h"

#include "RelativeNames.h"
#include "SyncMessage.h"
#include "modClass.h"

#include "common/core/FileRenamer.h"
#include "common/core/TargetFolder.h"
#include "common/core/TemporaryFile.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <optional>
#include <unistd.h>

namespace ardl {

namespace {

constexpr qint64 Low32 = qint64(1) << 32;

std::optional<int> digits(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    for (QChar c : text)
        if (!c.isDigit())
            return std::nullopt;
    return text.toInt();
}

struct ClockTime {
    QTime time;
    bool twelveHour = false;
};

// "07:08:09", "7:08", "07:08:09 PM", "7:08PM".
std::optional<ClockTime> parseClock(QString text)
{
    text = text.trimmed();
    int add = -1;
    if (text.endsWith(QLatin1String("AM"), Qt::CaseInsensitive))
        add = 0;
    else if (text.endsWith(QLatin1String("PM"), Qt::CaseInsensitive))
        add = 12;
    if (add >= 0)
        text = text.chopped(2).trimmed();
    const QStringList parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto h = digits(parts[0]), m = digits(parts[1]);
    const auto s = parts.size() == 3 ? digits(parts[2]) : std::optional<int>(0);
    if (!h || !m || !s)
        return std::nullopt;
    const int hour = add < 0 ? *h : (*h == 12 ? 0 : *h) + add;
    const QTime time(hour, *m, *s);
    if (!time.isValid() || (add >= 0 && (*h < 1 || *h > 12)))
        return std::nullopt;
    return ClockTime{time, add >= 0};
}

QDate parseDay(const QString &text, bool monthFirstHint)
{
    QStringList parts;
    for (QChar sep : {u'/', u'.', u'-'}) {
        parts = text.split(sep);
        if (parts.size() == 3)
            break;
    }
    if (parts.size() != 3)
        return QDate();
    const auto a = digits(parts[0]), b = digits(parts[1]), c = digits(parts[2]);
    if (!a || !b || !c)
        return QDate();
    if (parts[0].size() == 4)
        return QDate(*a, *b, *c);
    int year = *c;
    if (parts[2].size() <= 2)
        year += year < 30 ? 2000 : 1900;
    const bool monthFirst = (*b > 12) || (monthFirstHint && *a <= 12);
    return monthFirst ? QDate(year, *a, *b) : QDate(year, *b, *a);
}

// Size field: a 64-bit size, or an older file's negative low-32-bit value.
bool parseSize(QStringView text, qint64 &size, bool &low32)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    low32 = value < 0;
    if (low32 && value < -(Low32 / 2))
        return false;
    size = low32 ? value + Low32 : value;
    return true;
}

QString decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);   // an older file in a single-byte code page
    return text;
}

std::vector<QString> readLines(const QByteArray &data)
{
    std::vector<QString> lines;
    qsizetype start = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QByteArrayView bytes(data.constData() + start, end - start);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        lines.push_back(decodeLine(bytes));
        start = end + 1;
    }
    return lines;
}

// The name as stored, made into a relative "/" path.
QString storedName(const QString &text)
{
    QString name = text;
    name.replace(u'\\', u'/');
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return name;
}

} // namespace

QString SyncFileDateText(const QDateTime &date)
{
    return date.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QDateTime ParseSyncFileDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype split = 0;
    while (split < trimmed.size() && !trimmed[split].isSpace() && trimmed[split] != u'T')
        ++split;
    const QString dayText = trimmed.left(split);
    const QString clockText = trimmed.mid(split + 1).trimmed();
    std::optional<ClockTime> clock = ClockTime{QTime(0, 0), false};
    if (!clockText.isEmpty())
        clock = parseClock(clockText);
    if (!clock)
        return QDateTime();
    const QDate day = parseDay(dayText, clock->twelveHour);
    if (!day.isValid())
        return QDateTime();
    return QDateTime(day, clock->time, Qt::LocalTime);
}

QString SyncFileLine(const QString &relativeName, qint64 size, const QDateTime &date)
{
    return relativeName + u'|' + QString::number(size) + u'|' + SyncFileDateText(date);
}

SyncFileWriteResult WriteSyncFile(const QString &path, const QString &root, const colFile &files)
{
    SyncFileWriteResult result;
    const QString base = NormalizedRoot(root);
    QByteArray text = base.toUtf8() + "\r\n";
    text.reserve(text.size() + files.Count() * 64);
    for (const clsFile &f : files) {
        const QString name = RelativeName(f.Name, base);
        // A line cannot hold a line break, "\" reads back as a folder
        // separator, and a name that is not valid UTF-8 would be written as
        // its look-alike: such names would come back as other files.
        if (!f.NameIsExact() || name.contains(u'\n') || name.contains(u'\r') || name.contains(u'\\')) {
            result.skipped.add(RelativeName(ShownName(f), base));
            continue;
        }
        text += SyncFileLine(name, f.Size, f.Date).toUtf8();
        text += "\r\n";
    }
    // The folder is the user's: it is not made when missing.
    const QString folder = GetDirPart(path);
    TargetFolder into(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int error = into.writeFile(GetFileName(path), [&text](int fd) {
        if (const int failed = WriteAll(fd, text.constData(), text.size()))
            return failed;
        return ::fdatasync(fd) == 0 ? 0 : errno;
    });
    if (error != 0) {
        result.error = path + QStringLiteral(": ") + ErrorText(error);
        return result;
    }
    result.ok = true;
    return result;
}

SyncFileWriteResult CreateSyncFile(const QString &path, const QString &folder, const QString &mask,
                                   bool recursive)
{
    colFile files;
    files.Root = folder;
    ScanOptions options;
    options.Recursive = recursive;
    options.Path = NormalizedRoot(folder);
    options.Mask = mask;
    // A folder left out of the snapshot would read on the other machine as
    // one without files, and all of them would be sent back over the ones
    // here: a folder that cannot be read stops the write.
    SyncFileWriteResult failed;
    try {
        const ScanReport scan = ScanFolderTree(files, options);
        if (scan.unreadable.empty())
            return WriteSyncFile(path, folder, files);
        const UnreadableFolder &f = scan.unreadable.front();
        failed.error =
            MakeSyncMessage(SyncText::FolderUnreadable, MsgIcon::Exclamation, {f.path, ErrorText(f.error)}).text;
    } catch (const std::exception &e) {
        failed.error = NormalizedRoot(folder) + QStringLiteral(": ") + QString::fromStdString(e.what());
    }
    return failed;
}

SyncFileContents ReadSyncFile(const QString &path)
{
    SyncFileContents contents;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.error = file.errorString();
        return contents;
    }
    const std::vector<QString> lines = readLines(file.readAll());
    contents.ok = true;
    if (lines.empty())
        return contents;
    contents.header = lines.front();
    contents.entries.reserve(lines.size());
    for (size_t i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype second = line.lastIndexOf(u'|');
        const qsizetype first = second > 0 ? line.lastIndexOf(u'|', second - 1) : -1;
        SyncFileEntry entry;
        if (first <= 0 || !parseSize(QStringView(line).mid(first + 1, second - first - 1),
                                     entry.size, entry.sizeLow32)) {
            ++contents.malformedLines;
            continue;
        }
        entry.name = storedName(line.left(first));
        if (!IsSafeRelativePath(entry.name)) {
            contents.rejectedNames.push_back(line.left(first));
            continue;
        }
        entry.date = ParseSyncFileDate(line.mid(second + 1));
        if (!entry.date.isValid())
            contents.undatedNames.push_back(entry.name);
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}

SyncFileLoadReport LoadSyncFile(const QString &path)
{
    SyncFileLoadReport report;
    report.contents = ReadSyncFile(path);
    SyncItemSet &items = SyncItems();
    items.reserve(items.Count() + qsizetype(report.contents.entries.size()));
    for (const SyncFileEntry &e : report.contents.entries)
        if (!items.addLeft(e.name, e.size, e.date, DatePrecision::LocalSecond, e.sizeLow32))
            report.duplicateNames.push_back(e.name);
    return report;
}

} // namespace ardl
