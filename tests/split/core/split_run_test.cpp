#include "split/core/SplitRun.h"
#include "common/core/FileRenamer.h"
#include "common/core/ScriptedPrompter.h"
#include "common/core/StringTable.h"
#include "platform/splitlib/SplitLayout.h"
#include "support/FileContent.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <functional>
#include <unistd.h>


using namespace ardl;
using namespace ardl::test;

namespace {

constexpr qint64 Part = 100 * 1024;   // the custom size of these tests: 100 Kb

class SplitRunTest : public TempDirTest {
protected:
    void SetUp() override
    {
        out = makeDir(QStringLiteral("out")) + u'/';
        request.destination = out;
        request.mergeProgram = QStringLiteral(ARDL_MERGE_PROGRAM);
        request.settings.options.SizeMode = SizeModeCustom;
        request.settings.options.SizeUnit = UnitKb;
        request.settings.options.CustomSize = 100;
    }

    QString source(const QString &name, qint64 length, quint32 seed = 1)
    {
        return writeFile(QStringLiteral("in/") + name, PatternBytes(length, seed));
    }

    SplitRunResult run(const QStringList &sources)
    {
        request.sources = sources;
        return RunSplit(request);
    }

    QStringList entries() const
    {
        return QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // Runs a merge script or program of the destination; its exit code.
    int rebuild(const QString &name) const
    {
        QProcess p;
        p.setWorkingDirectory(path());
        if (name.endsWith(QStringLiteral(".sh")))
            p.start(QStringLiteral("/bin/sh"), {out + name});
        else
            p.start(out + name, QStringList());
        p.waitForFinished(600000);
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    SplitRequest request;
    QString out;
};

} // namespace

TEST_F(SplitRunTest, ListAndDestinationAreCheckedFirst)
{
    const QString a = source(QStringLiteral("a.bin"), 10);
    request.destination.clear();
    EXPECT_EQ(run({}).stopMessage, 176);
    EXPECT_EQ(run({a}).stopMessage, 177);
    request.destination = path(QStringLiteral("nowhere"));
    EXPECT_EQ(run({a}).stopMessage, 178);
    request.destination = a;   // a file, not a folder
    EXPECT_EQ(run({a}).stopMessage, 178);
    EXPECT_EQ(LoadResString(178), QStringLiteral("Destination directory does not exist or is invalid"));
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SplitRunTest, PartsAndScriptRebuildTheSource)
{
    const QString a = source(QStringLiteral("Report.doc"), 250000);
    const SplitRunResult result = run({a});
    EXPECT_EQ(result.stopMessage, 0);
    ASSERT_EQ(result.files.size(), 1u);
    const SplitFileReport &report = result.files.front();
    EXPECT_EQ(report.outcome, SplitFileReport::Split);
    EXPECT_EQ(report.text, a + QStringLiteral(": 3 parts, to be joined with Report-merge.sh"));
    EXPECT_EQ(entries(), (QStringList{"Report-merge.sh", "Report0.kos", "Report1.kos", "Report2.kos"}));
    EXPECT_FALSE(result.anyProblem());
    EXPECT_EQ(SplitReportText(result), QStringLiteral("1 of 1 files split\r\n\r\n") + report.text);

    ASSERT_EQ(rebuild(QStringLiteral("Report-merge.sh")), 0);
    EXPECT_TRUE(SameContent(a, out + QStringLiteral("Report.doc")));
}

TEST_F(SplitRunTest, TheMergeProgramReplacesPartZeroAndRebuildsTheSource)
{
    const QString a = source(QStringLiteral("Report.doc"), 250000);
    request.settings.includeExe = true;
    const SplitRunResult result = run({a});
    ASSERT_EQ(result.files.front().outcome, SplitFileReport::Split) << result.files.front().text.toStdString();
    EXPECT_EQ(result.files.front().text, a + QStringLiteral(": 3 parts, the first is the merge program Report-merge"));
    EXPECT_EQ(entries(), (QStringList{"Report-merge", "Report1.kos", "Report2.kos"}));
    // The first file fills one part exactly.
    EXPECT_EQ(QFileInfo(out + QStringLiteral("Report-merge")).size(), Part);
    EXPECT_EQ(result.files.front().files,
              (QStringList{out + "Report-merge", out + "Report1.kos", out + "Report2.kos"}));

    ASSERT_EQ(rebuild(QStringLiteral("Report-merge")), 0);
    EXPECT_TRUE(SameContent(a, out + QStringLiteral("Report.doc")));
}

TEST_F(SplitRunTest, SizesThatCannotBeUsedStopTheRun)
{
    const QString a = source(QStringLiteral("a.bin"), 300000);
    request.settings.options.CustomSize = 0;
    SplitRunResult result = run({a});
    EXPECT_EQ(result.stopMessage, 175);
    EXPECT_EQ(LoadResString(175), QStringLiteral("Size of split file must be greater than 0"));

    // 40,000 bytes cannot hold the merge program: nothing is split.
    request.settings.options.SizeUnit = UnitBytes;
    request.settings.options.CustomSize = 40000;
    request.settings.includeExe = true;
    result = run({a});
    EXPECT_EQ(result.stopMessage, 175);
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SplitRunTest, ASizeErrorOnTheSecondFileLeavesTheFirstSplit)
{
    const QString a = source(QStringLiteral("a.bin"), 1000);
    const QString empty = source(QStringLiteral("empty.bin"), 0);
    const QString c = source(QStringLiteral("c.bin"), 1000);
    request.settings.options.SplitBy = SplitByParts;
    request.settings.partCount = 4;
    const SplitRunResult result = run({a, empty, c});
    EXPECT_EQ(result.stopMessage, 175);
    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_EQ(result.files[0].outcome, SplitFileReport::Split);
    EXPECT_EQ(result.files[1].outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files[1].text, empty + QStringLiteral(": not split: Size of split file must be greater than 0"));
    EXPECT_EQ(result.files[2].outcome, SplitFileReport::NotReached);
    EXPECT_EQ(entries(), (QStringList{"a-merge.sh", "a0.kos", "a1.kos", "a2.kos", "a3.kos"}));
    EXPECT_TRUE(result.anyProblem());
}

TEST_F(SplitRunTest, MissingDuplicateAndEmptySourcesAreSkippedAndReported)
{
    const QString a = source(QStringLiteral("a.bin"), 1000);
    const QString b = source(QStringLiteral("b.bin"), 1000);
    const QString empty = source(QStringLiteral("e.bin"), 0);
    const QString gone = path(QStringLiteral("in/gone.bin"));
    const QString again = path(QStringLiteral("in/../in/a.bin"));
    const SplitRunResult result = run({a, gone, again, empty, b});
    EXPECT_EQ(result.stopMessage, 0);
    const std::vector<SplitFileReport::Outcome> outcomes{SplitFileReport::Split, SplitFileReport::Skipped,
                                                         SplitFileReport::Skipped, SplitFileReport::Skipped,
                                                         SplitFileReport::Split};
    for (size_t i = 0; i < outcomes.size(); ++i)
        EXPECT_EQ(result.files[i].outcome, outcomes[i]) << i;
    EXPECT_EQ(result.files[1].text, gone + QStringLiteral(": not split, the file does not exist"));
    EXPECT_EQ(result.files[2].text, again + QStringLiteral(": not split, it is listed twice"));
    EXPECT_EQ(result.files[3].text, empty + QStringLiteral(": not split, the file is empty"));
    EXPECT_TRUE(SplitReportText(result).startsWith(QStringLiteral("2 of 5 files split\r\n\r\n")));
}

TEST_F(SplitRunTest, TheSourceIsDeletedOnlyOnceEverythingIsWrittenAndChecked)
{
    const QString a = source(QStringLiteral("a.bin"), 250000, 2);
    const QByteArray content = readFile(QStringLiteral("in/a.bin"));
    request.settings.includeExe = true;
    request.deleteSource = true;
    SplitRunResult result = run({a});
    ASSERT_EQ(result.files.front().outcome, SplitFileReport::Split);
    EXPECT_TRUE(result.files.front().sourceDeleted);
    EXPECT_TRUE(result.files.front().text.endsWith(QStringLiteral("; the source was deleted")));
    EXPECT_FALSE(QFile::exists(a));
    ASSERT_EQ(rebuild(QStringLiteral("a-merge")), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/a.bin")), content);

    // No merge program to be had: the parts and the script stay usable, the
    // source stays, and the report says so.
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    const QString b = source(QStringLiteral("b.bin"), 250000, 3);
    request.mergeProgram = path(QStringLiteral("missing-merge"));
    result = run({b});
    const SplitFileReport &report = result.files.front();
    EXPECT_EQ(report.outcome, SplitFileReport::Failed);
    EXPECT_FALSE(report.sourceDeleted);
    EXPECT_TRUE(QFile::exists(b));
    EXPECT_TRUE(report.text.contains(QStringLiteral("the merge program could not be made"))) << report.text.toStdString();
    EXPECT_EQ(entries(), (QStringList{"b-merge.sh", "b0.kos", "b1.kos", "b2.kos"}));
    ASSERT_EQ(rebuild(QStringLiteral("b-merge.sh")), 0);
    EXPECT_TRUE(SameContent(b, out + QStringLiteral("b.bin")));
}

TEST_F(SplitRunTest, AFailedSplitKeepsTheSource)
{
    const QString a = source(QStringLiteral("a.bin"), 250000);
    request.deleteSource = true;
    // No file may grow beyond 50,000 bytes: the first part cannot be written.
    const auto result = [&] {
        const FileSizeLimit limit(50000);
        return run({a});
    }();

    const SplitFileReport &report = result.files.front();
    EXPECT_EQ(report.outcome, SplitFileReport::Failed);
    EXPECT_FALSE(report.sourceDeleted);
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_EQ(report.text, a + QStringLiteral(": not split, ") + out + QStringLiteral("a0.kos: ") + ErrorText(EFBIG));
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SplitRunTest, PartsOfAnEarlierLongerSplitAreNeverPickedUp)
{
    for (int k = 0; k < 6; ++k)
        writeFile(QStringLiteral("out/x%1.kos").arg(k), "old");
    writeFile(QStringLiteral("out/x-merge.sh"), "old");
    writeFile(QStringLiteral("out/x1.txt"), "unrelated");
    const QString x = source(QStringLiteral("x.bin"), 250000);
    request.settings.includeExe = true;

    // Declined: nothing is touched.
    answers.messageAnswers = {MsgAnswer::No};
    SplitRunResult result = run({x});
    EXPECT_EQ(result.files.front().outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files.front().text,
              x + QStringLiteral(": not split, files of an earlier split are in the way: "
                                 "x-merge.sh, x0.kos, x1.kos, x2.kos, x3.kos, x4.kos, x5.kos"));
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().front().startsWith(QStringLiteral("Files of an earlier split of x.bin are in ")));
    EXPECT_EQ(entries().size(), 8);

    // Agreed: the old files go, and the program counts the three parts
    // written, not the six there were.
    answers.messageAnswers = {MsgAnswer::Yes};
    result = run({x});
    ASSERT_EQ(result.files.front().outcome, SplitFileReport::Split) << result.files.front().text.toStdString();
    EXPECT_EQ(entries(), (QStringList{"x-merge", "x1.kos", "x1.txt", "x2.kos"}));
    ASSERT_EQ(rebuild(QStringLiteral("x-merge")), 0);
    EXPECT_TRUE(SameContent(x, out + QStringLiteral("x.bin")));
}

TEST_F(SplitRunTest, NamesThatClashAreRefusedNotReplaced)
{
    // Two sources with one base name.
    const QString doc = source(QStringLiteral("a.doc"), 250000, 4);
    const QString txt = source(QStringLiteral("a.txt"), 150000, 5);
    SplitRunResult result = run({doc, txt});
    EXPECT_EQ(result.files[0].outcome, SplitFileReport::Split);
    EXPECT_EQ(result.files[1].outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files[1].text, txt + QStringLiteral(": not split, it would replace ") + out + "a-merge.sh");
    EXPECT_TRUE(answers.asked.empty());   // nothing to ask: the run's own files are never deleted
    ASSERT_EQ(rebuild(QStringLiteral("a-merge.sh")), 0);
    EXPECT_TRUE(SameContent(doc, out + QStringLiteral("a.doc")));

    // A source lying in the destination under a part's name is never touched.
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    const QString inDest = writeFile(QStringLiteral("out/r0.kos"), "a source of its own");
    const QString r = source(QStringLiteral("r.bin"), 1000);
    answers.messageAnswers = {MsgAnswer::Yes};
    result = run({inDest, r});
    EXPECT_EQ(result.files[0].outcome, SplitFileReport::Split);   // r0.kos itself gives r00.kos
    EXPECT_EQ(result.files[1].outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files[1].text, r + QStringLiteral(": not split, it would replace ") + inDest);
    EXPECT_EQ(readFile(QStringLiteral("out/r0.kos")), QByteArray("a source of its own"));
}

// A list keeps the entries of files that are gone. One that names a file
// this run has just written (a part of an earlier entry) is not a source:
// split and deleted, it would take a part away from the split it belongs to.
TEST_F(SplitRunTest, AFileThisRunWroteIsNeverTakenForALaterSource)
{
    const QString a = source(QStringLiteral("a.bin"), 250000, 6);
    const QByteArray content = readFile(QStringLiteral("in/a.bin"));
    const QString stalePart = out + QStringLiteral("a1.kos");
    const QString staleScript = out + QStringLiteral("a-merge.sh");
    request.deleteSource = true;
    const SplitRunResult result = run({a, stalePart, staleScript});
    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_EQ(result.files[0].outcome, SplitFileReport::Split);
    EXPECT_TRUE(result.files[0].sourceDeleted);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(result.files[i].outcome, SplitFileReport::Skipped) << i;
        EXPECT_EQ(result.files[i].text, result.files[i].source + QStringLiteral(": not split, this run has just made it"));
        EXPECT_FALSE(result.files[i].sourceDeleted) << i;
    }
    EXPECT_EQ(entries(), (QStringList{"a-merge.sh", "a0.kos", "a1.kos", "a2.kos"}));
    ASSERT_EQ(rebuild(QStringLiteral("a-merge.sh")), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/a.bin")), content);
}

TEST_F(SplitRunTest, AFiveGigabyteSparseSourceByNumberOfParts)
{
    constexpr qint64 Length = 5LL << 30;
    const QString huge = path(QStringLiteral("in/huge.img"));
    QDir().mkpath(path(QStringLiteral("in")));
    ASSERT_TRUE(MakeSparseFile(huge, Length, {4096, (3LL << 30) + 1, Length - 10}, PatternBytes(10, 6)));
    request.settings.options.SplitBy = SplitByParts;
    request.settings.partCount = 3;
    request.settings.includeExe = true;
    const SplitRunResult result = run({huge});
    ASSERT_EQ(result.files.front().outcome, SplitFileReport::Split) << result.files.front().text.toStdString();
    EXPECT_EQ(entries(), (QStringList{"huge-merge", "huge1.kos", "huge2.kos"}));
    const qint64 part = QFileInfo(out + QStringLiteral("huge1.kos")).size();
    EXPECT_EQ(part, (Length + SelfMergeOverhead(SplitName::FromFileName(QStringLiteral("huge.img"))) + 2) / 3);
    EXPECT_EQ(QFileInfo(out + QStringLiteral("huge-merge")).size(), part);
    ASSERT_EQ(rebuild(QStringLiteral("huge-merge")), 0);
    EXPECT_TRUE(SameContent(huge, out + QStringLiteral("huge.img")));
}

TEST(SplitReport, ALongRunListsItsProblemsFirstAndFitsOnTheScreen)
{
    SplitRunResult result;
    for (int i = 0; i < 60; ++i) {
        SplitFileReport file;
        file.outcome = i == 45 ? SplitFileReport::Skipped : SplitFileReport::Split;
        file.text = QStringLiteral("line %1").arg(i);
        result.files.push_back(file);
    }
    const QStringList lines = SplitReportText(result).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.size(), 2 + 20 + 1);
    EXPECT_EQ(lines[0], QStringLiteral("59 of 60 files split"));
    EXPECT_EQ(lines[2], QStringLiteral("line 45"));
    EXPECT_EQ(lines[3], QStringLiteral("line 0"));
    EXPECT_EQ(lines[21], QStringLiteral("line 18"));
    EXPECT_EQ(lines.back(), QStringLiteral("... and 40 more"));

