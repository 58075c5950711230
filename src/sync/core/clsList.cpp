#include "clsList.h"

namespace ardl {

bool SameSize(qint64 left, bool leftLow32, qint64 right)
{
    if (left < 0 || right < 0)
        return false;
    if (leftLow32)
        return (quint64(right) & 0xFFFFFFFFu) == quint64(left);
    return left == right;
}

bool SameDate(const QDateTime &left, DatePrecision precision, const QDateTime &right)
{
    if (!left.isValid() || !right.isValid())
        return false;
    const qint64 l = left.toSecsSinceEpoch();
    const qint64 r = right.toSecsSinceEpoch();
    switch (precision) {
    case DatePrecision::Second:
        return l == r;
    case DatePrecision::Minute:
        return r >= l && r < l + 60;
    case DatePrecision::Day:
        return r >= l && r < l + 86400;
    case DatePrecision::LocalSecond: {
        // The other instant of a repeated hour lies at most two hours away.
        if (l == r || qAbs(l - r) > 7200)
            return l == r;
        const QDateTime a = left.toLocalTime();
        const QDateTime b = right.toLocalTime();
        return a.date() == b.date() && a.time() == b.time();
    }
    }
    return false;
}

} // namespace ardl
