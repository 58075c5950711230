// Times the comparison of two folders: bench_compare LEFT RIGHT RUNS OUT.
// Prints the median time of RUNS comparisons in seconds and writes the
// relative names that differ (left only, different, right only), sorted, to
// OUT.
#include "sync/core/CompareRun.h"
#include "sync/core/modClass.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ardl;

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_compare LEFT RIGHT RUNS OUT\n");
        return 2;
    }
    CompareRequest request;
    request.Kind = QStringLiteral("Dir");
    request.RootLeft = QString::fromLocal8Bit(argv[1]);
    request.RootRight = QString::fromLocal8Bit(argv[2]);
    request.Filter = QStringLiteral("*.*");
    request.Recursive = true;
    const int runs = std::max(1, std::atoi(argv[3]));

    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const CompareResult result = RunCompare(request);
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
        if (!result.completed) {
            std::fprintf(stderr, "compare failed: %s\n",
                         result.messages.empty() ? "" : qPrintable(result.messages.back().text));
            return 1;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.3f\n", seconds[seconds.size() / 2]);

    QStringList differing;
    for (const clsList &item : SyncItems())
        if (item.iOrginalType != CompareType::Same)
            differing << (item.bLeft ? item.L_File : item.R_File);
    differing.sort();
    QFile out(QString::fromLocal8Bit(argv[4]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    for (const QString &name : differing)
        out.write(name.toUtf8() + '\n');
    return 0;
}
