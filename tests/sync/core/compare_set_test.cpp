#include "SyncTestSupport.h"

#include "common/core/ScriptedPrompter.h"
#include "sync/core/CompareRun.h"
#include "sync/core/modClass.h"

using namespace ardl;
using namespace ardl::test;

namespace {

const QDateTime T0 = Local(2024, 5, 6, 7, 8, 9);

class CompareSetTest : public SyncTreeTest {
protected:
    void SetUp() override
    {
        SyncItems().clear();
        left(QStringLiteral("only left.txt"), "L", T0);
        left(QStringLiteral("sub/same.txt"), "same", T0);
        right(QStringLiteral("sub/same.txt"), "same", T0);
        left(QStringLiteral("size.txt"), "123", T0);
        right(QStringLiteral("size.txt"), "1234", T0);
        left(QStringLiteral("date.txt"), "d", T0);
        right(QStringLiteral("date.txt"), "d", T0.addSecs(1));
        right(QStringLiteral("deep/er/only right.txt"), "R", T0);
    }
};

} // namespace

TEST_F(CompareSetTest, ClassifiesEachKindOfPairAndIgnoreDateMakesDateOnlyDifferencesSame)
{
    CompareResult result = RunCompare(DirRequest(leftRoot(), rightRoot()));
    ASSERT_TRUE(result.completed);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.leftFiles, 4);
    EXPECT_EQ(result.rightFiles, 4);
    const std::map<QString, int> expected{
        {QStringLiteral("only left.txt"), CompareType::LeftOnly},
        {QStringLiteral("sub/same.txt"), CompareType::Same},
        {QStringLiteral("size.txt"), CompareType::Different},
        {QStringLiteral("date.txt"), CompareType::Different},
        {QStringLiteral("deep/er/only right.txt"), CompareType::RightOnly},
    };
    EXPECT_EQ(ClassesOfSyncItems(), expected);
    for (const clsList &item : SyncItems())
        EXPECT_EQ(item.iType, item.iOrginalType);   // the action starts as the class

    // Left records come first in listing order, then the right-only ones.
    ASSERT_EQ(SyncItems().Count(), 5);
    EXPECT_EQ(SyncItems().Item(5).L_File, QStringLiteral("deep/er/only right.txt"));
    const clsList &rightOnly = SyncItems().Item(5);
    EXPECT_EQ(rightOnly.R_File, rightOnly.L_File);
    EXPECT_FALSE(rightOnly.bLeft);
    EXPECT_EQ(rightOnly.L_Size, 0);

    CompareRequest ignoring = DirRequest(leftRoot(), rightRoot());
    ignoring.IgnoreDate = true;
    ASSERT_TRUE(RunCompare(ignoring).completed);
    EXPECT_EQ(ClassesOfSyncItems()[QStringLiteral("date.txt")], CompareType::Same);
    EXPECT_EQ(ClassesOfSyncItems()[QStringLiteral("size.txt")], CompareType::Different);
    EXPECT_EQ(SyncItems().Count(), 5);   // a new run starts from an empty set
}

TEST_F(CompareSetTest, RootsPairTheSameWithOrWithoutTheirTrailingSeparator)
{
    const QString leftNoSlash = path(QStringLiteral("left"));
    const QString rightSlash = path(QStringLiteral("right//"));
    ASSERT_TRUE(RunCompare(DirRequest(leftNoSlash, rightSlash)).completed);
    EXPECT_EQ(ClassesOfSyncItems()[QStringLiteral("sub/same.txt")], CompareType::Same);
    EXPECT_EQ(SyncItems().Count(), 5);
}

TEST_F(CompareSetTest, NamesCompareWithCase)
{
    left(QStringLiteral("Docs/Read.txt"), "x", T0);
    right(QStringLiteral("docs/read.txt"), "x", T0);
    right(QStringLiteral("docs/READ.txt"), "x", T0);
    ASSERT_TRUE(RunCompare(DirRequest(leftRoot(), rightRoot())).completed);
    auto classes = ClassesOfSyncItems();
    EXPECT_EQ(classes[QStringLiteral("Docs/Read.txt")], CompareType::LeftOnly);
    EXPECT_EQ(classes[QStringLiteral("docs/read.txt")], CompareType::RightOnly);
    EXPECT_EQ(classes[QStringLiteral("docs/READ.txt")], CompareType::RightOnly);
}

