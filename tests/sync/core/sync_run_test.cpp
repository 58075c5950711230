#include "SyncTestSupport.h"

#include "common/core/Prompter.h"
#include "platform/ftp/FtpTestServer.h"
#include "sync/core/CompareTypes.h"
#include "sync/core/SyncRun.h"
#include "sync/core/modClass.h"

#include <QDir>
#include <QFileInfo>

#include <deque>
#include <sys/stat.h>
#include <unistd.h>

using namespace ardl;
using namespace ardl::test;

namespace {

const QDateTime T0 = Local(2023, 2, 3, 4, 5, 6);
const QDateTime T1 = Local(2024, 7, 8, 9, 10, 11);

QByteArray everyByte(char salt)
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i ^ salt));
    return bytes;
}

// Every record's key, in set order: the rows of a list showing them all.
QStringList allKeys()
{
    QStringList keys;
    for (const clsList &item : SyncItems())
        keys << item.L_File;
    return keys;
}

class SyncRunTest : public SyncTreeTest {
protected:
    void SetUp() override { SyncItems().clear(); }

    // Compares, then runs every row the compare set asks to copy.
    SyncRunReport compareAndRun(const CompareRequest &request)
    {
        const CompareResult compared = RunCompare(request);
        EXPECT_TRUE(compared.completed);
        return run(FreezePlan(request));
    }

    SyncRunReport run(const SyncPlan &plan)
    {
        const QStringList keys = allKeys();
        SyncRunHooks hooks;
        hooks.askOverwrite = [this](const QString &question) {
            questions << question;
            if (answers.empty())
                return int(OverwriteNo);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        };
        hooks.progress = [this](const QString &text) { progress << text; };
        return RunSync(plan, SyncTasksOf(SyncItems(), keys), int(keys.size()), hooks);
    }

    // Sets the action of a different record.
    static void choose(const QString &name, int action)
    {
        ASSERT_TRUE(SyncItems().setType(name, action)) << name.toStdString();
    }

    void expectAllSame(const CompareRequest &request)
    {
        ASSERT_TRUE(RunCompare(request).completed);
        for (const auto &[name, cls] : ClassesOfSyncItems())
            EXPECT_EQ(cls, CompareType::Same) << name.toStdString();
    }

    std::deque<int> answers;
    QStringList questions;
    QStringList progress;
};

} // namespace

TEST_F(SyncRunTest, ADirRunCopiesBothWaysAndASecondCompareFindsEverythingSame)
{
    left(QStringLiteral("only left.bin"), everyByte(0), T0);
    left(QString::fromUtf8("deep/er/caf\xc3\xa9 \xc3\xa0 la cr\xc3\xa8me.txt"), everyByte(1), T0);
    right(QStringLiteral("new folder/right one.bin"), everyByte(2), T1);
    left(QStringLiteral("both.txt"), "older", T0);
    right(QStringLiteral("both.txt"), "newer on the right", T1);
    left(QStringLiteral("same.txt"), "same", T0);
    right(QStringLiteral("same.txt"), "same", T0);
    const CompareRequest request = DirRequest(leftRoot(), rightRoot());
    ASSERT_TRUE(RunCompare(request).completed);
    choose(QStringLiteral("both.txt"), CompareType::RightOnly); // copy right to left

    answers = {OverwriteYes};
    const SyncRunReport report = run(FreezePlan(request));
    EXPECT_EQ(report.copied, 4);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_FALSE(report.cancelled);
    EXPECT_EQ(questions,
              QStringList{
                  QStringLiteral("File %1 allready exist, overwrite it ?").arg(path(QStringLiteral("left/both.txt")))});
    EXPECT_EQ(readFile(QStringLiteral("right/only left.bin")), everyByte(0));
    EXPECT_EQ(readFile(QString::fromUtf8("right/deep/er/caf\xc3\xa9 \xc3\xa0 la cr\xc3\xa8me.txt")), everyByte(1));
    EXPECT_EQ(readFile(QStringLiteral("left/new folder/right one.bin")), everyByte(2));
    EXPECT_EQ(readFile(QStringLiteral("left/both.txt")), "newer on the right");
    EXPECT_EQ(QFileInfo(path(QStringLiteral("left/new folder/right one.bin"))).lastModified(), T1);
    EXPECT_TRUE(progress.contains(QStringLiteral("Synchronize File : only left.bin (2/5)")))
        << progress.join(u'\n').toStdString();
    expectAllSame(request);
}

