#include "FtpListParser.h"

#include <QStringDecoder>

#include <array>
#include <limits>
#include <optional>

namespace ardl::FtpListParser {

namespace {

// A word of a listing line and where it starts.
struct Token {
    QStringView text;
    qsizetype start;
    qsizetype end() const { return start + text.size(); }
};

std::vector<Token> tokenize(QStringView line)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !line[i].isSpace())
            ++i;
        if (i > start)
            tokens.push_back(Token{line.mid(start, i - start), start});
    }
    return tokens;
}

// The text after the one blank that follows `token`.
QStringView restAfter(QStringView line, const Token &token)
{
    return token.end() + 1 <= line.size() ? line.mid(token.end() + 1) : QStringView();
}

// A text of digits only, as a number.
std::optional<qint64> bigNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text)
        if (!c.isDigit())
            return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<int> number(QStringView text)
{
    const std::optional<qint64> value = bigNumber(text);
    if (!value || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*value);
}

// 1-12 for an English month abbreviation, any case.
int monthNumber(QStringView text)
{
    static const std::array<const char *, 12> names = {"jan", "feb", "mar", "apr", "may", "jun",
                                                       "jul", "aug", "sep", "oct", "nov", "dec"};
    if (text.size() != 3)
        return 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    return 0;
}

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

// "HH:MM" -> hour and minute.
std::optional<std::pair<int, int>> clockTime(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || colon > 2 || text.size() - colon != 3)
        return std::nullopt;
    const auto h = number(text.left(colon));
    const auto m = number(text.mid(colon + 1));
    if (!h || !m)
        return std::nullopt;
    return std::pair{*h, *m};
}

bool isDotName(QStringView name)
{
    return name == u"." || name == u"..";
}

// The date of a Unix line starting at token `i` ("May 6 07:08", "May 6 2019"
// or "2024-05-06 07:08"); the index of its last token in `last`.
bool unixDate(const std::vector<Token> &t, size_t i, const QDateTime &nowUtc, FtpEntry &entry,
              size_t &last)
{
    if (const int month = monthNumber(t[i].text); month && i + 2 < t.size()) {
        const auto day = number(t[i + 1].text);
        if (!day || *day < 1 || *day > 31)
            return false;
        last = i + 2;
        if (const auto hm = clockTime(t[i + 2].text)) {
            const int year = nowUtc.date().year();
            QDateTime when = utc(year, month, *day, hm->first, hm->second);
            if (!when.isValid() || when > nowUtc.addDays(1))
                when = utc(year - 1, month, *day, hm->first, hm->second);
            entry.modified = when;
            entry.precision = DatePrecision::Minute;
            return true;
        }
        if (const auto year = number(t[i + 2].text); year && t[i + 2].text.size() == 4) {
            entry.modified = utc(*year, month, *day);
            entry.precision = DatePrecision::Day;
            return true;
        }
        return false;
    }
    // ISO form of some servers: 2024-05-06 07:08[:09]
    const QStringView d = t[i].text;
    if (d.size() == 10 && d[4] == u'-' && d[7] == u'-' && i + 1 < t.size()) {
        const auto y = number(d.left(4)), mo = number(d.mid(5, 2)), da = number(d.mid(8, 2));
        QStringView clock = t[i + 1].text;
        int seconds = 0;
        entry.precision = DatePrecision::Minute;
        if (clock.size() == 8 && clock[5] == u':') {
            const auto s = number(clock.mid(6));
            if (!s)
                return false;
            seconds = *s;
            clock = clock.left(5);
            entry.precision = DatePrecision::Second;
        }
        const auto hm = clockTime(clock);
        if (!y || !mo || !da || !hm)
            return false;
        entry.modified = utc(*y, *mo, *da, hm->first, hm->second, seconds);
        last = i + 1;
        return true;
    }
    return false;
}

QString decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

} // namespace

LineKind ParseMlsdLine(QStringView line, FtpEntry &entry)
{
    entry = FtpEntry{};
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0)
        return LineKind::Unreadable;
    entry.name = line.mid(blank + 1).toString();
    if (entry.name.isEmpty())
        return LineKind::Unreadable;
    for (QStringView fact : line.left(blank).split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = fact.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QStringView key = fact.left(eq);
        const QStringView value = fact.mid(eq + 1);
        if (key.compare(u"type", Qt::CaseInsensitive) == 0) {
            if (value.compare(u"file", Qt::CaseInsensitive) == 0)
                entry.type = FtpEntry::Type::File;
            else if (value.compare(u"dir", Qt::CaseInsensitive) == 0)
                entry.type = FtpEntry::Type::Folder;
            else if (value.startsWith(u"os.unix=slink", Qt::CaseInsensitive)
                     || value.startsWith(u"os.unix=symlink", Qt::CaseInsensitive))
                entry.type = FtpEntry::Type::Link;
            else
                return LineKind::Skip;   // cdir, pdir, devices and the like
        } else if (key.compare(u"size", Qt::CaseInsensitive) == 0
                   || key.compare(u"sizd", Qt::CaseInsensitive) == 0) {
            entry.size = bigNumber(value).value_or(-1);
        } else if (key.compare(u"modify", Qt::CaseInsensitive) == 0) {
            const QStringView whole = value.left(value.indexOf(u'.') < 0 ? value.size()
                                                                         : value.indexOf(u'.'));
            if (whole.size() == 14 && number(whole.left(8)) && number(whole.mid(8)))
                entry.modified = utc(whole.left(4).toInt(), whole.mid(4, 2).toInt(),
                                     whole.mid(6, 2).toInt(), whole.mid(8, 2).toInt(),
                                     whole.mid(10, 2).toInt(), whole.mid(12, 2).toInt());
        } else if (key.compare(u"unique", Qt::CaseInsensitive) == 0) {
            entry.unique = value.toString();
        }
    }
    return isDotName(entry.name) ? LineKind::Skip : LineKind::Entry;
}

