// Figures for the folder scan and the list sort.
//   ardl_scan_bench generate DIR        100,000 files in 2,000 folders
//   ardl_scan_bench scan DIR            scans DIR into a colFile and prints
//                                       "size mtime path" per file
//   ardl_scan_bench memory DIR          heap taken by the scanned collection
//   ardl_scan_bench sort ROWS           sorting ROWS rows by each column type
#include "common/core/ListCells.h"
#include "common/core/ListSort.h"
#include "common/core/modFindFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include <malloc.h>
#include <sys/time.h>

using namespace ardl;

namespace {

constexpr int kTopFolders = 40;
constexpr int kFoldersPerTop = 50;   // the top folder itself and 49 below it
constexpr int kFilesPerFolder = 50;

int generate(const QString &root)
{
    std::mt19937 random(42);
    QByteArray content(4096, 'x');
    int files = 0;
    for (int top = 0; top < kTopFolders; ++top) {
        for (int sub = 0; sub < kFoldersPerTop; ++sub) {
            QString folder = root + QStringLiteral("/top%1").arg(top, 2, 10, QLatin1Char('0'));
            if (sub > 0)
                folder += QStringLiteral("/sub%1").arg(sub, 2, 10, QLatin1Char('0'));
            if (!QDir().mkpath(folder))
                return std::fprintf(stderr, "cannot create %s\n", qPrintable(folder)), 1;
            for (int i = 0; i < kFilesPerFolder; ++i, ++files) {
                const QString path = folder + QStringLiteral("/file%1.dat").arg(i, 3, 10, QLatin1Char('0'));
                QFile f(path);
                if (!f.open(QIODevice::WriteOnly))
                    return std::fprintf(stderr, "cannot write %s\n", qPrintable(path)), 1;
                f.write(content.constData(), random() % content.size());
                f.close();
                const long when = 1500000000L + long(random() % 200000000);
                const timeval times[2] = {{when, 0}, {when, long(random() % 1000000)}};
                ::utimes(path.toUtf8().constData(), times);
            }
        }
    }
    std::printf("%d files in %d folders\n", files, kTopFolders * kFoldersPerTop);
    return 0;
}

void scanInto(colFile &files, const QString &root)
{
    ScanOptions opt;
    opt.Path = root;
    opt.Mask = QStringLiteral("*.*");
    opt.Recursive = true;
    SearchForFilesArray(files, opt);
}

int scan(const QString &root)
{
    colFile files;
    scanInto(files, root);
    for (const clsFile &f : files)
        std::printf("%lld %lld %s\n", static_cast<long long>(f.Size),
                    static_cast<long long>(f.Date.toSecsSinceEpoch()), f.Name.toUtf8().constData());
    return 0;
}

int memory(const QString &root)
{
    const size_t before = mallinfo2().uordblks;
    colFile files;
    scanInto(files, root);
    const size_t after = mallinfo2().uordblks;
    std::printf("%lld entries take %.1f MB\n", static_cast<long long>(files.Count()),
                double(after - before) / (1024.0 * 1024.0));
    return 0;
}

double medianMs(ListViewModel &model, int column, const QString &type)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        // Start each run from the same shuffled order.
        std::vector<int> order(size_t(model.rowCount()));
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), std::mt19937(run));
        model.reorder(order);
        int last = 0;
        const auto start = std::chrono::steady_clock::now();
        SortListRows(model, last, column, type);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int sort(int rows)
{
    std::mt19937 random(7);
    ListViewModel model;
    model.setColumns({ListColumn(QStringLiteral("Files")), ListColumn(QStringLiteral("Size"), QStringLiteral("NUMBER")),
                      ListColumn(QStringLiteral("Date"), QStringLiteral("DATE"))});
    std::vector<ListRow> all;
    all.reserve(size_t(rows));
    const QDateTime base(QDate(2010, 1, 1), QTime(0, 0));
    for (int i = 0; i < rows; ++i) {
        ListRow row;
        row.cells << QStringLiteral("Holiday photo %1.jpg").arg(random() % 1000000)
                  << FormatSizeCell(qint64(random()) * 37)
                  << FormatDateCell(base.addSecs(qint64(random() % 400000000)));
        all.push_back(std::move(row));
    }
    model.addRows(std::move(all));
    std::printf("sort %d rows: text %.0f ms, NUMBER %.0f ms, DATE %.0f ms\n", rows,
                medianMs(model, 1, QString()), medianMs(model, 2, QStringLiteral("NUMBER")),
                medianMs(model, 3, QStringLiteral("DATE")));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    const QString arg = args.value(2);
    if (command == QLatin1String("generate") && !arg.isEmpty())
        return generate(arg);
    if (command == QLatin1String("scan") && !arg.isEmpty())
        return scan(arg);
    if (command == QLatin1String("memory") && !arg.isEmpty())
        return memory(arg);
    if (command == QLatin1String("sort"))
        return sort(arg.isEmpty() ? 100000 : arg.toInt());
    std::fprintf(stderr, "usage: ardl_scan_bench generate|scan|memory DIR, or sort ROWS\n");
    return 2;
}
