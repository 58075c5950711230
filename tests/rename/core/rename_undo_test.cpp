#include "rename/core/RenameApply.h"
#include "rename/core/RenameLogWriter.h"
#include "rename/core/RenamePreview.h"
#include "rename/core/UndoRun.h"
#include "RenameCoreTest.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ardl;

namespace {

class RenameUndoTest : public test::RenameCoreTest {
protected:
    // Runs the undo of a log and returns the outcome of each entry.
    std::vector<RowOutcome::Kind> undo(const QString &logPath, const std::vector<int> &drop = {}) const
    {
        RenameLogContents contents;
        EXPECT_TRUE(ReadRenameLog(logPath, contents));
        for (auto it = drop.rbegin(); it != drop.rend(); ++it)
            contents.entries.erase(contents.entries.begin() + *it);
        std::vector<RowOutcome::Kind> kinds(contents.entries.size());
        RunUndo(PlanUndo(contents.entries), [&](int row, const RowOutcome &outcome) {
            kinds[size_t(row)] = outcome.kind;
            return true;
        });
        return kinds;
    }
};

using K = RowOutcome::Kind;

} // namespace

TEST(RenameLogReader, SplitsAtTheArrowAndSkipsWhatItCannotRead)
{
    const RenameLogContents log = ParseRenameLog("/d/old.txt -> /d/new.txt\r\n"
                                                 "/d/same -> /d/same\n"
                                                 "  /d/a  ->   /d/b\r\n"        // extra blanks before each path
                                                 "/d/name  -> /d/trailing \r\n" // blanks at the end of a name are kept
                                                 "\\d\\win.txt -> \\d\\w.txt\r\n" // "\" paths
                                                 "no arrow at all\r\n"
                                                 "/d/x -> /d/y -> /d/z\r\n" // ambiguous
                                                 "relative -> /d/abs\r\n"
                                                 "/d/file -> /d/\r\n"
                                                 "\r\n"
                                                 "/d/last -> /d/no-line-end");
    ASSERT_EQ(log.entries.size(), 6u);
    EXPECT_EQ(log.entries[0].current, QStringLiteral("/d/new.txt"));
    EXPECT_EQ(log.entries[0].restore, QStringLiteral("/d/old.txt"));
    EXPECT_EQ(log.entries[1].current, log.entries[1].restore);
    EXPECT_EQ(log.entries[2].restore, QStringLiteral("/d/a "));
    EXPECT_EQ(log.entries[2].current, QStringLiteral("/d/b"));
    EXPECT_EQ(log.entries[3].restore, QStringLiteral("/d/name "));
    EXPECT_EQ(log.entries[3].current, QStringLiteral("/d/trailing "));
    EXPECT_EQ(log.entries[4].restore, QStringLiteral("/d/win.txt"));
    EXPECT_EQ(log.entries[5].current, QStringLiteral("/d/no-line-end"));
    EXPECT_EQ(log.skippedLines, 4);
}

TEST(RenameLogReader, SkipsLinesInAnotherEncodingAndPassesOverAByteOrderMark)
{
    // "café" in a single-byte code page: read as UTF-8 it would give the
    // file a look-alike name, U+FFFD for the "é".
    const RenameLogContents log = ParseRenameLog("\xEF\xBB\xBF/d/first -> /d/1\r\n"
                                                 "/d/caf\xE9.mp3 -> /d/cafe.mp3\r\n"
                                                 "/d/caf\xC3\xA9 -> /d/\xE9t\xE9\r\n"
                                                 "/d/\xC3\xA9t\xC3\xA9 -> /d/summer\r\n");
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].restore, QStringLiteral("/d/first"));
    EXPECT_EQ(log.entries[0].current, QStringLiteral("/d/1"));
    EXPECT_EQ(log.entries[1].restore, QStringLiteral("/d/\u00E9t\u00E9"));
    EXPECT_EQ(log.skippedLines, 2);
}