LineKind ParseUnixListLine(QStringView line, const QDateTime &nowUtc, FtpEntry &entry)
{
    entry = FtpEntry{};
    const std::vector<Token> t = tokenize(line);
    if (t.empty())
        return LineKind::Skip;
    if (t.size() == 2 && t[0].text.compare(u"total", Qt::CaseInsensitive) == 0)
        return LineKind::Skip;
    const QStringView mode = t[0].text;
    if (mode.size() < 10 || !QStringView(u"-dlbcpsD").contains(mode[0]) || t.size() < 5)
        return LineKind::Unreadable;
    // The date follows the size, which follows the link count and owner
    // (and usually the group): find the first date preceded by a number.
    for (size_t i = 3; i + 1 < t.size(); ++i) {
        const auto size = bigNumber(t[i - 1].text);
        size_t last = 0;
        FtpEntry candidate;
        if (!size || !unixDate(t, i, nowUtc, candidate, last) || last + 1 >= t.size())
            continue;
        entry.modified = candidate.modified;
        entry.precision = candidate.precision;
        entry.size = *size;
        QString name = restAfter(line, t[last]).toString();
        switch (mode[0].unicode()) {
        case '-': entry.type = FtpEntry::Type::File; break;
        case 'd': entry.type = FtpEntry::Type::Folder; break;
        case 'l': {
            entry.type = FtpEntry::Type::Link;
            const qsizetype arrow = name.indexOf(QLatin1String(" -> "));
            if (arrow > 0)
                name.truncate(arrow);
            break;
        }
        default:
            return LineKind::Skip;   // devices, pipes, sockets
        }
        entry.name = name;
        if (entry.name.isEmpty())
            return LineKind::Unreadable;
        return isDotName(entry.name) ? LineKind::Skip : LineKind::Entry;
    }
    return LineKind::Unreadable;
}

LineKind ParseDosListLine(QStringView line, FtpEntry &entry)
{
    entry = FtpEntry{};
    const std::vector<Token> t = tokenize(line);
    if (t.size() < 4)
        return LineKind::Unreadable;
    const QStringView d = t[0].text;
    if ((d.size() != 8 && d.size() != 10) || d[2] != u'-' || d[5] != u'-')
        return LineKind::Unreadable;
    const auto month = number(d.left(2)), day = number(d.mid(3, 2)), yy = number(d.mid(6));
    QStringView clock = t[1].text;
    int add = 0;
    if (clock.endsWith(u"AM", Qt::CaseInsensitive) || clock.endsWith(u"PM", Qt::CaseInsensitive)) {
        add = clock.endsWith(u"PM", Qt::CaseInsensitive) ? 12 : 0;
        clock.chop(2);
    }
    const auto hm = clockTime(clock);
    if (!month || !day || !yy || !hm)
        return LineKind::Unreadable;
    int year = *yy;
    if (d.size() == 8)
        year += year < 70 ? 2000 : 1900;
    int hour = hm->first;
    if (t[1].text.size() > clock.size())   // 12-hour clock: 12:05AM is 00:05
        hour = hour % 12 + add;
    if (t[2].text.compare(u"<DIR>", Qt::CaseInsensitive) == 0) {
        entry.type = FtpEntry::Type::Folder;
    } else if (const auto size = bigNumber(t[2].text)) {
        entry.type = FtpEntry::Type::File;
        entry.size = *size;
    } else {
        return LineKind::Unreadable;
    }
    entry.modified = utc(year, *month, *day, hour, hm->second);
    entry.precision = DatePrecision::Minute;
    // The name starts at the first non-blank after the size column.
    entry.name = line.mid(t[3].start).toString();
    return isDotName(entry.name) ? LineKind::Skip : LineKind::Entry;
}

LineKind ParseListLine(QStringView line, const QDateTime &nowUtc, FtpEntry &entry)
{
    const LineKind unix = ParseUnixListLine(line, nowUtc, entry);
    if (unix != LineKind::Unreadable)
        return unix;
    return ParseDosListLine(line, entry);
}

FtpListing ParseListing(const QByteArray &data, bool machineListing, const QDateTime &nowUtc)
{
    FtpListing listing;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QByteArrayView bytes(data.constData() + start, end - start);
        start = end + 1;
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.isEmpty())
            continue;
        const QString line = decodeLine(bytes);
        FtpEntry entry;
        const LineKind kind = machineListing ? ParseMlsdLine(line, entry)
                                             : ParseListLine(line, nowUtc, entry);
        if (kind == LineKind::Entry)
            listing.entries.push_back(std::move(entry));
        else if (kind == LineKind::Unreadable)
            listing.unreadableLines.push_back(line);
    }
    return listing;
}

} // namespace ardl::FtpListParser
