#include "SyncTestSupport.h"

#include "common/core/ScriptedPrompter.h"
#include "platform/ftp/FtpTestServer.h"
#include "sync/core/modClass.h"
#include "sync/core/modFtp.h"

#include <QFile>
#include <QFileInfo>

using namespace ardl;
using namespace ardl::test;

namespace {

class FtpModuleTest : public TempDirTest {
protected:
    void SetUp() override
    {
        root = makeDir(QStringLiteral("root"));
        writeFile(QStringLiteral("root/pub/doc/x.txt"), "x");
        writeFile(QStringLiteral("root/pub/top.txt"), "top");
        server = std::make_unique<FtpTestServer>(root, FtpTestServer::Access::User, true);
    }

    FtpSite site() const
    {
        FtpSite s;
        s.Server = QStringLiteral("127.0.0.1");
        s.Port = server->port();
        s.User = QString::fromLatin1(FtpTestServer::UserName);
        s.Password = QString::fromLatin1(FtpTestServer::Password);
        s.Filter = QStringLiteral("*.*");
        s.Recursive = true;
        return s;
    }

    QString root;
    std::unique_ptr<FtpTestServer> server;
};

QStringList namesOf(const RemoteScan &scan)
{
    QStringList out;
    for (const RemoteFile &f : scan.files)
        out << f.Name;
    out.sort();
    return out;
}

} // namespace

TEST(FtpModule, SlashesAndErrorTexts)
{
    EXPECT_EQ(AddSlash(QString()), QString());
    EXPECT_EQ(AddSlash(QStringLiteral("/pub")), QStringLiteral("/pub/"));
    EXPECT_EQ(AddSlash(QStringLiteral("/pub/")), QStringLiteral("/pub/"));
    EXPECT_EQ(StripLeadingSlash(QStringLiteral("/a/b")), QStringLiteral("a/b"));
    EXPECT_EQ(StripLeadingSlash(QStringLiteral("a/b")), QStringLiteral("a/b"));

    EXPECT_EQ(GetInternetErrorText(12029), QStringLiteral("The attempt to connect to the server failed."));
    EXPECT_EQ(GetInternetErrorText(12014).back(), u' ');   // the table's texts as they are
    EXPECT_EQ(GetInternetErrorText(12032), QString());
    EXPECT_EQ(GetInternetErrorText(12038), QString());
    EXPECT_EQ(GetInternetErrorText(0), QString());
}

TEST_F(FtpModuleTest, ListsRelativeNamesAndLeavesOutUnsafeOnes)
{
    ASSERT_TRUE(server->started());
    FtpSite s = site();
    s.Dir = QStringLiteral("/pub");
    RemoteScan scan = FtpListRemoteFolder(s);
    ASSERT_TRUE(scan.ok) << scan.failure.text.toStdString();
    EXPECT_EQ(namesOf(scan), (QStringList{QStringLiteral("doc/x.txt"), QStringLiteral("top.txt")}));
    EXPECT_EQ(s.RootDir, QStringLiteral("/pub/"));

    EXPECT_EQ(s.Dir, QStringLiteral("/pub/doc/"));   // the walk leaves the last folder listed
    s.Recursive = false;
    s.Dir = QStringLiteral("/pub");
    scan = FtpListRemoteFolder(s);
    EXPECT_EQ(namesOf(scan), QStringList{QStringLiteral("top.txt")});

    // What a hostile or broken server might send never becomes a name.
    FtpListing listing;
    listing.entries.push_back({QStringLiteral("ok.txt"), FtpEntry::Type::File, 1, {}, DatePrecision::Second, {}});
    listing.entries.push_back({QStringLiteral("../../etc/passwd"), FtpEntry::Type::File, 1, {}, DatePrecision::Second, {}});
    listing.entries.push_back({QStringLiteral("..\\up.txt"), FtpEntry::Type::Link, 1, {}, DatePrecision::Second, {}});
    listing.unreadableLines << QStringLiteral("???");
    FtpSite where = site();
    where.RootDir = QStringLiteral("/pub/");
    where.Dir = QStringLiteral("/pub/doc/");
    RemoteScan added;
    FtpAddFolderFiles(listing, where, added);
    ASSERT_EQ(added.files.size(), 1u);
    EXPECT_EQ(added.files[0].Name, QStringLiteral("doc/ok.txt"));
    EXPECT_EQ(added.undatedNames, QStringList{QStringLiteral("doc/ok.txt")});
    EXPECT_EQ(added.rejectedNames.size(), 2);
    EXPECT_EQ(added.unreadableLines, QStringList{QStringLiteral("???")});
}

TEST_F(FtpModuleTest, ANameHoldingACarriageReturnIsRejectedNotCutShort)
{
    ASSERT_TRUE(server->started());
    writeFile(QStringLiteral("root/pub/cr\rname.txt"), "cr");
    for (const bool machine : {true, false}) {
        FtpSite s = site();
        std::unique_ptr<FtpSession> session = FtpConnect(s);
        ASSERT_TRUE(session->isOpen());
        session->setMachineListing(machine);
        s.Dir = s.RootDir = QStringLiteral("/pub/");
        RemoteScan scan;
        ASSERT_TRUE(FtpWalkFolders(*session, s, scan));
        EXPECT_EQ(namesOf(scan), (QStringList{QStringLiteral("doc/x.txt"), QStringLiteral("top.txt")})) << machine;
        EXPECT_EQ(scan.rejectedNames, QStringList{QStringLiteral("cr\rname.txt")}) << machine;
        EXPECT_TRUE(scan.unreadableLines.isEmpty()) << machine;
    }
}

