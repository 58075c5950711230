#include "rename/core/RenamePreview.h"
#include "RenameCoreTest.h"

#include <QFile>
#include <QFileInfo>

using namespace ardl;

namespace {

class RenamePlanTest : public test::RenameCoreTest {
protected:
    std::vector<int> groupRows(const RenamePlan &plan, size_t g) const { return plan.groups.at(g).rows; }
};

using P = RowProblem;

} // namespace

TEST_F(RenamePlanTest, TwoFilesNamedAfterTheirFolderGiveOneOkAndOneErr)
{
    makeDir("docs");
    writeFile("docs/a.txt", "a");
    writeFile("docs/b.txt", "b");
    RenameOptions o;
    o.NameMode = ModeFolderName;
    const RenamePreview preview = PreviewRenames({ItemFromPath(path("docs/a.txt")), ItemFromPath(path("docs/b.txt"))},
                                                 o);
    ASSERT_EQ(preview.plan.rows.size(), 2u);
    EXPECT_EQ(preview.items[1].FileName(), QStringLiteral("docs.txt"));
    EXPECT_EQ(StatusText(preview.plan.rows[0]), QStringLiteral("Ok"));
    EXPECT_EQ(StatusText(preview.plan.rows[1]), QStringLiteral("Err"));
    EXPECT_EQ(preview.plan.rows[1].problem, P::DuplicateTarget);
    EXPECT_EQ(preview.errorCount(), 1);
}

TEST_F(RenamePlanTest, UnsafeOrUnloggableNewNamesAreErrors)
{
    writeFile("a", "");
    const QString tooLong(256, u'n');
    const std::vector<std::pair<QString, P>> cases = {
        {"", P::BadName},
        {".", P::BadName},
        {"..", P::BadName},
        {"x/y", P::BadName},
        {QString("x") + QChar(u'\0'), P::BadName},
        {tooLong, P::NameTooLong},
        {"x->y", P::NotLoggable},
        {"x\ny", P::NotLoggable},
        {"x\r", P::NotLoggable},
        {QString(255, u'n'), P::None},
        {"b", P::None},
    };
    for (const auto &[name, expected] : cases) {
        const RenamePlan plan = PlanRenames({row("a", name)});
        EXPECT_EQ(plan.rows[0].problem, expected) << name.toStdString();
    }
}

TEST_F(RenamePlanTest, ANewNameThatUtf8CannotHoldIsAnErrWithItsReason)
{
    // Half of a surrogate pair would reach the disk as U+FFFD: the file
    // would get another name than the preview shows.
    writeFile("a", "a");
    const QString lone = QStringLiteral("x") + QChar(0xD83D) + QStringLiteral("y");
    const RenamePlan plan = PlanRenames({row("a", lone)});
    EXPECT_EQ(problems(plan), (std::vector<P>{P::NotWritable}));
    EXPECT_EQ(ProblemText(P::NotWritable), QStringLiteral("The new name cannot be written as a file name"));
    const QString pair = QStringLiteral("x") + QChar(0xD83D) + QChar(0xDE00);
    EXPECT_EQ(problems(PlanRenames({row("a", pair)})), (std::vector<P>{P::None}));
}

TEST_F(RenamePlanTest, MissingFilesAndNamesThatAreNotUtf8AreLeftAlone)
{
    // A name made of bytes that are not UTF-8 decodes to U+FFFD and could
    // not be handed back to the system as it is.
    const QString decoded = writeRawNamedFile("bad\xff.txt");
    ASSERT_TRUE(decoded.contains(QChar(0xFFFD)));

    const RenamePlan plan = PlanRenames({MakePlanRow(decoded, dir(), "good.txt"), row("gone", "here")});
    EXPECT_EQ(problems(plan), (std::vector<P>{P::NotUtf8, P::SourceMissing}));
    EXPECT_TRUE(plan.groups.empty());
}

TEST_F(RenamePlanTest, AFileThatIsGoneIsAnErrWhetherOrNotItsNameChanges)
{
    writeFile("here", "");
    const RenamePlan plan = PlanRenames({row("gone", "gone"), row("gone2", "other"), row("here", "here")});
    EXPECT_EQ(problems(plan), (std::vector<P>{P::SourceMissing, P::SourceMissing, P::None}));
    EXPECT_EQ(StatusText(plan.rows[0]), QStringLiteral("Err"));
    EXPECT_EQ(ProblemText(plan.rows[0].problem), QStringLiteral("The file is no longer there"));
    // A file that is gone holds no place: another row may take its name.
    EXPECT_EQ(problems(PlanRenames({row("gone", "gone"), row("here", "gone")})),
              (std::vector<P>{P::SourceMissing, P::None}));
}

TEST_F(RenamePlanTest, AFileInTheWayMustMoveAwayItself)
{
    for (const char *name : {"a", "b", "c", "d", "kept", "unlisted"})
        writeFile(name, name);
    const RenamePlan plan = PlanRenames({
        row("a", "unlisted"), // an unlisted file is in the way
        row("b", "c"),        // c moves away: fine
        row("c", "c2"),
        row("d", "kept"), // kept stays where it is, even though it comes later
        row("kept", "kept"),
    });
    EXPECT_EQ(problems(plan), (std::vector<P>{P::TargetExists, P::None, P::None, P::DuplicateTarget, P::None}));
}

