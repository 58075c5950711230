#include "SyncTestSupport.h"

#include "platform/ftp/FtpTestServer.h"
#include "support/ScanSupport.h"
#include "sync/core/CompareRun.h"
#include "sync/core/modClass.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace ardl;
using namespace ardl::test;

namespace {

const QDateTime T0 = Local(2024, 5, 6, 7, 8, 9);

class CompareRunTest : public SyncTreeTest {
protected:
    void SetUp() override
    {
        SyncItems().clear();
        // The same tree on both sides: the left one is served over FTP.
        for (const QString &side : {QStringLiteral("left/"), QStringLiteral("right/")}) {
            for (const char *name : {"a file.txt", "README", "sub dir/b.txt", "sub dir/deeper/c.dat",
                                     "other/caf\xc3\xa9 #1.txt"}) {
                const QString p = writeFile(side + QString::fromUtf8(name), QByteArray(name));
                SetFileTime(p, T0);
            }
        }
    }

    CompareRequest request(const QString &kind) const
    {
        CompareRequest r = kind == QStringLiteral("Ftp") ? FtpRequest(server ? server->port() : 21, rightRoot())
                                                         : DirRequest(leftRoot(), rightRoot());
        r.Kind = kind;
        return r;
    }

    bool serve(FtpTestServer::Access access = FtpTestServer::Access::User)
    {
        server = std::make_unique<FtpTestServer>(path(QStringLiteral("left")), access, false);
        return server->started();
    }

    // The one message of a run stopped at a check.
    SyncMessage stoppedWith(const CompareRequest &r)
    {
        AddItemL(QStringLiteral("left over"), 1, T0);
        const CompareResult result = RunCompare(r);
        EXPECT_FALSE(result.completed);
        EXPECT_EQ(SyncItems().Count(), 0);
        EXPECT_EQ(result.messages.size(), 1u);
        return result.messages.empty() ? SyncMessage{} : result.messages.back();
    }

    std::unique_ptr<FtpTestServer> server;
};

} // namespace

TEST_F(CompareRunTest, EachFailedCheckStopsTheRunWithItsMessage)
{
    struct Case {
        QString kind, rootLeft, rootRight, login, port;
        int id;
        QString text;
    };
    const QString missing = path(QStringLiteral("missing"));
    const QString syn = writeFile(QStringLiteral("x.syn"), "/x/\r\n");
    const std::vector<Case> cases = {
        {"Ftp", "", rightRoot(), "me", "21", 239, "Ftp Server must be not null"},
        {"Ftp", "host", rightRoot(), "", "21", 240, "Login must be not null"},
        {"Ftp", "host", rightRoot(), "me", "port", 4101, "Port must be a number from 1 to 65535"},
        {"Ftp", "host", rightRoot(), "me", "65536", 4101, "Port must be a number from 1 to 65535"},
        {"File", "", rightRoot(), "", "", 202, "Path of Sync File must be not null"},
        {"File", missing, rightRoot(), "", "", 203, "Path of Sync File is invalid"},
        {"File", syn, missing, "", "", 201, "Right Root Dir is invalid"},
        {"Dir", "", rightRoot(), "", "", 198, "Left Root Dir must be not null"},
        {"Dir", missing, rightRoot(), "", "", 200, "Left Root Dir is invalid"},
        {"Dir", leftRoot(), "", "", "", 199, "Right Root Dir must be not null"},
    };
    for (const Case &c : cases) {
        CompareRequest r = request(c.kind);
        r.RootLeft = c.rootLeft;
        r.RootRight = c.rootRight;
        r.Login = c.login;
        r.Port = c.port;
        const SyncMessage m = stoppedWith(r);
        EXPECT_EQ(m.id, c.id) << c.text.toStdString();
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
    CompareRequest r = request(QStringLiteral("Dir"));
    r.RootRight = missing;
    EXPECT_FALSE(RunCompare(r).rememberLeftRoot);
    EXPECT_TRUE(RunCompare(request(QStringLiteral("Dir"))).rememberLeftRoot);
}

TEST_F(CompareRunTest, AnotherKindListsTheRightSideAlone)
{
    const CompareResult result = RunCompare(request(QStringLiteral("Zip")));
    ASSERT_TRUE(result.completed);
    EXPECT_EQ(result.leftFiles, 0);
    EXPECT_EQ(SyncItems().Count(), 5);
    for (const auto &[name, cls] : ClassesOfSyncItems())
        EXPECT_EQ(cls, CompareType::RightOnly) << name.toStdString();
}

TEST_F(CompareRunTest, ARemoteTreeComparedWithItsLocalCopyIsAllSame)
{
    ASSERT_TRUE(serve()) << server->error().toStdString();
    QStringList scanned;
    const CompareResult result =
        RunCompare(request(QStringLiteral("Ftp")), [&](const QString &s) { scanned << s; });
    ASSERT_TRUE(result.completed) << (result.messages.empty() ? "" : result.messages.back().text.toStdString());
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.leftFiles, 5);
    EXPECT_EQ(SyncItems().Count(), 5);
    for (const auto &[name, cls] : ClassesOfSyncItems())
        EXPECT_EQ(cls, CompareType::Same) << name.toStdString();
    EXPECT_TRUE(scanned.contains(QStringLiteral("Scan Directory : /sub dir/deeper/")));
    EXPECT_EQ(scanned.size(), 4);

    // The filter is ours: "*.*" takes names without a dot, "*.txt" only .txt files.
    CompareRequest txt = request(QStringLiteral("Ftp"));
    txt.Filter = QStringLiteral("*.TXT");
    ASSERT_TRUE(RunCompare(txt).completed);
    EXPECT_EQ(SyncItems().Count(), 3);
    EXPECT_EQ(ClassesOfSyncItems().count(QStringLiteral("README")), 0u);

    // A sub-folder as the remote root, not recursive, with a changed file.
    SetFileTime(path(QStringLiteral("left/sub dir/b.txt")), T0.addSecs(60));
    CompareRequest sub = request(QStringLiteral("Ftp"));
    sub.RemoteDir = QStringLiteral("/sub dir");
    sub.RootRight = path(QStringLiteral("right/sub dir/"));
    sub.Recursive = false;
    ASSERT_TRUE(RunCompare(sub).completed);
    EXPECT_EQ(ClassesOfSyncItems(), (std::map<QString, int>{{QStringLiteral("b.txt"), CompareType::Different}}));
}

