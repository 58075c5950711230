#include "common/core/FileRenamer.h"
#include "rename/core/RenameApply.h"
#include "rename/core/RenameLogReader.h"
#include "rename/core/RenameLogWriter.h"
#include "rename/core/RenamePreview.h"
#include "RenameCoreTest.h"
#include "support/FileContent.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

using namespace ardl;

namespace {

using RenameApplyTest = test::RenameCoreTest;

} // namespace

TEST_F(RenameApplyTest, ApplyRenamesInPlaceAndLogsEveryRowWithCrLf)
{
    writeOldFile("x.txt", "X");
    writeOldFile("y.txt", "Y");
    writeOldFile("z.jpg", "Z");
    QFile::setPermissions(path("y.txt"), QFile::ReadOwner);
    const QFile::Permissions readOnly = QFile::permissions(path("y.txt"));
    RenameOptions o;
    o.NameMode = ModeRemove;
    o.NumberMode = ModeNumberBefore;
    o.StartNumber = 5;
    o.Increment = 1;
    o.ZeroFill = 2;
    const RenamePreview preview = PreviewRenames(
        {ItemFromPath(dir() + "x.txt"), ItemFromPath(dir() + "y.txt"), ItemFromPath(dir() + "z.jpg")}, o);
    ASSERT_EQ(preview.errorCount(), 0);

    RenameLogWriter log;
    writeFile("Log.log", "an earlier log that is replaced whole\r\n");
    ASSERT_TRUE(log.open(path("Log.log")));
    const ApplyResult result = ApplyRenamePlan(preview.plan, &log);
    ASSERT_TRUE(log.close());

    EXPECT_EQ(result.renamed, 3);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(listing(), QStringList({"05.txt", "06.txt", "07.jpg", "Log.log"}));
    EXPECT_EQ(readFile("06.txt"), "Y");
    EXPECT_EQ(QFileInfo(path("05.txt")).lastModified(), test::OldFileTime);
    EXPECT_EQ(QFile::permissions(path("06.txt")), readOnly);
    EXPECT_EQ(result.finalPaths[2], dir() + "07.jpg");
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("Log.log"), d + "x.txt -> " + d + "05.txt\r\n" + d + "y.txt -> " + d + "06.txt\r\n" + d
                                       + "z.jpg -> " + d + "07.jpg\r\n");
}

TEST_F(RenameApplyTest, ChainsSwapsAndCasesLoseNoContent)
{
    writeOldFile("1.txt", "one");
    writeOldFile("2.txt", "two");
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    writeOldFile("c", "C");
    writeOldFile("low.txt", "low");
    const RenamePlan plan = PlanRenames({row("1.txt", "2.txt"), row("2.txt", "3.txt"), row("a", "b"), row("b", "c"),
                                         row("c", "a"), row("low.txt", "LOW.txt")});
    ASSERT_EQ(plan.errorCount(), 0);
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("chain.log")));
    const ApplyResult result = ApplyRenamePlan(plan, &log);
    log.close();
    EXPECT_EQ(result.renamed, 6);
    EXPECT_EQ(readFile("2.txt"), "one");
    EXPECT_EQ(readFile("3.txt"), "two");
    EXPECT_EQ(readFile("a"), "C");
    EXPECT_EQ(readFile("b"), "A");
    EXPECT_EQ(readFile("c"), "B");
    EXPECT_EQ(readFile("LOW.txt"), "low");
    EXPECT_EQ(listing(), QStringList({"2.txt", "3.txt", "LOW.txt", "a", "b", "c", "chain.log"}));
    // Every row has its line, in the order the renames happened.
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_TRUE(
        readFile("chain.log").startsWith(d + "2.txt -> " + d + "3.txt\r\n" + d + "1.txt -> " + d + "2.txt\r\n"));
    EXPECT_EQ(readFile("chain.log").count("\r\n"), 6);
}

