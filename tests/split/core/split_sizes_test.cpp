#include "split/core/SplitSizes.h"
#include "platform/splitlib/SplitLayout.h"
#include "support/TestSupport.h"

using namespace ardl;

namespace {

SplitSettings byParts(qint64 k, bool exe = false)
{
    SplitSettings s;
    s.options.SplitBy = SplitByParts;
    s.partCount = k;
    s.includeExe = exe;
    return s;
}

SplitSettings custom(qint64 size, int32_t unit)
{
    SplitSettings s;
    s.options.SizeMode = SizeModeCustom;
    s.options.CustomSize = size;
    s.options.SizeUnit = unit;
    return s;
}

} // namespace

TEST(SplitSizes, NumbersAreDigitsOnly)
{
    EXPECT_EQ(NumberFromText(QStringLiteral("0")), 0);
    EXPECT_EQ(NumberFromText(QStringLiteral("0044000")), 44000);
    EXPECT_EQ(NumberFromText(QStringLiteral("999999999999999999")), 999999999999999999LL);
    for (const char *bad : {"", " 1", "1e3", "-5", "+5", "1.5", "١٢", "9999999999999999999"})
        EXPECT_EQ(NumberFromText(QString::fromUtf8(bad)), std::nullopt) << bad;
}

TEST(SplitSizes, DownloadSizeRoundsHalvesToEven)
{
    // One second at 20 bits per second is 2.5 bytes, at 28 it is 3.5.
    EXPECT_EQ(DownloadBytes({"0", "0", "1", "20"}), 2);
    EXPECT_EQ(DownloadBytes({"0", "0", "1", "28"}), 4);
    EXPECT_EQ(DownloadBytes({"0", "0", "1", "12"}), 2);   // 1.5
    EXPECT_EQ(DownloadBytes({"1", "2", "3", "44000"}), (3600 + 120 + 3) * 5500);
    EXPECT_EQ(DownloadBytes({"0", "0", "0", "44000"}), 0);
    EXPECT_EQ(DownloadBytes({"", "0", "0", "44000"}), std::nullopt);
    // Beyond any file size.
    EXPECT_EQ(DownloadBytes({"999999999", "0", "0", "999999999"}), std::nullopt);
    // Far beyond the 32 bits of the old figures, still exact.
    EXPECT_EQ(DownloadBytes({"100", "0", "0", "1000000"}), 100LL * 3600 * 125000);
}

TEST(SplitSizes, SizeLimitOfEachMode)
{
    SplitOptions o;
    const DownloadTime t{"0", "1", "0", "8000"};
    for (auto [mode, size] : {std::pair{SizeMode720, Size720}, {SizeMode144, Size144}, {SizeMode288, Size288},
                              {SizeModeDownload, 60000LL}}) {
        o.SizeMode = mode;
        EXPECT_EQ(SizeLimit(o, t), size);
    }
    EXPECT_EQ(SizeLimit(custom(999, UnitMb).options, t), 999LL * 1048576);
    EXPECT_EQ(SizeLimit(custom(999999, UnitKb).options, t), 999999LL * 1024);
    EXPECT_EQ(SizeLimit(custom(5, UnitBytes).options, t), 5);
}

TEST(SplitSizes, BySizeAtTheEdgesOfThePart)
{
    SplitSettings s;   // 1456128 bytes
    constexpr qint64 P = Size144;
    for (auto [length, count] : {std::pair<qint64, qint64>{0, 0}, {1, 1}, {P - 1, 1}, {P, 1}, {P + 1, 2}, {3 * P, 3}}) {
        const PartPlan plan = PlanParts(length, s, 0);
        EXPECT_EQ(plan.status, PartPlan::Ok);
        EXPECT_EQ(plan.part, P);
        EXPECT_EQ(plan.first, P);
        EXPECT_EQ(plan.count, count) << length;
    }
    // A 1,000,000-byte file keeps the preset as its part size.
    EXPECT_EQ(PlanParts(1000000, s, 0).part, P);
}

TEST(SplitSizes, TheMergeProgramTakesItsRoomFromTheFirstFile)
{
    SplitSettings s;
    s.includeExe = true;
    const qint64 overhead = SelfMergeOverhead(SplitName::FromFileName(QStringLiteral("Report.doc")));
    EXPECT_EQ(overhead, 45056 + 50 + 6 + 3);
    const PartPlan plan = PlanParts(3000000, s, overhead);
    EXPECT_EQ(plan.first, Size144 - overhead);
    EXPECT_EQ(plan.count, 3);
    EXPECT_EQ(PlanParts(2 * Size144 - overhead, s, overhead).count, 2);
    EXPECT_EQ(PlanParts(2 * Size144 - overhead + 1, s, overhead).count, 3);

    // A part of 40,000 bytes cannot hold the program.
    SplitSettings small = custom(40000, UnitBytes);
    small.includeExe = true;
    EXPECT_EQ(PlanParts(3000000, small, overhead).status, PartPlan::NotPositive);
    EXPECT_EQ(PlanParts(3000000, custom(0, UnitKb), 0).status, PartPlan::NotPositive);
}

TEST(SplitSizes, ByNumberGivesExactlyThatManyFiles)
{
    // Ten bytes in four parts: 3, 3, 3 and 1 (2.5 rounded up, not to even).
    PartPlan plan = PlanParts(10, byParts(4), 0);
    EXPECT_EQ(plan.part, 3);
    EXPECT_EQ(plan.count, 4);

    for (qint64 overhead : {0, 7, 45115}) {
        for (qint64 k = 1; k <= 24; ++k) {
            for (qint64 length = 0; length <= 400; ++length) {
                plan = PlanParts(length, byParts(k, overhead > 0), overhead);
                if (plan.status != PartPlan::Ok) {
                    // Without the merge program, only when there are fewer
                    // bytes than files.
                    if (overhead == 0) {
                        EXPECT_LT(length, k) << length << " in " << k;
                    }
                    continue;
                }
                ASSERT_EQ(plan.count, k) << length << " in " << k << " with " << overhead;
                ASSERT_EQ(PartCount(length, plan.first, plan.part), k);
                for (qint64 i = 0; i < k; ++i)
                    ASSERT_GT(PartLength(length, plan.first, plan.part, i), 0);
            }
        }
    }
    // Sizes of 64 bits: 5 GiB in 3 parts.
    plan = PlanParts(5LL << 30, byParts(3), 0);
    EXPECT_EQ(plan.part, ((5LL << 30) + 2) / 3);
    EXPECT_EQ(plan.count, 3);
    // Nothing to split, or fewer bytes than parts.
    EXPECT_EQ(PlanParts(0, byParts(4), 0).status, PartPlan::NotPositive);
    EXPECT_EQ(PlanParts(3, byParts(4), 0).status, PartPlan::NotPositive);
    EXPECT_EQ(PlanParts(4, byParts(4), 0).count, 4);
}