TEST_F(CompareRunTest, RemoteFailuresStopTheRunWithTheirText)
{
    ASSERT_TRUE(serve());
    CompareRequest wrong = request(QStringLiteral("Ftp"));
    wrong.Password = QStringLiteral("not it");
    SyncMessage m = stoppedWith(wrong);
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("530 "))) << m.text.toStdString();

    CompareRequest closed = request(QStringLiteral("Ftp"));
    closed.Port = QString::number(FtpTestServer::FreePort());
    m = stoppedWith(closed);
    EXPECT_EQ(m.text, QStringLiteral("The attempt to connect to the server failed."));
    EXPECT_EQ(m.id, 12029);

    CompareRequest nowhere = request(QStringLiteral("Ftp"));
    nowhere.RemoteDir = QStringLiteral("/no such folder");
    m = stoppedWith(nowhere);
    EXPECT_EQ(m.text, QStringLiteral("Remote Directory : /no such folder don't exist"));
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
}

TEST_F(CompareRunTest, AnonymousAccessNeedsNoLogin)
{
    ASSERT_TRUE(serve(FtpTestServer::Access::Anonymous));
    CompareRequest r = request(QStringLiteral("Ftp"));
    r.Anonymous = true;
    r.Login.clear();
    r.Password = QStringLiteral("guest@");
    ASSERT_TRUE(RunCompare(r).completed);
    EXPECT_EQ(ClassesOfSyncItems()[QStringLiteral("sub dir/deeper/c.dat")], CompareType::Same);
}

TEST_F(CompareRunTest, NamesThatAreNotUtf8NeverBecomeRows)
{
    // Both show as "\uFFFD.txt": as one row they would name no file on disk.
    const time_t when = T0.toSecsSinceEpoch();
    WriteRawFile(path(QStringLiteral("left")), "\xff.txt", "same", when);
    WriteRawFile(path(QStringLiteral("left")), "\xfd.txt", "same", when);
    WriteRawFile(path(QStringLiteral("right")), "\xff.txt", "other", when);

    const CompareResult result = RunCompare(request(QStringLiteral("Dir")));
    ASSERT_TRUE(result.completed);
    EXPECT_EQ(SyncItems().Count(), 5);
    for (const auto &[name, cls] : ClassesOfSyncItems())
        EXPECT_FALSE(name.contains(QChar(0xFFFD))) << name.toStdString();
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text,
              QStringLiteral("3 files were left out because their names are not valid UTF-8 and cannot be shown "
                             "exactly, for example ")
                  + QStringLiteral("\\xFD.txt"));
}

TEST_F(CompareRunTest, AFolderOfEitherSideThatCannotBeReadStopsTheRun)
{
    for (const QString &side : {QStringLiteral("left"), QStringLiteral("right")}) {
        // Replaced by a file between the listing of its parent and its own
        // reading: even root cannot read it then.
        const QString folder = path(side + QStringLiteral("/sub dir"));
        {
            OnFolderOpen replace([&](const QByteArray &native) {
                if (native != QFile::encodeName(folder) + '/')
                    return;
                ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".moved")));
                writeFile(side + QStringLiteral("/sub dir"), "now a file");
            });
            const SyncMessage m = stoppedWith(request(QStringLiteral("Dir")));
            EXPECT_EQ(m.id, 4050);
            EXPECT_EQ(m.text, QStringLiteral("The folder %1/ cannot be read: Not a directory").arg(folder));
            EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        }
        ASSERT_TRUE(QFile::remove(folder));
        ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".moved"), folder));
    }
    ASSERT_TRUE(RunCompare(request(QStringLiteral("Dir"))).completed);

    if (::geteuid() == 0)
        return;   // permissions do not hold back root
    const QByteArray other = QFile::encodeName(path(QStringLiteral("right/other")));
    ASSERT_EQ(::chmod(other.constData(), 0), 0);
    const SyncMessage m = stoppedWith(request(QStringLiteral("Dir")));
    ::chmod(other.constData(), 0700);
    EXPECT_EQ(m.text, QStringLiteral("The folder %1/ cannot be read: Permission denied").arg(path(QStringLiteral("right/other"))));
}
