#include "SplitSizes.h"

#include "platform/splitlib/SplitLayout.h"

#include <cmath>
#include <limits>

namespace ardl {

namespace {

constexpr int MaxDigits = 18;   // every such number fits 64 bits
// Sizes beyond this are no sizes of files: 2^62 bytes.
constexpr double MaxSize = 4611686018427387904.0;

qint64 ceilDiv(qint64 a, qint64 b)
{
    return a / b + (a % b != 0 ? 1 : 0);
}

PartPlan planBySize(qint64 length, qint64 limit, qint64 overhead)
{
    PartPlan plan;
    plan.part = limit;
    plan.first = limit - overhead;
    if (plan.part <= 0 || plan.first <= 0)
        plan.status = PartPlan::NotPositive;
    else
        plan.count = PartCount(length, plan.first, plan.part);
    return plan;
}

PartPlan planByNumber(qint64 length, qint64 wanted, qint64 overhead)
{
    PartPlan plan;
    const qint64 total = length + overhead;   // what the files hold together
    plan.part = ceilDiv(total, wanted);
    plan.first = plan.part - overhead;
    if (plan.part > 0 && plan.first > 0 && PartCount(length, plan.first, plan.part) == wanted) {
        plan.count = wanted;
        return plan;
    }
    plan.part = total / wanted;
    plan.first = length - (wanted - 1) * plan.part;
    if (plan.part <= 0 || plan.first <= 0) {
        plan.status = PartPlan::NotPositive;
        return plan;
    }
    plan.count = PartCount(length, plan.first, plan.part);
    return plan;
}

} // namespace

std::optional<qint64> NumberFromText(const QString &text)
{
    if (text.isEmpty() || text.size() > MaxDigits)
        return std::nullopt;
    qint64 n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

qint64 RoundHalfEven(double value)
{
    // The default rounding mode rounds halves to even.
    return qint64(std::nearbyint(value));
}

std::optional<qint64> DownloadBytes(const DownloadTime &time)
{
    const auto h = NumberFromText(time.hours);
    const auto m = NumberFromText(time.minutes);
    const auto s = NumberFromText(time.seconds);
    const auto bps = NumberFromText(time.bps);
    if (!h || !m || !s || !bps)
        return std::nullopt;
    const double seconds = double(*m) * 60 + double(*h) * 3600 + double(*s);
    const double bytes = seconds * double(*bps) / 8;
    if (!(bytes < MaxSize))
        return std::nullopt;
    return RoundHalfEven(bytes);
}

std::optional<qint64> SizeLimit(const SplitOptions &options, const DownloadTime &time)
{
    switch (options.SizeMode) {
    case SizeMode720: return Size720;
    case SizeMode144: return Size144;
    case SizeMode288: return Size288;
    case SizeModeCustom: {
        const qint64 unit = options.SizeUnit == UnitKb ? 1024 : options.SizeUnit == UnitMb ? 1048576 : 1;
        if (options.CustomSize < 0 || double(options.CustomSize) * double(unit) >= MaxSize)
            return std::nullopt;
        return options.CustomSize * unit;
    }
    case SizeModeDownload: return DownloadBytes(time);
    default: return std::nullopt;
    }
}

PartPlan PlanParts(qint64 length, const SplitSettings &settings, qint64 overhead)
{
    if (settings.options.SplitBy == SplitByParts) {
        if (settings.partCount < 1) {
            PartPlan plan;
            plan.status = PartPlan::NotPositive;
            return plan;
        }
        return planByNumber(length, settings.partCount, overhead);
    }
    const std::optional<qint64> limit = SizeLimit(settings.options, settings.download);
    if (!limit) {
        PartPlan plan;
        plan.status = PartPlan::Undefined;
        return plan;
    }
    return planBySize(length, *limit, overhead);
}

} // namespace ardl
