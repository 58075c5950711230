#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>

// The texts of size and date cells in the report lists. Every list writes
// them through these helpers and reads them back (for sorting, or to take a
// row's values again) through the matching parsers, so the texts never
// depend on the user's locale.
namespace ardl {

// A size in bytes as a plain integer: "3000000000".
QString FormatSizeCell(qint64 size);
// The size a cell shows; 0 when the text is empty or not a whole number.
qint64 ParseSizeCell(QStringView text);

// "yyyy-MM-dd HH:mm:ss" of the date and time the value holds (the program
// builds every file date in local time); "" for an invalid value.
QString FormatDateCell(const QDateTime &date);
// The local date and time of a date cell; invalid when the text is not one.
// Reads what FormatDateCell writes, also with one-digit fields, a "T"
// between date and time, or without seconds or time.
QDateTime ParseDateCell(QStringView text);
// The wall-clock fields of a date cell as one number, yyyyMMddHHmmss, that
// orders like the dates; nullopt when the text is not a date.
std::optional<qint64> DateCellKey(QStringView text);

// The value of a number cell: a plain number with "." as decimal point
// (or the user's own decimal separator), an optional sign and spaces around
// it. nullopt when the text is not a number.
std::optional<long double> ParseNumberCell(QStringView text);

} // namespace ardl