    // A report that fits keeps the list's order.
    result.files.resize(20);
    result.files[3].outcome = SplitFileReport::Failed;
    const QStringList whole = SplitReportText(result).split(QStringLiteral("\r\n"));
    ASSERT_EQ(whole.size(), 22);
    EXPECT_EQ(whole[2], QStringLiteral("line 0"));
    EXPECT_EQ(whole.back(), QStringLiteral("line 19"));
}

TEST_F(SplitRunTest, FilesOfThisRunAreNeverOfferedForDeletionAndEnterDeletesNothing)
{
    // The question about an earlier split has No for its default button.
    writeFile(QStringLiteral("out/x0.kos"), "old");
    const QString x = source(QStringLiteral("x.bin"), 1000);
    answers.messageAnswers = {MsgAnswer::No};
    run({x});
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked.front().buttons, MsgButtons::YesNoDefaultNo);
    answers.asked.clear();
    QDir(out).removeRecursively();
    QDir().mkpath(out);

    // A part of this run under a second name, the way "A0.kos" names
    // "a0.kos" where the file system ignores case (a hard link here), is
    // never taken for an earlier split and deleted, even with a Yes ready.
    const QString a = source(QStringLiteral("a.bin"), 250000, 7);
    const QString b = source(QStringLiteral("b.bin"), 1000, 8);
    const QByteArray content = readFile(QStringLiteral("in/a.bin"));
    request.deleteSource = true;
    request.sources = {a, b};
    answers.messageAnswers = {MsgAnswer::Yes};
    bool linked = false;
    const SplitRunResult result = RunSplit(request, [&](const QString &) {
        if (!linked && QFile::exists(out + QStringLiteral("a0.kos")))
            linked = ::link(QFile::encodeName(out + QStringLiteral("a0.kos")).constData(),
                            QFile::encodeName(out + QStringLiteral("b0.kos")).constData())
                     == 0;
    });
    ASSERT_TRUE(linked);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(result.files[0].outcome, SplitFileReport::Split);
    EXPECT_EQ(result.files[1].outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files[1].text, b + QStringLiteral(": not split, it would replace ") + out + "b0.kos");
    EXPECT_TRUE(QFile::exists(b));
    ASSERT_EQ(rebuild(QStringLiteral("a-merge.sh")), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/a.bin")), content);
}

TEST_F(SplitRunTest, AFolderInTheWayIsNeverTakenForAnEarlierSplit)
{
    // A folder cannot be deleted like a part: nothing is asked, and the old
    // script beside it is not deleted before the run finds that out.
    writeFile(QStringLiteral("out/x-merge.sh"), "old");
    writeFile(QStringLiteral("out/x0/keep.txt"), "keep");
    QDir(out).rename(QStringLiteral("x0"), QStringLiteral("x0.kos"));
    const QString x = source(QStringLiteral("x.bin"), 1000);
    answers.messageAnswers = {MsgAnswer::Yes};
    const SplitRunResult result = run({x});
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(result.files.front().outcome, SplitFileReport::Skipped);
    EXPECT_EQ(result.files.front().text, x + QStringLiteral(": not split, it would replace ") + out + "x0.kos");
    EXPECT_EQ(readFile(QStringLiteral("out/x-merge.sh")), QByteArray("old"));
    EXPECT_EQ(readFile(QStringLiteral("out/x0.kos/keep.txt")), QByteArray("keep"));
}

TEST_F(SplitRunTest, ASourceThatChangesWhileItIsSplitIsKeptAndNotSplit)
{
    const struct {
        const char *what;
        std::function<void(QFile &)> change;
    } cases[] = {
        {"grows", [](QFile &f) { EXPECT_TRUE(f.open(QIODevice::Append) && f.write("more") == 4); }},
        {"is rewritten in place",
         [](QFile &f) { EXPECT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(200000) && f.write("new") == 3); }},
        // The way many editors save: a new file renamed over the old one.
        {"is saved over",
         [](QFile &f) {
             QFile saved(f.fileName() + QStringLiteral(".new"));
             EXPECT_TRUE(saved.open(QIODevice::WriteOnly) && saved.write("edited") == 6);
             saved.close();
             EXPECT_EQ(::rename(QFile::encodeName(saved.fileName()).constData(),
                                QFile::encodeName(f.fileName()).constData()),
                       0);
         }},
    };
    request.deleteSource = true;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // An old time, so that a change shows whatever the clock's grain.
        const QString a = writeOldFile(QStringLiteral("in/a.bin"), PatternBytes(250000, 9));
        const QByteArray before = readFile(QStringLiteral("in/a.bin"));
        request.sources = {a};
        bool changed = false;
        const SplitRunResult result = RunSplit(request, [&](const QString &) {
            if (!changed && QFile::exists(out + QStringLiteral("a0.kos"))) {
                QFile file(a);
                c.change(file);
                changed = true;
            }
        });
        ASSERT_TRUE(changed);
        const SplitFileReport &report = result.files.front();
        EXPECT_EQ(report.outcome, SplitFileReport::Failed);
        EXPECT_FALSE(report.sourceDeleted);
        EXPECT_EQ(report.text,
                  a + QStringLiteral(": not split, ") + a + QStringLiteral(": the file changed while it was split"));
        EXPECT_TRUE(QFile::exists(a));
        EXPECT_NE(readFile(QStringLiteral("in/a.bin")), before);
        EXPECT_EQ(entries(), QStringList());
    }
}
