#pragma once

#include <QDateTime>

namespace ardl {

// The local date and time of an instant, to the whole second. Built from the
// C library's local-time fields with the offset of that instant, so that a
// scan of many files needs no time-zone lookup per file beyond one
// localtime_r().
QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch);

} // namespace ardl