TEST_F(SyncRunTest, OverwriteAnswersDecideEachExistingFile)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        left(QString::fromLatin1(name), "left", T1);
        right(QString::fromLatin1(name), "right", T0);
    }
    const CompareRequest request = DirRequest(leftRoot(), rightRoot());
    ASSERT_TRUE(RunCompare(request).completed);
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        choose(QString::fromLatin1(name), CompareType::LeftOnly);
    const SyncPlan plan = FreezePlan(request);

    // The close box is No: the file stays as it was.
    answers = {OverwriteNone, OverwriteNo, OverwriteCancel};
    SyncRunReport report = run(plan);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.copied, 0);
    EXPECT_EQ(questions.size(), 3);
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        EXPECT_EQ(readFile(QStringLiteral("right/") + QString::fromLatin1(name)), "right") << name;
    EXPECT_EQ(QFileInfo(path(QStringLiteral("right/a.txt"))).lastModified(), T0);

    // Yes copies one; All copies it and every later one without a question.
    questions.clear();
    answers = {OverwriteYes, OverwriteAll};
    report = run(plan);
    EXPECT_EQ(report.copied, 4);
    EXPECT_EQ(questions.size(), 2);
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        EXPECT_EQ(readFile(QStringLiteral("right/") + QString::fromLatin1(name)), "left") << name;
}

TEST_F(SyncRunTest, AFailedCopyIsNamedAndTheOthersAreCopied)
{
    left(QStringLiteral("1.txt"), "one", T0);
    left(QStringLiteral("gone.txt"), "removed after the compare", T0);
    left(QStringLiteral("linked/x.txt"), "must not leave the right folder", T0);
    left(QStringLiteral("3.txt"), "three", T0);
    makeDir(QStringLiteral("right"));
    makeDir(QStringLiteral("outside"));
    ASSERT_EQ(::symlink(QFile::encodeName(path(QStringLiteral("outside"))).constData(),
                        QFile::encodeName(path(QStringLiteral("right/linked"))).constData()),
              0);
    const CompareRequest request = DirRequest(leftRoot(), rightRoot());
    ASSERT_TRUE(RunCompare(request).completed);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("left/gone.txt"))));

    const SyncRunReport report = run(FreezePlan(request));
    EXPECT_EQ(report.copied, 2);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].name, QStringLiteral("gone.txt"));
    EXPECT_EQ(report.failures[0].reason, QStringLiteral("No such file or directory"));
    EXPECT_EQ(report.failures[1].name, QStringLiteral("linked/x.txt"));
    EXPECT_EQ(report.failures[1].reason, QStringLiteral("a folder on the way is a link or a file"));
    EXPECT_EQ(readFile(QStringLiteral("right/1.txt")), "one");
    EXPECT_EQ(readFile(QStringLiteral("right/3.txt")), "three");
    EXPECT_TRUE(QDir(path(QStringLiteral("outside"))).isEmpty());

    EXPECT_EQ(SyncRunSummary(report), QStringLiteral("2 files synchronized, 2 failed"));
    const SyncMessage message = SyncFailureMessage(report);
    EXPECT_EQ(message.icon, MsgIcon::Exclamation);
    EXPECT_EQ(message.text, QStringLiteral("2 files could not be synchronized:\r\n"
                                           "gone.txt : No such file or directory\r\n"
                                           "linked/x.txt : a folder on the way is a link or a file"));
}

