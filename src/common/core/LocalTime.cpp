#include "LocalTime.h"

#include <ctime>

namespace ardl {

QDateTime LocalDateTimeFromSecs(qint64 secsSinceEpoch)
{
    const time_t t = time_t(secsSinceEpoch);
    struct tm fields {};
    if (!localtime_r(&t, &fields))
        return QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch, Qt::OffsetFromUTC, int(fields.tm_gmtoff));
}

} // namespace ardl