TEST_F(RenameApplyTest, AFileInTheWayIsNeverReplacedAndOnlyFilesThatAreThereAreLogged)
{
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    writeOldFile("c", "C");
    writeOldFile("d", "D");
    const RenamePlan plan = PlanRenames({row("a", "new-a"), row("b", "new-b"), row("c", "c"), row("d", "new-d")});
    ASSERT_EQ(plan.errorCount(), 0);
    writeFile("new-a", "in the way"); // after Preview
    QFile::remove(path("b"));

    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    const ApplyResult result = ApplyRenamePlan(plan, &log);
    log.close();
    EXPECT_EQ(result.renamed, 1);
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_EQ(result.failures[0].error, EEXIST);
    EXPECT_EQ(result.failures[1].error, ENOENT);
    EXPECT_EQ(readFile("new-a"), "in the way");
    EXPECT_EQ(readFile("a"), "A");
    const QByteArray d = QFile::encodeName(dir());
    // b is gone: a line for it would name a file that does not exist.
    EXPECT_EQ(readFile("Log.log"),
              d + "a -> " + d + "a\r\n" + d + "c -> " + d + "c\r\n" + d + "d -> " + d + "new-d\r\n");
}

TEST_F(RenameApplyTest, AFileThatKeepsItsNameButIsGoneByApplyGetsNoLine)
{
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    const RenamePlan plan = PlanRenames({row("a", "a"), row("b", "c")});
    ASSERT_EQ(plan.errorCount(), 0);
    QFile::remove(path("a")); // after Preview

    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    EXPECT_EQ(ApplyRenamePlan(plan, &log).renamed, 1);
    ASSERT_TRUE(log.close());
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("Log.log"), d + "b -> " + d + "c\r\n");
}

TEST_F(RenameApplyTest, RowsMarkedErrAreLeftAloneAndTheOthersGoOn)
{
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    writeOldFile("taken", "T");
    const RenamePlan plan = PlanRenames({row("a", "taken"), row("b", "b2")});
    ASSERT_EQ(plan.errorCount(), 1);
    const ApplyResult result = ApplyRenamePlan(plan, nullptr);
    EXPECT_EQ(result.renamed, 1);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(listing(), QStringList({"a", "b2", "taken"}));
}

TEST_F(RenameApplyTest, TheLogIsInPlaceWhileTheRunGoesOnAndAnUnwritableLogIsReportedFirst)
{
    RenameLogWriter log;
    EXPECT_FALSE(log.open(path("missing/Log.log")));
    EXPECT_TRUE(log.errorString().contains(QStringLiteral("missing/Log.log")));
    EXPECT_FALSE(log.isOpen());

    writeFile("Log.log", "old content\r\n");
    ASSERT_TRUE(log.open(path("Log.log")));
    EXPECT_EQ(readFile("Log.log"), "old content\r\n"); // kept until a file changes its name
    ASSERT_TRUE(log.writeLine("/d/a", "/d/b"));        // replaced whole with that file's line
    // A run cut short here still has its line under the log's name.
    const RenameLogContents cutShort = ParseRenameLog(readFile("Log.log"));
    EXPECT_EQ(cutShort.skippedLines, 0);
    ASSERT_EQ(cutShort.entries.size(), 1u);
    EXPECT_EQ(cutShort.entries[0].current, QStringLiteral("/d/b"));
    EXPECT_FALSE(log.writeLine("/d/a\n/e", "/d/b"));
    for (int i = 0; i < 2000; ++i) // past the room reserved at first
        ASSERT_TRUE(log.writeLine(QStringLiteral("/d/%1").arg(i), QStringLiteral("/d/new-%1").arg(i)));
    ASSERT_TRUE(log.close());
    EXPECT_EQ(listing(), QStringList({"Log.log"})); // no temporary file left behind
    const QByteArray written = readFile("Log.log");
    EXPECT_TRUE(written.startsWith("/d/a -> /d/b\r\n/d/0 -> /d/new-0\r\n"));
    EXPECT_TRUE(written.endsWith("/d/1999 -> /d/new-1999\r\n"));
    EXPECT_EQ(ParseRenameLog(written).entries.size(), 2001u);
    EXPECT_TRUE(DefaultRenameLogPath().endsWith(QStringLiteral("/Tolvern/ARDL/Log.log")));
}

