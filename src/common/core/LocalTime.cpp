#include "LocalTime.h"

#include <ctime>

namespace ardl {

std::optional<int> LocalUtcOffset(qint64 secsSinceEpoch)
{
    const time_t t = time_t(secsSinceEpoch);
    struct tm fields {};
    if (!localtime_r(&t, &fields))
        return std::nullopt;
    return int(fields.tm_gmtoff);
}

QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch, std::optional<int> utcOffset)
{
    if (!utcOffset)
        return QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, Qt::OffsetFromUTC, *utcOffset);
}

QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch)
{
    return LocalDateTimeFromSecs(secsSinceEpoch, LocalUtcOffset(secsSinceEpoch));
}

} // namespace ardl
