#include "SyncPlan.h"

#include "CompareTypes.h"
#include "RelativeNames.h"
#include "modFtp.h"

namespace ardl {

std::optional<int> PortNumber(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok && port >= 1 && port <= 65535 ? std::optional<int>(port) : std::nullopt;
}

FtpSite RemoteSiteOf(const CompareRequest &r)
{
    FtpSite site;
    site.Recursive = r.Recursive;
    site.Filter = r.Filter;
    site.Server = r.RootLeft;
    site.Dir = r.RemoteDir;
    site.User = r.Anonymous && r.Login.isEmpty() ? QStringLiteral("anonymous") : r.Login;
    site.Password = r.Password;
    site.Port = PortNumber(r.Port).value_or(21);
    return site;
}

SyncPlan FreezePlan(const CompareRequest &request)
{
    SyncPlan plan;
    plan.Kind = request.Kind;
    plan.RootRight = NormalizedRoot(request.RootRight);
    if (request.Kind == QLatin1String("Ftp")) {
        plan.Site = RemoteSiteOf(request);
        const QString dir = plan.Site.Dir.startsWith(u'/') ? plan.Site.Dir : u'/' + plan.Site.Dir;
        plan.Site.Dir = AddSlash(dir);
        plan.Site.RootDir = plan.Site.Dir;
    } else if (request.Kind == QLatin1String("Dir")) {
        plan.RootLeft = NormalizedRoot(request.RootLeft);
    } else {
        plan.RootLeft = request.RootLeft;
    }
    return plan;
}

std::vector<SyncTask> SyncTasksOf(const SyncItemSet &items, const QStringList &rowKeys)
{
    std::vector<SyncTask> tasks;
    int position = 0;
    for (const QString &key : rowKeys) {
        ++position;
        const clsList *item = items.find(key);
        if (!item)
            continue;
        const int icon = ActionIcon(item->iOrginalType, item->iType);
        if (CopiesLeftToRight(icon) && item->bLeft) {
            const bool exact = item->L_DatePrecision == DatePrecision::Second && !item->L_SizeLow32;
            tasks.push_back({position, item->L_File, SyncDirection::LeftToRight, exact ? item->L_Size : -1,
                             exact ? item->L_Date : QDateTime()});
        } else if (CopiesRightToLeft(icon) && item->bRight) {
            tasks.push_back({position, item->R_File, SyncDirection::RightToLeft, item->R_Size, item->R_Date});
        }
    }
    return tasks;
}

} // namespace ardl