TEST_F(SyncRunTest, NamesAreCheckedAgainBeforeWriting)
{
    left(QStringLiteral("a.txt"), "A", T0);
    makeDir(QStringLiteral("right"));
    {
        const SyncPlan plan = FreezePlan(DirRequest(leftRoot(), rightRoot()));
        std::vector<SyncTask> tasks(3);
        tasks[0] = {1, QStringLiteral("../a.txt"), SyncDirection::RightToLeft, -1, {}};
        tasks[1] = {2, QStringLiteral("/etc/x"), SyncDirection::LeftToRight, -1, {}};
        tasks[2] = {3, QStringLiteral("a.txt"), SyncDirection::LeftToRight, -1, {}};
        const SyncRunReport report = RunSync(plan, tasks, 3, {});
        EXPECT_EQ(report.copied, 1);
        ASSERT_EQ(report.failures.size(), 2u);
        EXPECT_EQ(report.failures[0].reason, QStringLiteral("the name would lead outside its folder"));
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.txt"))));
        EXPECT_EQ(readFile(QStringLiteral("right/a.txt")), "A");
    }
}

TEST_F(SyncRunTest, NamesThatDifferOnlyByCaseKeepTheirOwnRows)
{
    right(QStringLiteral("Read.TXT"), "upper", T0);
    right(QStringLiteral("read.txt"), "lower", T1);
    makeDir(QStringLiteral("left"));
    const CompareRequest request = DirRequest(leftRoot(), rightRoot());
    ASSERT_TRUE(RunCompare(request).completed);
    ASSERT_EQ(SyncItems().Count(), 2);
    const SyncRunReport report = run(FreezePlan(request));
    EXPECT_EQ(report.copied, 2);
    EXPECT_EQ(readFile(QStringLiteral("left/Read.TXT")), "upper");
    EXPECT_EQ(readFile(QStringLiteral("left/read.txt")), "lower");
    expectAllSame(request);
}

TEST_F(SyncRunTest, TasksFollowTheIconsOfTheRowsShown)
{
    left(QStringLiteral("l.txt"), "l", T0);
    right(QStringLiteral("r.txt"), "r", T0);
    for (const char *name : {"d1", "d2", "d3", "d4"}) {
        left(QString::fromLatin1(name), "left", T1);
        right(QString::fromLatin1(name), "right", T0);
    }
    left(QStringLiteral("s"), "s", T0);
    right(QStringLiteral("s"), "s", T0);
    ASSERT_TRUE(RunCompare(DirRequest(leftRoot(), rightRoot())).completed);
    choose(QStringLiteral("d2"), CompareType::LeftOnly);  // icon 7
    choose(QStringLiteral("d3"), CompareType::RightOnly); // icon 8
    choose(QStringLiteral("d4"), CompareType::Skip);      // icon 9

    const QStringList shown{"d1", "d2", "d3", "d4", "s", "r.txt", "l.txt", "not a record"};
    const std::vector<SyncTask> tasks = SyncTasksOf(SyncItems(), shown);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0].name, QStringLiteral("d2"));
    EXPECT_EQ(tasks[0].position, 2);
    EXPECT_EQ(tasks[0].direction, SyncDirection::LeftToRight);
    EXPECT_EQ(tasks[1].name, QStringLiteral("d3"));
    EXPECT_EQ(tasks[1].direction, SyncDirection::RightToLeft);
    EXPECT_EQ(tasks[2].name, QStringLiteral("r.txt"));
    EXPECT_EQ(tasks[2].position, 6);
    EXPECT_EQ(tasks[2].direction, SyncDirection::RightToLeft);
    EXPECT_EQ(tasks[3].name, QStringLiteral("l.txt"));
    EXPECT_EQ(tasks[3].direction, SyncDirection::LeftToRight);

    // Against a sync file only the right-side files bound for the other
    // machine go into the zip list, as full local paths.
    SyncPlan plan = FreezePlan(FileRequest(path(QStringLiteral("x.syn")), rightRoot()));
    EXPECT_EQ(SyncFileRunPaths(plan, tasks),
              (QStringList{path(QStringLiteral("right/d3")), path(QStringLiteral("right/r.txt"))}));
}

class FtpSyncRunTest : public SyncRunTest {
protected:
    bool serve(int connectionsPerClient = 0)
    {
        server = std::make_unique<FtpTestServer>(path(QStringLiteral("left")), FtpTestServer::Access::User, true, 0,
                                                 connectionsPerClient);
        return server->started();
    }

