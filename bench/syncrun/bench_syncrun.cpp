// Compares and synchronises one way, as Compare then Synchronize on the Sync
// page do, and prints the seconds the two took.
//   bench_syncrun dir LEFT RIGHT                         left to right
//   bench_syncrun ftp-down PORT USER PASS REMOTE LOCAL   server to LOCAL
//   bench_syncrun ftp-up PORT USER PASS REMOTE LOCAL     LOCAL to the server
// The server is on 127.0.0.1. Fails when a file could not be copied.
#include "sync/core/CompareRun.h"
#include "sync/core/SyncRun.h"
#include "sync/core/modClass.h"

#include "common/core/Prompter.h"

#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <cstring>

using namespace ardl;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: bench_syncrun dir LEFT RIGHT\n"
                         "       bench_syncrun ftp-down|ftp-up PORT USER PASS REMOTE LOCAL\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage();
    const QString mode = QString::fromLocal8Bit(argv[1]);
    CompareRequest request;
    request.Filter = QStringLiteral("*.*");
    request.Recursive = true;
    if (mode == QLatin1String("dir") && argc == 4) {
        request.Kind = QStringLiteral("Dir");
        request.RootLeft = QString::fromLocal8Bit(argv[2]);
        request.RootRight = QString::fromLocal8Bit(argv[3]);
    } else if ((mode == QLatin1String("ftp-down") || mode == QLatin1String("ftp-up")) && argc == 7) {
        request.Kind = QStringLiteral("Ftp");
        request.RootLeft = QStringLiteral("127.0.0.1");
        request.Port = QString::fromLocal8Bit(argv[2]);
        request.Login = QString::fromLocal8Bit(argv[3]);
        request.Password = QString::fromLocal8Bit(argv[4]);
        request.RemoteDir = QString::fromLocal8Bit(argv[5]);
        request.RootRight = QString::fromLocal8Bit(argv[6]);
    } else {
        return usage();
    }

    QElapsedTimer timer;
    timer.start();
    const CompareResult compared = RunCompare(request);
    if (!compared.completed) {
        std::fprintf(stderr, "compare failed: %s\n",
                     compared.messages.empty() ? "" : qPrintable(compared.messages.back().text));
        return 1;
    }
    QStringList rows;
    for (const clsList &item : SyncItems())
        rows << item.L_File;
    SyncRunHooks hooks;
    hooks.askOverwrite = [](const QString &) { return int(OverwriteNo); };
    const SyncRunReport report = RunSync(FreezePlan(request), SyncTasksOf(SyncItems(), rows), int(rows.size()), hooks);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (report.stopped || !report.failures.empty()) {
        std::fprintf(stderr, "%s\n",
                     report.stopped ? qPrintable(report.stopped->text) : qPrintable(SyncFailureMessage(report).text));
        return 1;
    }
    std::printf("%.3f\n", seconds);
    return 0;
}
