// The Rename page with 100,000 files: the time to list them in LVFile (a
// dropped folder), and the time from a click on Preview to the filled
// preview list with every rule on. Prints milliseconds, medians of runs.
#include "rename/ui/RenamePage.h"

#include "common/ui/ControlLibrary.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QCheckBox>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ardl;

namespace {

constexpr int FileCount = 100000;
constexpr int Runs = 5;

void makeTree(const QString &root)
{
    for (int i = 0; i < FileCount; ++i) {
        const QString folder = root + QStringLiteral("/dir%1").arg(i / 10000);
        if (i % 10000 == 0)
            QDir().mkpath(folder);
        QFile(folder + QStringLiteral("/Some File name %1.txt").arg(i)).open(QIODevice::WriteOnly);
    }
}

void everyRuleOn(RenamePage &page)
{
    page.opt1Insert->click();
    page.txt1Before->setText(QStringLiteral("pre_"));
    page.txt1After->setText(QStringLiteral("_post"));
    page.opt2After->click();
    SetProp(page.UDSZeroFill, "Value", 6);
    page.chkInitDir->click();
    page.opt3Fixed->click();
    page.txt3Fixed->setText(QStringLiteral("Dat"));
    page.opt4First->click();
    page.chkSub->click();
    page.txt4Replace->setText(QStringLiteral("FILE"));
    page.txt4With->setText(QStringLiteral("doc"));
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    makeTree(tmp.path());

    std::vector<double> listing, preview;
    for (int run = 0; run < Runs; ++run) {
        RenamePage page;
        page.LoadCaptions();
        page.SetListHeaders();
        page.resize(1200, 800);
        page.show();
        everyRuleOn(page);
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        page.LVFile_OLEDragDrop({tmp.path()});
        QApplication::processEvents();
        listing.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        page.cmdPreview_Click();
        QApplication::processEvents();
        preview.push_back(timer.nsecsElapsed() / 1e6);
        if (page.LVPreview->rows().rowCount() != FileCount) {
            std::fprintf(stderr, "the preview lists %d rows\n", page.LVPreview->rows().rowCount());
            return 1;
        }
    }
    std::printf("list %d files in LVFile        %8.1f ms\n", FileCount, median(listing));
    std::printf("preview click to list, all rules %6.1f ms\n", median(preview));
    return 0;
}