    // Files both ways, each into a folder the other side does not have yet.
    void manyFilesBothWays()
    {
        for (int i = 0; i < 12; ++i) {
            left(QStringLiteral("down/%1/d%2.bin").arg(i % 3).arg(i), everyByte(char(i + 1)), T0);
            right(QStringLiteral("up/%1/u%2.bin").arg(i % 3).arg(i), everyByte(char(i + 2)), T1);
        }
    }
    void expectManyFilesBothWays()
    {
        for (int i = 0; i < 12; ++i) {
            const QString down = QStringLiteral("right/down/%1/d%2.bin").arg(i % 3).arg(i);
            const QString up = QStringLiteral("left/up/%1/u%2.bin").arg(i % 3).arg(i);
            EXPECT_EQ(readFile(down), everyByte(char(i + 1))) << down.toStdString();
            EXPECT_EQ(QFileInfo(path(down)).lastModified(), T0) << down.toStdString();
            EXPECT_EQ(readFile(up), everyByte(char(i + 2))) << up.toStdString();
            EXPECT_EQ(QFileInfo(path(up)).lastModified(), T1) << up.toStdString();
        }
        for (int i = 0; i < 3; ++i) // no temporary name left behind
            EXPECT_EQ(QDir(path(QStringLiteral("left/up/%1").arg(i))).entryList(QDir::Files | QDir::Hidden).size(), 4);
        expectAllSame(request());
    }
    CompareRequest request() const { return FtpRequest(server->port(), rightRoot()); }

    std::unique_ptr<FtpTestServer> server;
};

TEST_F(FtpSyncRunTest, DownloadsAndUploadsKeepBytesNamesAndTimes)
{
    left(QString::fromUtf8("down/caf\xc3\xa9 cr\xc3\xa8me.bin"), everyByte(3), T0);
    left(QStringLiteral("top level.txt"), "from the server", T0);
    left(QStringLiteral("both.txt"), "old on the server", T0);
    right(QString::fromUtf8("up/deeper/na\xc3\xafve file.bin"), everyByte(4), T1);
    right(QStringLiteral("both.txt"), "new on this side", T1);
    ASSERT_TRUE(serve()) << server->error().toStdString();
    ASSERT_TRUE(RunCompare(request()).completed);
    choose(QStringLiteral("both.txt"), CompareType::RightOnly); // upload over the server's file

    answers = {OverwriteYes};
    const SyncRunReport report = run(FreezePlan(request()));
    EXPECT_FALSE(report.stopped);
    EXPECT_TRUE(report.failures.empty()) << (report.failures.empty() ? "" : report.failures[0].reason.toStdString());
    EXPECT_EQ(report.copied, 4);
    EXPECT_EQ(questions, QStringList{QStringLiteral("File /both.txt allready exist, overwrite it ?")});

    EXPECT_EQ(readFile(QString::fromUtf8("right/down/caf\xc3\xa9 cr\xc3\xa8me.bin")), everyByte(3));
    EXPECT_EQ(QFileInfo(path(QString::fromUtf8("right/down/caf\xc3\xa9 cr\xc3\xa8me.bin"))).lastModified(), T0);
    EXPECT_EQ(readFile(QString::fromUtf8("left/up/deeper/na\xc3\xafve file.bin")), everyByte(4));
    EXPECT_EQ(QFileInfo(path(QString::fromUtf8("left/up/deeper/na\xc3\xafve file.bin"))).lastModified(), T1);
    EXPECT_EQ(readFile(QStringLiteral("left/both.txt")), "new on this side");
    // Nothing of the uploads' temporary names stays on the server.
    const QStringList onServer = QDir(path(QStringLiteral("left"))).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(onServer, (QStringList{"both.txt", "top level.txt"}));

    expectAllSame(request());
}

TEST_F(FtpSyncRunTest, ManyFilesGoOverSessionsSideBySideAndFailuresComeInListOrder)
{
    manyFilesBothWays();
    left(QStringLiteral("down/grows.txt"), "short", T0);
    ASSERT_TRUE(serve()) << server->error().toStdString();
    ASSERT_TRUE(RunCompare(request()).completed);
    left(QStringLiteral("down/grows.txt"), "much longer than it was listed", T0);
    // A file the server cannot take: a folder of that name is in the way.
    makeDir(QStringLiteral("left/up/0/u0.bin"));

    const SyncRunReport report = run(FreezePlan(request()));
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(report.copied, 23);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_LT(report.failures[0].position, report.failures[1].position);
    EXPECT_GE(server->mostLoggedInAtOnce(), 3); // the run's session and two that copy
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("left/up/0/u0.bin"))).isDir());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("right/down/grows.txt"))));
}

