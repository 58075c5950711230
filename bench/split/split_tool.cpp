// Splits one file into a folder as the Split page does, with a custom part
// size in bytes and optionally the merge program: split_tool SOURCE FOLDER
// PART_SIZE [--exe]. Prints the microseconds taken and the files written.
#include "split/core/SplitRun.h"
#include "platform/splitlib/SplitLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace ardl;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: %s SOURCE FOLDER PART_SIZE [--exe]\n", argv[0]);
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    SplitRequest request;
    request.sources = {args[1]};
    request.destination = args[2];
    request.settings.options.SizeMode = SizeModeCustom;
    request.settings.options.SizeUnit = UnitBytes;
    request.settings.options.CustomSize = args[3].toLongLong();
    request.settings.includeExe = args.contains(QStringLiteral("--exe"));
    request.mergeProgram = MergeProgramPath();
    const SplitRunResult result = RunSplit(request);
    const qint64 us = timer.nsecsElapsed() / 1000;
    if (result.anyProblem()) {
        std::fprintf(stderr, "%s\n", qPrintable(SplitReportText(result)));
        return 1;
    }
    std::printf("%lld %lld\n", static_cast<long long>(us),
                static_cast<long long>(result.files.front().files.size()));
    return 0;
}