TEST_F(FtpModuleTest, LinksOfATextListingAreLeftOutAndCountedNeverSizedAsFiles)
{
    ASSERT_TRUE(server->started());
    writeFile(QStringLiteral("root/pub/real/f.txt"), "the target");
    ASSERT_TRUE(QFile::link(QStringLiteral("real/f.txt"), path(QStringLiteral("root/pub/filelink.txt"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("real"), path(QStringLiteral("root/pub/dirlink"))));
    FtpSite s = site();
    std::unique_ptr<FtpSession> session = FtpConnect(s);
    ASSERT_TRUE(session->isOpen());
    session->setMachineListing(false);
    s.Dir = s.RootDir = QStringLiteral("/pub/");
    RemoteScan scan;
    ASSERT_TRUE(FtpWalkFolders(*session, s, scan));
    EXPECT_EQ(namesOf(scan), (QStringList{QStringLiteral("doc/x.txt"), QStringLiteral("real/f.txt"),
                                          QStringLiteral("top.txt")}));
    for (const RemoteFile &f : scan.files) {
        if (f.Name == QStringLiteral("real/f.txt")) {
            EXPECT_EQ(f.Size, 10);
        }
    }
    QStringList links = scan.linkNames;
    links.sort();
    EXPECT_EQ(links, (QStringList{QStringLiteral("dirlink"), QStringLiteral("filelink.txt")}));
}

TEST_F(FtpModuleTest, TextListingsCompareAtTheirOwnPrecision)
{
    ASSERT_TRUE(server->started());
    // Old files are listed with their day only, recent ones to the minute.
    const QDateTime old = Local(2024, 5, 6, 7, 8, 9);
    const QDateTime recent = QDateTime::currentDateTime().addSecs(-7200);
    SetFileTime(path(QStringLiteral("root/pub/top.txt")), old);
    SetFileTime(path(QStringLiteral("root/pub/doc/x.txt")), old);
    SetFileTime(writeFile(QStringLiteral("root/pub/recent.txt"), "r"), recent);
    SetFileTime(writeFile(QStringLiteral("root/pub/recent2.txt"), "r"), recent);
    FtpSite s = site();
    std::unique_ptr<FtpSession> session = FtpConnect(s);
    ASSERT_TRUE(session->isOpen());
    session->setMachineListing(false);
    s.Dir = s.RootDir = QStringLiteral("/pub/");
    RemoteScan scan;
    ASSERT_TRUE(FtpWalkFolders(*session, s, scan));
    ASSERT_EQ(scan.files.size(), 4u);

    SyncItemSet set;
    for (const RemoteFile &f : scan.files) {
        EXPECT_EQ(f.Precision, f.Name.startsWith(QStringLiteral("recent")) ? DatePrecision::Minute
                                                                           : DatePrecision::Day);
        set.addLeft(f.Name, f.Size, f.Date, f.Precision);
    }
    set.addRight(QStringLiteral("top.txt"), 3, old);
    set.addRight(QStringLiteral("doc/x.txt"), 1, old.addDays(-1));
    set.addRight(QStringLiteral("recent.txt"), 1, recent);
    set.addRight(QStringLiteral("recent2.txt"), 1, recent.addSecs(60));
    set.classify(false);
    EXPECT_EQ(set.originalType(QStringLiteral("top.txt")), CompareType::Same);
    EXPECT_EQ(set.originalType(QStringLiteral("doc/x.txt")), CompareType::Different);
    EXPECT_EQ(set.originalType(QStringLiteral("recent.txt")), CompareType::Same);
    EXPECT_EQ(set.originalType(QStringLiteral("recent2.txt")), CompareType::Different);
}

TEST_F(FtpModuleTest, CreatesEveryMissingFolderOfAPath)
{
    ASSERT_TRUE(server->started());
    std::unique_ptr<FtpSession> c = FtpConnect(site());
    ASSERT_TRUE(c->isOpen());
    EXPECT_TRUE(FtpCreatePath(*c, QStringLiteral("/pub/new one/deeper/")));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("root/pub/new one/deeper"))).isDir());
    EXPECT_TRUE(FtpSetDirectory(*c, QStringLiteral("pub/new one")));
    EXPECT_TRUE(FtpCreatePath(*c, QStringLiteral("/pub/new one/file.txt")));   // the last step is a file
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("root/pub/new one/file.txt"))));
}

TEST_F(FtpModuleTest, TheScanShowsItsFailureInAMessageBox)
{
    ASSERT_TRUE(server->started());
    ScriptedPrompter prompts;
    ScopedPrompter scope(prompts);
    FtpSite s = site();
    s.Dir = QStringLiteral("/missing");
    colFile files;
    EXPECT_FALSE(FtpScanRemoteFolder(files, s));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("Remote Directory : /missing don't exist")});
    EXPECT_EQ(prompts.asked[0].icon, MsgIcon::Exclamation);

    s.Password = QStringLiteral("bad");
    s.Dir = QStringLiteral("/pub");
    EXPECT_FALSE(FtpScanRemoteFolder(files, s));
    EXPECT_TRUE(prompts.messages().back().startsWith(QStringLiteral("530")));
    EXPECT_EQ(GetInternetErrorText(12003), prompts.messages().back());
    EXPECT_EQ(prompts.asked.back().icon, MsgIcon::Information);

    s.Password = QString::fromLatin1(FtpTestServer::Password);
    EXPECT_TRUE(FtpScanRemoteFolder(files, s));
    EXPECT_EQ(files.Count(), 2);
}