TEST_F(FtpSyncRunTest, AServerThatTakesFewConnectionsGetsEveryFileOverTheRunsOwn)
{
    manyFilesBothWays();
    ASSERT_TRUE(serve(2)) << server->error().toStdString();
    ASSERT_TRUE(RunCompare(request()).completed);

    const SyncRunReport report = run(FreezePlan(request()));
    EXPECT_FALSE(report.stopped);
    EXPECT_TRUE(report.failures.empty()) << (report.failures.empty() ? "" : report.failures[0].reason.toStdString());
    EXPECT_EQ(report.copied, 24);
    EXPECT_LE(server->mostLoggedInAtOnce(), 2);
    expectManyFilesBothWays();
}

TEST_F(FtpSyncRunTest, FilesWithTheLongestNameAFolderTakesGoBothWays)
{
    // 255 bytes: an upload's temporary name must fit where the name fits.
    const QString down = QString(251, u'd') + QStringLiteral(".txt");
    const QString up = QString(251, u'u') + QStringLiteral(".txt");
    left(down, "from the server", T0);
    right(up, "to the server", T1);
    ASSERT_TRUE(serve()) << server->error().toStdString();
    ASSERT_TRUE(RunCompare(request()).completed);

    const SyncRunReport report = run(FreezePlan(request()));
    EXPECT_TRUE(report.failures.empty()) << (report.failures.empty() ? "" : report.failures[0].reason.toStdString());
    EXPECT_EQ(report.copied, 2);
    EXPECT_EQ(readFile(QStringLiteral("right/") + down), "from the server");
    EXPECT_EQ(readFile(QStringLiteral("left/") + up), "to the server");
    EXPECT_EQ(QDir(path(QStringLiteral("left"))).entryList(QDir::Files | QDir::Hidden), (QStringList{down, up}));
    expectAllSame(request());
}

TEST_F(FtpSyncRunTest, AConnectionThatCannotBeOpenedStopsTheRun)
{
    right(QStringLiteral("a.txt"), "a", T0);
    makeDir(QStringLiteral("left"));
    ASSERT_TRUE(serve());
    ASSERT_TRUE(RunCompare(request()).completed);
    SyncPlan plan = FreezePlan(request());
    plan.Site.Password = QStringLiteral("wrong");
    SyncRunReport report = run(plan);
    ASSERT_TRUE(report.stopped);
    EXPECT_TRUE(report.stopped->text.startsWith(QStringLiteral("530 "))) << report.stopped->text.toStdString();
    EXPECT_EQ(report.copied, 0);

    plan.Site.Port = FtpTestServer::FreePort();
    report = run(plan);
    ASSERT_TRUE(report.stopped);
    EXPECT_EQ(report.stopped->text, QStringLiteral("The attempt to connect to the server failed."));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("left/a.txt"))));
}

TEST_F(FtpSyncRunTest, AServerFileThatChangedSinceTheCompareIsNotTakenForIt)
{
    left(QStringLiteral("grows.txt"), "short", T0);
    left(QStringLiteral("stays.txt"), "kept", T0);
    makeDir(QStringLiteral("right"));
    ASSERT_TRUE(serve());
    ASSERT_TRUE(RunCompare(request()).completed);
    left(QStringLiteral("grows.txt"), "much longer than it was listed", T0);

    const SyncRunReport report = run(FreezePlan(request()));
    EXPECT_EQ(report.copied, 1);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].name, QStringLiteral("grows.txt"));
    EXPECT_TRUE(report.failures[0].reason.contains(QStringLiteral("30 bytes received, 5 expected")))
        << report.failures[0].reason.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("right/grows.txt"))));
    EXPECT_EQ(QDir(path(QStringLiteral("right"))).entryList(QDir::Files | QDir::Hidden), QStringList{"stays.txt"});
}