TEST_F(RenameApplyTest, ALogWithTheLongestNameAFolderTakesIsWritten)
{
    const QString name = QString(251, u'L') + QStringLiteral(".log"); // 255 bytes, the most a name can have
    writeFile(name, "old content\r\n");
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path(name))) << qPrintable(log.errorString());
    ASSERT_TRUE(log.writeLine("/d/a", "/d/b"));
    ASSERT_TRUE(log.close());
    EXPECT_EQ(readFile(name), "/d/a -> /d/b\r\n");
    EXPECT_EQ(listing(), QStringList({name})); // no temporary file left behind
}

TEST_F(RenameApplyTest, EveryMoveMethodRefusesToReplaceAndKeepsTheFile)
{
    for (NoReplaceMethod method : {NoReplaceMethod::Auto, NoReplaceMethod::LinkUnlink, NoReplaceMethod::Placeholder}) {
        writeOldFile("from", "content");
        writeOldFile("there", "other");
        EXPECT_EQ(RenameNoReplace(path("from"), path("there"), method), EEXIST);
        EXPECT_EQ(readFile("there"), "other");
        EXPECT_EQ(RenameNoReplace(path("from"), path("to"), method), 0);
        EXPECT_EQ(readFile("to"), "content");
        EXPECT_EQ(QFileInfo(path("to")).lastModified(), test::OldFileTime);
        EXPECT_EQ(RenameNoReplace(path("from"), path("again"), method), ENOENT);
        EXPECT_EQ(listing(), QStringList({"there", "to"}));
        QFile::remove(path("there"));
        QFile::remove(path("to"));
    }
}

TEST_F(RenameApplyTest, ACaseChangeGoesThroughATemporaryNameAndComesBackOnFailure)
{
    writeOldFile("name", "N");
    writeOldFile("NAME", "other"); // a case-sensitive file system holds both
    QString where;
    EXPECT_EQ(MoveFile(path("name"), path("NAME"), &where), EEXIST);
    EXPECT_EQ(where, path("name"));
    EXPECT_EQ(listing(), QStringList({"NAME", "name"}));
    QFile::remove(path("NAME"));
    EXPECT_EQ(MoveFile(path("name"), path("NAME"), &where), 0);
    EXPECT_EQ(listing(), QStringList({"NAME"}));
    EXPECT_EQ(readFile("NAME"), "N");
}

TEST_F(RenameApplyTest, AFailureInsideACyclePutsEveryFileBack)
{
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    writeOldFile("c", "C");
    const RenamePlan plan = PlanRenames({row("a", "b"), row("b", "c"), row("c", "a")});
    ASSERT_EQ(plan.errorCount(), 0);
    QFile::remove(path("b")); // gone after Preview: c -> a succeeds, b -> c fails
    const ApplyResult result = ApplyRenamePlan(plan, nullptr);
    EXPECT_EQ(result.renamed, 0);
    EXPECT_EQ(result.failures.size(), 3u);
    EXPECT_EQ(listing(), QStringList({"a", "c"}));
    EXPECT_EQ(readFile("a"), "A");
    EXPECT_EQ(readFile("c"), "C");
    EXPECT_EQ(result.finalPaths, (std::vector<QString>{dir() + "a", dir() + "b", dir() + "c"}));
}

