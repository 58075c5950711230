#include "SplitInfo.h"

#include "SplitSizes.h"

#include "common/core/modFile.h"
#include "platform/splitlib/SplitLayout.h"

#include <QFileInfo>

namespace ardl {

namespace {

// h & " h " & m & " m " & s & " s" for one part at `speed` bits per second.
QString downloadTimeText(qint64 part, const QString &speed)
{
    const std::optional<qint64> bps = NumberFromText(speed);
    if (!bps || *bps / 8 == 0 || part < 0)
        return QString();
    const qint64 secs = part / (*bps / 8);
    const qint64 h = secs / 3600;
    const qint64 m = (secs - h * 3600) / 60;
    const qint64 s = secs - h * 3600 - m * 60;
    return QStringLiteral("%1 h %2 m %3 s").arg(h).arg(m).arg(s);
}

void fillFigures(SplitInfo &info, qint64 length, const SplitInfoInput &in)
{
    const SplitSettings &settings = in.settings;
    const qint64 overhead =
        settings.includeExe ? SelfMergeOverhead(SplitName::FromFileName(GetFileName(in.selected))) : 0;
    const PartPlan plan = PlanParts(length, settings, overhead);
    qint64 part = 0, max = 0;
    if (settings.options.SplitBy == SplitByParts) {
        part = max = plan.part;
    } else {
        const std::optional<qint64> limit = SizeLimit(settings.options, settings.download);
        if (!limit) {
            info.lblInfo4 = info.lblInfo5 = info.lblInfo7 = QString();
            return;
        }
        max = *limit;
        part = qMin(max, length);
    }
    info.lblInfo4 = QStringLiteral("%1  (Max : %2)").arg(part).arg(max);
    info.lblInfo5 = QString::number(plan.status == PartPlan::Ok ? plan.count : 0);
    info.lblInfo7 = downloadTimeText(part, in.downloadSpeed);
}

} // namespace

SplitInfo CalculateInfo(const SplitInfoInput &in)
{
    SplitInfo info;
    info.lblInfo1 = QString::number(in.fileCount);
    info.lblInfo2 = in.destination;
    if (in.fileCount == 0) {
        info.lblInfo2.clear();
        info.lblInfo3 = info.lblInfo4 = info.lblInfo5 = info.lblInfo6 = info.lblInfo7 = QString();
        return info;
    }
    info.lblInfo3 = in.selected;
    if (in.selected.isEmpty())
        return info;
    const QFileInfo file(in.selected);
    if (!file.isFile()) {
        info.lblInfo4 = info.lblInfo5 = info.lblInfo6 = info.lblInfo7 = QString();
        return info;
    }
    info.lblInfo6 = QString::number(file.size());
    fillFigures(info, file.size(), in);
    return info;
}

} // namespace ardl
