#include "ListCells.h"

#include <QLocale>

#include <cmath>

namespace ardl {

namespace {

struct DateFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Reads 1 to `maxDigits` digits at `pos`.
bool readNumber(QStringView text, qsizetype &pos, int maxDigits, int &value)
{
    value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos].isDigit() && text[pos].unicode() < 128) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool expect(QStringView text, qsizetype &pos, char16_t c)
{
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

std::optional<DateFields> parseDateFields(QStringView text)
{
    text = text.trimmed();
    DateFields f;
    qsizetype pos = 0;
    if (!readNumber(text, pos, 4, f.year) || !expect(text, pos, u'-')
        || !readNumber(text, pos, 2, f.month) || !expect(text, pos, u'-')
        || !readNumber(text, pos, 2, f.day))
        return std::nullopt;
    if (pos < text.size()) {
        if (!expect(text, pos, u' ') && !expect(text, pos, u'T'))
            return std::nullopt;
        if (!readNumber(text, pos, 2, f.hour) || !expect(text, pos, u':')
            || !readNumber(text, pos, 2, f.minute))
            return std::nullopt;
        if (expect(text, pos, u':') && !readNumber(text, pos, 2, f.second))
            return std::nullopt;
        if (pos != text.size())
            return std::nullopt;
    }
    if (!QDate::isValid(f.year, f.month, f.day) || !QTime::isValid(f.hour, f.minute, f.second))
        return std::nullopt;
    return f;
}

} // namespace

QString FormatSizeCell(qint64 size)
{
    return QString::number(size);
}

qint64 ParseSizeCell(QStringView text)
{
    bool ok = false;
    const qint64 size = text.trimmed().toLongLong(&ok);
    return ok ? size : 0;
}

QString FormatDateCell(const QDateTime &date)
{
    if (!date.isValid())
        return QString();
    const QDate d = date.date();
    const QTime t = date.time();
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(),
                                d.day(), t.hour(), t.minute(), t.second());
    return QString::fromLatin1(buf, n);
}

QDateTime ParseDateCell(QStringView text)
{
    const std::optional<DateFields> f = parseDateFields(text);
    if (!f)
        return QDateTime();
    return QDateTime(QDate(f->year, f->month, f->day), QTime(f->hour, f->minute, f->second));
}

std::optional<qint64> DateCellKey(QStringView text)
{
    const std::optional<DateFields> f = parseDateFields(text);
    if (!f)
        return std::nullopt;
    return ((((qint64(f->year) * 100 + f->month) * 100 + f->day) * 100 + f->hour) * 100 + f->minute) * 100
         + f->second;
}

std::optional<long double> ParseNumberCell(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 whole = text.toLongLong(&ok);
    if (ok)
        return static_cast<long double>(whole);
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = QLocale::system().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return static_cast<long double>(value);
}

} // namespace ardl