TEST_F(RenameApplyTest, ARunThatRenamesNothingLeavesTheEarlierLogAsItWas)
{
    writeOldFile("a", "A");
    writeOldFile("b", "B");
    const QByteArray earlier = "/d/x -> /d/a\r\n/d/y -> /d/b\r\n";
    writeFile("Log.log", earlier);

    // Every name is already as the rules make it.
    const RenamePlan unchanged = PlanRenames({row("a", "a"), row("b", "b")});
    ASSERT_EQ(unchanged.errorCount(), 0);
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    EXPECT_EQ(ApplyRenamePlan(unchanged, &log).renamed, 0);
    ASSERT_TRUE(log.close());
    EXPECT_EQ(readFile("Log.log"), earlier);

    // Every rename is tried and fails: no file changed its name either.
    const RenamePlan blocked = PlanRenames({row("a", "c")});
    writeFile("c", "in the way");
    ASSERT_TRUE(log.open(path("Log.log")));
    const ApplyResult failed = ApplyRenamePlan(blocked, &log);
    ASSERT_TRUE(log.close());
    EXPECT_EQ(failed.failures.size(), 1u);
    EXPECT_EQ(readFile("Log.log"), earlier);
    EXPECT_EQ(listing(), QStringList({"Log.log", "a", "b", "c"})); // no temporary file left behind

    // The first real rename puts the new log in place, with the rows before it.
    QFile::remove(path("c"));
    const RenamePlan one = PlanRenames({row("a", "a"), row("b", "c")});
    ASSERT_TRUE(log.open(path("Log.log")));
    EXPECT_EQ(ApplyRenamePlan(one, &log).renamed, 1);
    ASSERT_TRUE(log.close());
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("Log.log"), d + "a -> " + d + "a\r\n" + d + "b -> " + d + "c\r\n");
}

TEST_F(RenameApplyTest, LogLinesKeepEveryNameByteForByteWhereverTheyFallInTheFile)
{
    // Lines of names of one to four UTF-8 bytes per character, far past the
    // room the log starts with, so some meet the end of the room reserved.
    const QString names[] = {QStringLiteral("plain"), QStringLiteral("d\u00e9j\u00e0"), QStringLiteral("\u6587\u4ef6"),
                             QStringLiteral("\U0001F600 smile"), QStringLiteral("a - > b")};
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    QByteArray expected;
    for (int i = 0; i < 3000; ++i) {
        const QString from = "/d/" + names[i % 5] + QString::number(i);
        const QString to = "/e/" + names[(i + 1) % 5] + QString::number(i);
        ASSERT_TRUE(log.writeLine(from, to));
        expected += RenameLogLine(from, to);
    }
    ASSERT_TRUE(log.close());
    EXPECT_EQ(readFile("Log.log"), expected);
}

TEST(RenameCaseChange, IsToldApartFromOtherRenamesOfTheSameLength)
{
    EXPECT_TRUE(IsCaseOnlyChange("/d/name.txt", "/d/NAME.txt"));
    EXPECT_TRUE(IsCaseOnlyChange("/d/x\u00e9", "/d/X\u00c9"));
    // A letter outside the first plane changes case as a pair of units.
    EXPECT_TRUE(IsCaseOnlyChange(QStringLiteral("/d/\U00010400"), QStringLiteral("/d/\U00010428")));
    EXPECT_FALSE(IsCaseOnlyChange("/d/name", "/d/name"));
    EXPECT_FALSE(IsCaseOnlyChange("/d/abc1", "/d/XYZ1"));
    EXPECT_FALSE(IsCaseOnlyChange("/d/name", "/d/NAMEX"));
    EXPECT_FALSE(IsCaseOnlyChange("/d/nAme", "/d/Nbme"));
}

// The log takes its name with a plain rename, which replaces what is there:
// a run whose files take or leave that very name would lose one of them.
TEST_F(RenameApplyTest, ALogThatIsOneOfTheRunsFilesStopsTheRunBeforeAnythingIsRenamed)
{
    writeOldFile("x.txt", "mine");
    writeOldFile("sub/Log.log", "the old log, listed");
    ASSERT_TRUE(QFile::link(path("sub"), path("link")));
    struct Case {
        const char *logPath;
        std::vector<PlanRow> rows;
    };
    const Case cases[] = {
        {"Log.log", {row("x.txt", "Log.log")}}, // a new name of the run
        {"link/../link/New.log", {MakePlanRow(dir() + "sub/Log.log", dir() + "sub/", "New.log")}}, // spelt otherwise
        {"sub/Log.log", {row("x.txt", "y.txt"), MakePlanRow(dir() + "sub/Log.log", dir() + "sub/", "Kept.log")}},
    };
    for (const Case &c : cases) {
        const RenamePlan plan = PlanRenames(c.rows);
        ASSERT_EQ(plan.errorCount(), 0);
        RenameLogWriter log;
        ASSERT_TRUE(log.open(path(c.logPath))) << c.logPath;
        const ApplyResult result = ApplyRenamePlan(plan, &log);
        EXPECT_TRUE(log.close());
        EXPECT_EQ(result.renamed, 0) << c.logPath;
        EXPECT_EQ(result.logError,
                  "The log " + path(c.logPath) + " is one of the files this run renames: choose another log file");
        EXPECT_EQ(readFile("x.txt"), "mine") << c.logPath;
        EXPECT_EQ(readFile("sub/Log.log"), "the old log, listed") << c.logPath;
        EXPECT_EQ(listing(), QStringList({"x.txt"})) << c.logPath;
        EXPECT_EQ(QDir(path("sub")).entryList(QDir::Files | QDir::Hidden), QStringList({"Log.log"})) << c.logPath;
    }
}

