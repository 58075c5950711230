// The Sync page's result list with 100,000 compared files: the time from a
// filled compare set to the shown list (the end of Compare), and the time
// of a filter toggle. Prints milliseconds, medians of runs.
#include "sync/ui/SyncPage.h"

#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "sync/core/modClass.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ardl;

namespace {

constexpr int FileCount = 100000;
constexpr int Runs = 5;

// A quarter of each class: left only, same, different, right only.
void fillCompareSet()
{
    SyncItemSet &items = SyncItems();
    items.clear();
    items.reserve(FileCount);
    const QDateTime t0 = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
    for (int i = 0; i < FileCount; ++i) {
        const QString name = QStringLiteral("folder %1/file %2.%3")
                                 .arg(i / 100, 4, 10, QChar(u'0'))
                                 .arg(i, 6, 10, QChar(u'0'))
                                 .arg(i % 7 == 0 ? QStringLiteral("jpg") : QStringLiteral("txt"));
        const QDateTime when = t0.addSecs(i);
        switch (i % 4) {
        case 0:
            items.addLeft(name, i, when);
            break;
        case 1:
            items.addLeft(name, i, when);
            items.addRight(name, i, when);
            break;
        case 2:
            items.addLeft(name, i, when);
            items.addRight(name, i + 1, when);
            break;
        default:
            items.addRight(name, i, when);
            break;
        }
    }
    items.classify(false);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SyncPage page;
    page.FillKinds();
    page.LoadCaptions();
    page.CheckFilterButtons();
    page.resize(1000, 700);
    page.show();
    QApplication::processEvents();
    fillCompareSet();

    std::vector<double> shown, toggled;
    for (int run = 0; run < Runs; ++run) {
        page.LVSync->rows().clear();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        page.ReDisplayList();
        QApplication::processEvents();
        shown.push_back(msSince(timer));

        SetProp(page.CBW_Egal, "Checked", run % 2 == 1);
        timer.restart();
        page.CBW_Click();
        QApplication::processEvents();
        toggled.push_back(msSince(timer));
        SetProp(page.CBW_Egal, "Checked", true);
    }
    std::printf("rows %d: list shown %.0f ms, filter toggle %.0f ms\n", FileCount, median(shown), median(toggled));
    return 0;
}
