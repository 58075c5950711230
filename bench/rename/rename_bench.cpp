// Rule engine and preview over 100,000 listed files with every rule on.
#include "rename/core/RenamePreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace ardl;

namespace {

constexpr int FileCount = 100000;

RenameOptions everyRuleOn()
{
    RenameOptions o;
    o.NameMode = ModeInsert;
    o.Prefix = QStringLiteral("pre_");
    o.Suffix = QStringLiteral("_post");
    o.NumberMode = ModeNumberAfter;
    o.StartNumber = 1;
    o.Increment = 1;
    o.ZeroFill = 6;
    o.InitPerFolder = true;
    o.ExtMode = ModeFixed;
    o.NewExt = QStringLiteral("Dat");
    o.CaseMode = ModeCapitalize;
    o.Substitute = true;
    o.FindText = QStringLiteral("FILE");
    o.ReplaceText = QStringLiteral("doc");
    return o;
}

std::vector<RenameItem> listedFiles(const QString &root)
{
    std::vector<RenameItem> files;
    files.reserve(FileCount);
    for (int i = 0; i < FileCount; ++i) {
        const QString folder = root + QStringLiteral("/dir%1/").arg(i / 10000);
        files.push_back({folder, QStringLiteral("Some File name %1").arg(i), QStringLiteral("txt")});
    }
    return files;
}

void BM_RuleEngine100k(benchmark::State &state)
{
    const std::vector<RenameItem> files = listedFiles(QStringLiteral("/home/user/photos"));
    for (auto _ : state) {
        RenameOptions o = everyRuleOn();
        benchmark::DoNotOptimize(ApplyRulesToList(files, o));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * FileCount);
}
BENCHMARK(BM_RuleEngine100k)->Unit(benchmark::kMillisecond);

// Rules plus the checks against each other and the disk, on real files.
void BM_Preview100kOnDisk(benchmark::State &state)
{
    QTemporaryDir tmp;
    const std::vector<RenameItem> files = listedFiles(tmp.path());
    for (int d = 0; d * 10000 < FileCount; ++d)
        QDir().mkpath(tmp.path() + QStringLiteral("/dir%1").arg(d));
    for (const RenameItem &item : files)
        QFile(item.FullName()).open(QIODevice::WriteOnly);
    for (auto _ : state) {
        RenameOptions o = everyRuleOn();
        const RenamePreview preview = PreviewRenames(files, o);
        if (preview.errorCount() != 0)
            state.SkipWithError("unexpected errors in the preview");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * FileCount);
}
BENCHMARK(BM_Preview100kOnDisk)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Each iteration frees some ten megabytes at once; without this the C
    // library hands them back to the system and the next iteration faults
    // them in again, which times the kernel rather than the rules.
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
