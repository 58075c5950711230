#pragma once

#include <QDateTime>

#include <optional>

namespace ardl {

// The local date and time of an instant, to the whole second. Built from the
// C library's local-time fields with the offset of that instant, so that a
// scan of many files needs no time-zone lookup per file beyond one
// localtime_r().
QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch);

// The local offset from UTC at an instant, in seconds; none when the C
// library cannot place the instant.
std::optional<int> LocalUtcOffset(qint64 secsSinceEpoch);

// The instant as a local date and time with the given offset (see above).
QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch, std::optional<int> utcOffset);

} // namespace ardl
