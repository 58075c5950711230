#include "SyncRun.h"

#include "CopyPool.h"
#include "LocalTransfer.h"
#include "RelativeNames.h"
#include "RemoteTransfer.h"
#include "modFtp.h"

#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <algorithm>

namespace ardl {

namespace {

constexpr int FailuresListed = 20;

// Sessions besides the run's own that copy side by side: the server works
// on one file while the other waits for this side, which one session
// leaves idle. A few files are copied sooner over the run's session than it
// takes to log in twice more.
constexpr int RemoteCopySessions = 2;
constexpr size_t MinTasksForMoreSessions = 8;

// Up to `count` more sessions to the site; fewer when the server takes no
// more connections.
std::vector<std::unique_ptr<FtpSession>> openMoreSessions(const FtpSite &site, int count)
{
    std::vector<std::unique_ptr<FtpSession>> sessions;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<FtpSession> session = FtpConnect(site);
        if (!session->isOpen())
            break;
        sessions.push_back(std::move(session));
    }
    return sessions;
}

} // namespace

SyncRunReport RunSyncTasks(SyncTransfer &transfer, const std::vector<SyncTask> &tasks, int rowCount,
                           const SyncRunHooks &hooks)
{
    SyncRunReport report;
    const auto record = [&report](const SyncTask &task, const QString &failed) {
        if (failed.isEmpty())
            ++report.copied;
        else
            report.failures.push_back({task.name, failed, task.position});
    };
    std::unique_ptr<CopyPool> pool;
    if (transfer.parallelCopies() > 1 && tasks.size() > 1)
        pool = std::make_unique<CopyPool>(transfer, transfer.parallelCopies());

    bool overwriteAll = false;
    for (const SyncTask &task : tasks) {
        // The compare set only holds names that stay inside their folder;
        // the check is made again right where the name is used.
        if (!transfer.takesName(task.name)) {
            record(task, LoadResString(SyncText::NameOutsideFolder));
            continue;
        }
        QString error;
        const bool exists = transfer.destinationExists(task, error);
        if (!error.isEmpty()) {
            record(task, error);
            continue;
        }
        if (exists && !overwriteAll) {
            const QString question = FormatString(LoadResString(SyncText::OverwriteFile),
                                                  transfer.destinationText(task));
            const int answer = hooks.askOverwrite ? hooks.askOverwrite(question) : int(OverwriteNo);
            if (answer == OverwriteCancel) {
                report.cancelled = true;
                break;
            }
            if (answer == OverwriteAll)
                overwriteAll = true;
            else if (answer != OverwriteYes)
                continue; // No, or the question closed without an answer
        }
        if (hooks.progress)
            hooks.progress(FormatString(LoadResString(SyncText::SynchronizeFile), task.name, task.position, rowCount));
        if (!pool) {
            record(task, transfer.copy(task));
            continue;
        }
        pool->add(task);
        for (const CopyPool::Outcome &done : pool->take(false))
            record(done.first, done.second);
    }
    if (pool)
        for (const CopyPool::Outcome &done : pool->take(true))
            record(done.first, done.second);
    std::stable_sort(report.failures.begin(), report.failures.end(),
                     [](const SyncFailure &a, const SyncFailure &b) { return a.position < b.position; });
    return report;
}

SyncRunReport RunSync(const SyncPlan &plan, const std::vector<SyncTask> &tasks, int rowCount, const SyncRunHooks &hooks)
{
    if (plan.Kind == QLatin1String("Dir")) {
        LocalTransfer transfer(plan.RootLeft, plan.RootRight);
        return RunSyncTasks(transfer, tasks, rowCount, hooks);
    }
    if (plan.Kind == QLatin1String("Ftp")) {
        if (tasks.empty())
            return {};
        const std::unique_ptr<FtpSession> session = FtpConnect(plan.Site);
        if (!session->isOpen()) {
            SyncRunReport report;
            report.stopped = SyncMessage{session->lastError(), FtpErrorText(*session), MsgIcon::Information};
            return report;
        }
        RemoteTransfer transfer(*session, plan.Site, plan.RootRight);
        if (tasks.size() >= MinTasksForMoreSessions)
            transfer.copyAlsoOver(openMoreSessions(plan.Site, RemoteCopySessions));
        return RunSyncTasks(transfer, tasks, rowCount, hooks);
    }
    return {};
}

QStringList SyncFileRunPaths(const SyncPlan &plan, const std::vector<SyncTask> &tasks)
{
    QStringList paths;
    for (const SyncTask &task : tasks)
        if (task.direction == SyncDirection::RightToLeft && IsSafeRelativePath(task.name))
            paths << plan.RootRight + task.name;
    return paths;
}

QString SyncRunSummary(const SyncRunReport &report)
{
    return FormatString(LoadResString(SyncText::RunSummary), report.copied, int(report.failures.size()));
}

SyncMessage SyncFailureMessage(const SyncRunReport &report)
{
    QStringList lines{FormatString(LoadResString(SyncText::RunFailures), int(report.failures.size()))};
    const int listed = std::min<int>(FailuresListed, int(report.failures.size()));
    for (int i = 0; i < listed; ++i) {
        const SyncFailure &f = report.failures[size_t(i)];
        lines << f.name + QStringLiteral(" : ") + QString(f.reason).replace(QLatin1String("\r\n"), QLatin1String(" "));
    }
    if (int(report.failures.size()) > listed)
        lines << FormatString(LoadResString(SyncText::RunFailuresMore), int(report.failures.size()) - listed);
    return SyncMessage{SyncText::RunFailures, lines.join(QStringLiteral("\r\n")), MsgIcon::Exclamation};
}

} // namespace ardl