TEST(SyncItemSet, PairsRecordsAndKeepsTheirTypes)
{
    SyncItemSet set;
    EXPECT_TRUE(set.addLeft(QStringLiteral("a.txt"), 5, T0));
    EXPECT_FALSE(set.addLeft(QStringLiteral("a.txt"), 6, T0));   // the first record stays
    set.addRight(QStringLiteral("a.txt"), 5, T0);
    set.addRight(QStringLiteral("b.txt"), 7, T0);
    EXPECT_FALSE(set.setRight(QStringLiteral("c.txt"), 1, T0));
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Item(1).L_Size, 5);
    EXPECT_TRUE(set.Item(1).bLeft && set.Item(1).bRight && set.Item(1).bVisible);

    set.classify(false);
    EXPECT_EQ(set.originalType(QStringLiteral("a.txt")), CompareType::Same);
    EXPECT_EQ(set.originalType(QStringLiteral("b.txt")), CompareType::RightOnly);
    EXPECT_TRUE(set.setType(QStringLiteral("b.txt"), CompareType::Skip));
    EXPECT_EQ(set.type(QStringLiteral("b.txt")), CompareType::Skip);
    EXPECT_EQ(set.originalType(QStringLiteral("b.txt")), CompareType::RightOnly);
    EXPECT_FALSE(set.type(QStringLiteral("none")).has_value());
}

TEST(SyncItemSet, SizesAndDatesCompareByWhatIsKnown)
{
    // An older sync file's negative size holds the low 32 bits only.
    EXPECT_TRUE(SameSize(3000000000LL, true, 3000000000LL));
    EXPECT_TRUE(SameSize(0, true, 4294967296LL));
    EXPECT_FALSE(SameSize(0, false, 4294967296LL));
    EXPECT_FALSE(SameSize(-1, false, -1));

    const QDateTime minute(QDate(2024, 5, 6), QTime(7, 8), Qt::UTC);
    EXPECT_TRUE(SameDate(minute, DatePrecision::Minute, minute.addSecs(59)));
    EXPECT_FALSE(SameDate(minute, DatePrecision::Minute, minute.addSecs(60)));
    EXPECT_FALSE(SameDate(minute, DatePrecision::Minute, minute.addSecs(-1)));
    EXPECT_FALSE(SameDate(minute, DatePrecision::Second, minute.addSecs(1)));
    const QDateTime day(QDate(2019, 3, 4), QTime(0, 0), Qt::UTC);
    EXPECT_TRUE(SameDate(day, DatePrecision::Day, day.addSecs(86399)));
    EXPECT_FALSE(SameDate(day, DatePrecision::Day, day.addDays(1)));
    // The same instant in two zones is the same date.
    EXPECT_TRUE(SameDate(minute, DatePrecision::Second, minute.toLocalTime()));
    EXPECT_FALSE(SameDate(QDateTime(), DatePrecision::Second, QDateTime()));
}

TEST(modClass, UnknownNamesAndDuplicatesAreReportedNamingTheProcedure)
{
    ScriptedPrompter prompts;
    ScopedPrompter scope(prompts);
    SyncItems().clear();
    AddItemL(QStringLiteral("A.txt"), 1, T0);
    AddItemL(QStringLiteral("A.txt"), 2, T0);
    AddItemR(QStringLiteral("a.txt"), 1, T0);
    EXPECT_EQ(GetType(QStringLiteral("missing")), 0);
    SetType(QStringLiteral("missing"), 3);
    ClassifyItems(false);
    EXPECT_EQ(GetOriginalType(QStringLiteral("A.txt")), CompareType::LeftOnly);
    EXPECT_EQ(GetOriginalType(QStringLiteral("a.txt")), CompareType::RightOnly);
    const QStringList shown = prompts.messages();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QStringLiteral("Error 457: This key is already associated with an element of "
                                       "this collection\r\nin modClass.AddItemL.\r\n"));
    EXPECT_TRUE(shown[1].endsWith(QStringLiteral("in modClass.GetType.\r\n")));
    EXPECT_TRUE(shown[2].endsWith(QStringLiteral("in modClass.SetType.\r\n")));
    EXPECT_EQ(prompts.asked[0].icon, MsgIcon::Critical);
    EXPECT_EQ(prompts.asked[0].title, QStringLiteral("Error"));
}

TEST(CompareTypes, EveryIconStandsForOnePairAndCyclesLikeTheList)
{
    for (int icon = SyncActionIcon::First; icon <= SyncActionIcon::Last; ++icon)
        EXPECT_EQ(ActionIcon(IconClass(icon), IconAction(icon)), icon);
    EXPECT_EQ(ActionIcon(CompareType::Same, CompareType::Skip), 0);
    EXPECT_EQ(IconClass(10), -1);

    int icon = SyncActionIcon::DifferentNone;
    QList<int> seen;
    for (int i = 0; i < 4; ++i)
        seen << (icon = NextActionIcon(icon));
    EXPECT_EQ(seen, (QList<int>{7, 8, 9, 4}));
    EXPECT_EQ(NextActionIcon(SyncActionIcon::Same), SyncActionIcon::Same);
    EXPECT_EQ(NextActionIcon(NextActionIcon(SyncActionIcon::RightOnlyCopy)), SyncActionIcon::RightOnlyCopy);
    EXPECT_TRUE(CopiesLeftToRight(7) && CopiesLeftToRight(3) && !CopiesLeftToRight(6));
    EXPECT_TRUE(CopiesRightToLeft(1) && CopiesRightToLeft(8) && !CopiesRightToLeft(5));
}
