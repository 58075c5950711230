// The Mp3 page with 10,000 files in 200 folders: the time to list them in
// LVMp3File (a recursive add) and read the tag of every listed file, warm.
// Prints milliseconds, the median of several runs.
#include "mp3/ui/Mp3Page.h"

#include "common/ui/ListView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ardl;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ROOT\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    constexpr int Runs = 7;
    std::vector<double> times;
    int rows = 0;
    int tags = 0;
    for (int run = 0; run < Runs; ++run) {
        Mp3Page page;
        page.LoadCaptions();
        page.resize(1200, 800);
        page.show();
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        ScanOptions options;
        options.Recursive = true;
        options.Path = root;
        options.Mask = QStringLiteral("*.mp3");
        page.FillListMp3File(options);
        tags = 0;
        ID3Tag tag;
        for (const ListRow &row : page.LVMp3File->rows().rows())
            tags += ReadID3Tag(row.key, tag) ? 1 : 0;
        QApplication::processEvents();   // the list drawn
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        rows = page.LVMp3File->rows().rowCount();
    }
    std::sort(times.begin(), times.end());
    std::printf("list and read the tags of %d files (%d tags), median of %d warm runs: %.1f ms\n", rows, tags,
                Runs, times[times.size() / 2]);
    return rows > 0 && tags == rows ? 0 : 1;
}