TEST_F(RenameUndoTest, UndoOfAnApplyLogRestoresNamesContentAndTimes)
{
    writeOldFile("x.txt", "X");
    writeOldFile("y.txt", "Y");
    writeOldFile("keep.txt", "K");
    RenameOptions o;
    o.NumberMode = ModeNumberAfter;
    o.Increment = 1;
    o.Substitute = true;
    o.FindText = QStringLiteral("keep");
    o.ReplaceText = QStringLiteral("keep");
    o.NameMode = ModeInsert;
    o.Prefix = QStringLiteral("n-");
    std::vector<RenameItem> files = {ItemFromPath(dir() + "x.txt"), ItemFromPath(dir() + "y.txt")};
    RenamePreview preview = PreviewRenames(files, o);
    preview.plan.rows.push_back(MakePlanRow(dir() + "keep.txt", dir(), "keep.txt"));
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    ASSERT_EQ(ApplyRenamePlan(preview.plan, &log).renamed, 2);
    log.close();
    EXPECT_EQ(listing(), QStringList({"Log.log", "keep.txt", "n-x0.txt", "n-y1.txt"}));

    EXPECT_EQ(undo(path("Log.log")), (std::vector<K>{K::Renamed, K::Renamed, K::Unchanged}));
    EXPECT_EQ(listing(), QStringList({"Log.log", "keep.txt", "x.txt", "y.txt"}));
    EXPECT_EQ(readFile("y.txt"), "Y");
    EXPECT_EQ(QFileInfo(path("x.txt")).lastModified(), test::OldFileTime);
}

TEST_F(RenameUndoTest, UndoPutsSwapsAndChainsBackWhole)
{
    writeOldFile("a", "was b");
    writeOldFile("b", "was a");
    writeOldFile("2", "was 1");
    writeOldFile("3", "was 2");
    const QByteArray d = QFile::encodeName(dir());
    writeFile("swap.log", d + "a -> " + d + "b\r\n" + d + "b -> " + d + "a\r\n" + d + "1 -> " + d + "2\r\n" + d
                              + "2 -> " + d + "3\r\n");
    EXPECT_EQ(undo(path("swap.log")), (std::vector<K>(4, K::Renamed)));
    EXPECT_EQ(readFile("a"), "was a");
    EXPECT_EQ(readFile("b"), "was b");
    EXPECT_EQ(readFile("1"), "was 1");
    EXPECT_EQ(readFile("2"), "was 2");
    EXPECT_EQ(listing(), QStringList({"1", "2", "a", "b", "swap.log"}));
}

TEST_F(RenameUndoTest, UndoNeverReplacesAFileInTheWay)
{
    writeOldFile("new", "renamed file");
    writeOldFile("old", "someone else's file");
    writeOldFile("other-new", "O");
    const QByteArray d = QFile::encodeName(dir());
    writeFile("u.log", d + "old -> " + d + "new\r\n" + d + "other-old -> " + d + "other-new\r\n");
    // Dropping a row from the list leaves its file alone.
    EXPECT_EQ(undo(path("u.log"), {1}), (std::vector<K>{K::Skipped}));
    EXPECT_EQ(readFile("old"), "someone else's file");
    EXPECT_EQ(readFile("new"), "renamed file");
    EXPECT_EQ(readFile("other-new"), "O");

    const RenamePlan plan = PlanUndo({{dir() + "new", dir() + "old"}});
    EXPECT_EQ(plan.rows[0].problem, RowProblem::TargetExists);
}

TEST_F(RenameUndoTest, AnsweringStopAfterAFailureLeavesTheRestUntouched)
{
    writeOldFile("n2", "2");
    writeOldFile("n3", "3");
    const RenamePlan plan = PlanUndo(
        {{dir() + "n1", dir() + "o1"}, {dir() + "n2", dir() + "o2"}, {dir() + "n3", dir() + "o3"}});
    std::vector<int> heard;
    EXPECT_FALSE(RunUndo(plan, [&](int row, const RowOutcome &outcome) {
        heard.push_back(row);
        return outcome.kind == RowOutcome::Renamed;
    }));
    EXPECT_EQ(heard, (std::vector<int>{0})); // n1 is missing: the plan marks it, the run stops there
    EXPECT_EQ(listing(), QStringList({"n2", "n3"}));
}