TEST_F(RenamePlanTest, ARowThatCannotMoveBlocksTheRowsWaitingForItsPlace)
{
    for (const char *name : {"1", "2", "3", "x"})
        writeFile(name, name);
    const RenamePlan plan = PlanRenames({row("1", "2"), row("2", "3"), row("3", "x")});
    EXPECT_EQ(problems(plan), (std::vector<P>{P::TargetExists, P::TargetExists, P::TargetExists}));

    // A listed file marked for another reason stays where it is too.
    const RenamePlan bad = PlanRenames({row("1", "2"), row("2", "a/b")});
    EXPECT_EQ(problems(bad), (std::vector<P>{P::TargetExists, P::BadName}));
}

TEST_F(RenamePlanTest, ChainsRunFromTheFreeEndAndCyclesGoThroughATemporaryName)
{
    for (const char *name : {"1", "2", "3", "a", "b", "x", "y", "z"})
        writeFile(name, name);
    const RenamePlan plan = PlanRenames({
        row("1", "2"), row("2", "3"), row("3", "4"), // chain
        row("a", "b"), row("b", "a"),                // swap
        row("x", "y"), row("y", "z"), row("z", "x"), // three-way cycle
    });
    EXPECT_EQ(plan.errorCount(), 0);
    ASSERT_EQ(plan.groups.size(), 3u);
    EXPECT_FALSE(plan.groups[0].cycle);
    EXPECT_EQ(groupRows(plan, 0), (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(plan.groups[1].cycle);
    EXPECT_EQ(groupRows(plan, 1), (std::vector<int>{3, 4}));
    EXPECT_TRUE(plan.groups[2].cycle);
    // x leaves first; z takes x's place, y takes z's, x arrives at y last.
    EXPECT_EQ(groupRows(plan, 2), (std::vector<int>{5, 7, 6}));
}

TEST_F(RenamePlanTest, FilesListedTwiceAndUnchangedRows)
{
    writeFile("a", "");
    const RenamePlan plan = PlanRenames({row("a", "b"), row("a", "c"), row("a", "a")});
    EXPECT_EQ(problems(plan), (std::vector<P>{P::None, P::DuplicateSource, P::DuplicateSource}));
    const RenamePlan same = PlanRenames({row("a", "a")});
    EXPECT_TRUE(same.rows[0].ok());
    EXPECT_FALSE(same.rows[0].moves());
    EXPECT_TRUE(same.groups.empty());
}

TEST_F(RenamePlanTest, AFolderAskedAboutManyTimesIsReadWholeAndAnswersAsTheDisk)
{
    // Enough rows that the folder is listed once instead of asked name by
    // name; names that are not UTF-8 and names that are not ASCII sit among
    // the others.
    writeRawNamedFile("bad\xff.txt");
    writeFile(QStringLiteral("taken_\u00e9"), "");
    writeFile(QStringLiteral("caf\u00e9"), "");
    std::vector<PlanRow> rows;
    std::vector<P> expected;
    for (int i = 0; i < 40; ++i) {
        writeFile(QStringLiteral("f%1").arg(i), "");
        rows.push_back(row(QStringLiteral("f%1").arg(i), QStringLiteral("g%1").arg(i)));
        expected.push_back(P::None);
    }
    rows.push_back(row(QStringLiteral("f0"), QStringLiteral("x")));
    expected.push_back(P::DuplicateSource);
    rows.push_back(row(QStringLiteral("f1x"), QStringLiteral("y")));
    expected.push_back(P::SourceMissing);
    rows.push_back(row(QStringLiteral("caf\u00e9"), QStringLiteral("taken_\u00e9")));
    expected.push_back(P::TargetExists);
    rows.push_back(row(QStringLiteral("f1"), QStringLiteral("g1")));
    expected.push_back(P::DuplicateSource);
    rows.push_back(row(QStringLiteral("taken_\u00e9"), QStringLiteral("bad\ufffd.txt")));
    expected.push_back(P::NotUtf8);
    const RenamePlan plan = PlanRenames(rows);
    EXPECT_EQ(problems(plan), expected);
    EXPECT_EQ(plan.groups.size(), 40u);

    // The same questions one by one get the same answers.
    EXPECT_EQ(problems(PlanRenames({row(QStringLiteral("caf\u00e9"), QStringLiteral("taken_\u00e9"))})),
              (std::vector<P>{P::TargetExists}));
    EXPECT_EQ(problems(PlanRenames({row(QStringLiteral("caf\u00e9"), QStringLiteral("taken_e"))})),
              (std::vector<P>{P::None}));
}

TEST(RenameTestFolders, AreRemovedWhateverTheNamesInThem)
{
    struct OneTest : test::RenameCoreTest {
        void TestBody() override {}
        QString fill()
        {
            writeRawNamedFile("bad\xff.txt");
            makeDir("sub");
            writeRawNamedFile("sub/\xfe");
            return path();
        }
    };
    QString folder;
    {
        OneTest made;
        folder = made.fill();
        ASSERT_TRUE(QFileInfo(folder).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}