// Room for the log is taken before the first rename; names that take more
// bytes in UTF-8 than characters must not leave a renamed file without its
// line when the disk fills up on the way.
TEST_F(RenameApplyTest, AFullDiskStopsARunOfLongNonAsciiNamesBeforeTheFirstRename)
{
    const QString stem(80, QChar(0x6587)); // 80 characters, 240 bytes
    std::vector<PlanRow> rows;
    for (int i = 0; i < 300; ++i) {
        const QString name = stem + QString::number(i);
        writeOldFile(name, "x");
        rows.push_back(row(name, name + u'x'));
    }
    const RenamePlan plan = PlanRenames(std::move(rows));
    ASSERT_EQ(plan.errorCount(), 0);
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    ApplyResult result;
    {
        test::FileSizeLimit limit(150 * 1024); // the lines take about 170 KiB
        result = ApplyRenamePlan(plan, &log);
    }
    log.close();
    EXPECT_FALSE(result.logError.isEmpty());
    // Every renamed file has its line in the log.
    const RenameLogContents written = ParseRenameLog(readFile("Log.log"));
    EXPECT_EQ(int(written.entries.size()), result.renamed);
    EXPECT_EQ(result.renamed, 0);
}

TEST_F(RenameApplyTest, ALogThatNeedsLessThanTwiceItsRoomStillFitsOnANearlyFullDisk)
{
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    test::FileSizeLimit limit(100 * 1024);
    EXPECT_TRUE(log.reserve(70 * 1024)) << qPrintable(log.errorString()); // the first 64 KiB are taken at open
    EXPECT_FALSE(log.reserve(110 * 1024));                                // beyond what the disk has
    EXPECT_FALSE(log.errorString().isEmpty());
}

// The log takes its name after the first rename; when that fails, the line
// of that rename is all that can put the file back.
TEST_F(RenameApplyTest, ALogThatCannotTakeItsNameKeepsItsLinesUnderTheNameItWasWrittenAs)
{
    writeOldFile("x", "X");
    writeOldFile("z", "Z");
    const RenamePlan plan = PlanRenames({row("x", "y"), row("z", "w")});
    RenameLogWriter log;
    ASSERT_TRUE(log.open(path("Log.log")));
    makeDir("Log.log"); // a folder takes the log's name meanwhile
    const ApplyResult result = ApplyRenamePlan(plan, &log);
    log.close();
    EXPECT_EQ(result.renamed, 1); // the run stops at the first line that cannot be kept
    EXPECT_EQ(readFile("z"), "Z");
    const QStringList left = QDir(path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(left.size(), 3) << qPrintable(left.join(u' '));
    const QString kept = left.front(); // hidden, so first
    EXPECT_TRUE(kept.startsWith(u'.'));
    EXPECT_TRUE(result.logError.contains(dir() + kept)) << qPrintable(result.logError);
    const RenameLogContents lines = ParseRenameLog(readFile(kept));
    ASSERT_EQ(lines.entries.size(), 1u);
    EXPECT_EQ(lines.entries[0].current, dir() + "y");
    EXPECT_EQ(lines.entries[0].restore, dir() + "x");
}
