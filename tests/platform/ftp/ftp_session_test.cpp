#include "FtpTestServer.h"

#include "platform/ftp/FtpErrorCodes.h"
#include "platform/ftp/FtpSession.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace ardl;
using ardl::test::FtpTestServer;

namespace {

QStringList names(const FtpListing &listing)
{
    QStringList out;
    for (const FtpEntry &e : listing.entries)
        out << e.name + (e.type == FtpEntry::Type::Folder ? QStringLiteral("/") : QString());
    out.sort();
    return out;
}

// Bytes whose every 4-byte word holds its own index: a piece lost, doubled or
// out of place shows in the comparison.
QByteArray numberedBytes(qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char((i / 4) >> (8 * (i % 4)));
    return out;
}

// A sink that takes `room` bytes and refuses the rest, as a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
        open(QIODevice::WriteOnly);
    }
    qint64 taken = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (taken + size > m_room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        taken += size;
        return size;
    }

private:
    qint64 m_room;
};

class FtpSessionTest : public ardl::test::TempDirTest {
protected:
    void SetUp() override
    {
        root = makeDir(QStringLiteral("root"));
        writeFile(QStringLiteral("root/a file.txt"), "hello");
        writeFile(QStringLiteral("root/sub dir/deep/x.txt"), "x");
        makeDir(QStringLiteral("root/empty"));
        ardl::test::SetFileTime(path(QStringLiteral("root/a file.txt")), Stamp);
    }

    bool start(FtpTestServer::Access access = FtpTestServer::Access::User, bool writable = false, int idleSeconds = 0)
    {
        server = std::make_unique<FtpTestServer>(root, access, writable, idleSeconds);
        return server->started();
    }

    bool login(FtpSession &s)
    {
        return s.open(QStringLiteral("127.0.0.1"), server->port(), QString::fromLatin1(FtpTestServer::UserName),
                      QString::fromLatin1(FtpTestServer::Password));
    }

    const QDateTime Stamp = QDateTime(QDate(2021, 7, 8), QTime(9, 10, 11), Qt::UTC);
    QString root;
    std::unique_ptr<FtpTestServer> server;
};

} // namespace

TEST_F(FtpSessionTest, ListsNestedFoldersWithMachineListingsAndWithList)
{
    ASSERT_TRUE(start()) << server->error().toStdString();
    FtpSession s;
    ASSERT_TRUE(login(s)) << s.lastErrorDetail().toStdString();
    EXPECT_TRUE(s.usesMachineListing());

    FtpListing machine;
    ASSERT_TRUE(s.list(QStringLiteral("/"), machine));
    EXPECT_EQ(names(machine),
              (QStringList{QStringLiteral("a file.txt"), QStringLiteral("empty/"), QStringLiteral("sub dir/")}));
    const auto file = std::find_if(machine.entries.begin(), machine.entries.end(),
                                   [](const FtpEntry &e) { return e.name == QStringLiteral("a file.txt"); });
    ASSERT_NE(file, machine.entries.end());
    EXPECT_EQ(file->size, 5);
    EXPECT_EQ(file->modified, Stamp);
    EXPECT_EQ(file->precision, DatePrecision::Second);

    FtpListing deep;
    ASSERT_TRUE(s.list(QStringLiteral("/sub dir/deep"), deep));
    EXPECT_EQ(names(deep), QStringList{QStringLiteral("x.txt")});

    s.setMachineListing(false);
    FtpListing plain;
    ASSERT_TRUE(s.list(QStringLiteral("/"), plain));
    EXPECT_TRUE(plain.unreadableLines.isEmpty());
    EXPECT_EQ(names(plain), names(machine));
    ASSERT_TRUE(s.list(QStringLiteral("sub dir/deep/"), deep)); // taken from the root
    EXPECT_EQ(names(deep), QStringList{QStringLiteral("x.txt")});
    EXPECT_EQ(deep.entries[0].precision, DatePrecision::Minute);

    // None of 30 listings in a row sits waiting for libcurl's missed reply
    // (bench/ftplist measures the speed).
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(s.list(QStringLiteral("/sub dir/deep/"), deep));
    EXPECT_LE(s.idleWakeups(), 1);
}

TEST_F(FtpSessionTest, MissingFoldersAndFilesAreToldApart)
{
    ASSERT_TRUE(start(FtpTestServer::Access::Anonymous));
    FtpSession s;
    ASSERT_TRUE(s.open(QStringLiteral("ftp://127.0.0.1/"), server->port(), QStringLiteral("anonymous"),
                       QStringLiteral("guest@")))
        << s.lastErrorDetail().toStdString();
    EXPECT_TRUE(s.folderExists(QStringLiteral("/sub dir")));
    EXPECT_TRUE(s.folderExists(QStringLiteral("/sub dir/deep/")));
    EXPECT_FALSE(s.folderExists(QStringLiteral("/nowhere")));
    EXPECT_EQ(s.lastError(), FtpErrorCode::ExtendedError);
    EXPECT_TRUE(s.lastReply().startsWith(QStringLiteral("550"))) << s.lastReply().toStdString();
    EXPECT_EQ(FtpLastResponseInfo(), s.lastReply());

    EXPECT_TRUE(s.fileExists(QStringLiteral("/a file.txt")));
    EXPECT_FALSE(s.fileExists(QStringLiteral("/nothing.txt")));
    EXPECT_FALSE(s.fileExists(QStringLiteral("/sub dir")));

    FtpListing listing;
    EXPECT_FALSE(s.list(QStringLiteral("/nowhere"), listing));
    EXPECT_EQ(s.lastError(), FtpErrorCode::ExtendedError);
    EXPECT_FALSE(s.lastReply().isEmpty());
    // The session stays usable after a refusal.
    EXPECT_TRUE(s.list(QStringLiteral("/empty"), listing));
    EXPECT_TRUE(listing.entries.empty());
}

TEST_F(FtpSessionTest, LoginAndConnectionFailuresHaveTheirCodes)
{
    ASSERT_TRUE(start());
    FtpSession s;
    EXPECT_FALSE(
        s.open(QStringLiteral("127.0.0.1"), server->port(), QStringLiteral("tester"), QStringLiteral("wrong")));
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(s.lastError(), FtpErrorCode::ExtendedError);
    EXPECT_TRUE(s.lastReply().startsWith(QStringLiteral("530"))) << s.lastReply().toStdString();

    EXPECT_FALSE(
        s.open(QStringLiteral("127.0.0.1"), FtpTestServer::FreePort(), QStringLiteral("u"), QStringLiteral("p")));
    EXPECT_EQ(s.lastError(), FtpErrorCode::CannotConnect);

    EXPECT_FALSE(s.open(QStringLiteral("127.0.0.1"), 0, QStringLiteral("u"), QStringLiteral("p")));
    EXPECT_EQ(s.lastError(), FtpErrorCode::InvalidUrl);
    EXPECT_FALSE(s.open(QStringLiteral("127.0.0.1"), 65536, QStringLiteral("u"), QStringLiteral("p")));
    EXPECT_EQ(s.lastError(), FtpErrorCode::InvalidUrl);
}

TEST_F(FtpSessionTest, PutMakeDirAndGetKeepContentAndTime)
{
    ASSERT_TRUE(start(FtpTestServer::Access::User, true));
    FtpSession s;
    ASSERT_TRUE(login(s));
    EXPECT_TRUE(s.makeDir(QStringLiteral("/new folder")));
    EXPECT_FALSE(s.makeDir(QStringLiteral("/new folder"))); // already there

    const QString local = writeFile(QStringLiteral("up/data #1.bin"), QByteArray(200000, 'z'));
    const QDateTime when(QDate(2020, 2, 29), QTime(23, 30, 5), Qt::UTC);
    ardl::test::SetFileTime(local, when);
    ASSERT_TRUE(s.putFile(local, QStringLiteral("/new folder/data #1.bin"))) << s.lastErrorDetail().toStdString();
    EXPECT_EQ(readFile(QStringLiteral("root/new folder/data #1.bin")), QByteArray(200000, 'z'));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("root/new folder/data #1.bin"))).lastModified().toUTC(), when);

    const QString down = path(QStringLiteral("down/copy.bin"));
    makeDir(QStringLiteral("down"));
    ASSERT_TRUE(s.getFile(QStringLiteral("/new folder/data #1.bin"), down));
    EXPECT_EQ(readFile(QStringLiteral("down/copy.bin")), QByteArray(200000, 'z'));
    EXPECT_EQ(QFileInfo(down).lastModified().toUTC(), when);

    // A failed download leaves the file that was there, and no stray file.
    writeFile(QStringLiteral("down/keep.txt"), "old");
    EXPECT_FALSE(s.getFile(QStringLiteral("/missing.txt"), path(QStringLiteral("down/keep.txt"))));
    EXPECT_EQ(readFile(QStringLiteral("down/keep.txt")), QByteArray("old"));
    EXPECT_EQ(QDir(path(QStringLiteral("down"))).entryList(QDir::Files).size(), 2);

    EXPECT_FALSE(s.putFile(path(QStringLiteral("nope.txt")), QStringLiteral("/nope.txt")));
    EXPECT_EQ(s.lastError(), FtpErrorCode::InternalError);
    EXPECT_FALSE(s.lastErrorDetail().isEmpty());
}

TEST_F(FtpSessionTest, ADownloadTakesTheServersTimeEvenBefore1970)
{
    const QDateTime old(QDate(1965, 3, 4), QTime(5, 6, 7), Qt::UTC);
    writeFile(QStringLiteral("root/old.txt"), "from 1965");
    ardl::test::SetFileTime(path(QStringLiteral("root/old.txt")), old);
    ASSERT_TRUE(start());
    FtpSession s;
    ASSERT_TRUE(login(s));
    const QString down = path(QStringLiteral("down/old.txt"));
    makeDir(QStringLiteral("down"));
    ASSERT_TRUE(s.getFile(QStringLiteral("/old.txt"), down)) << s.lastErrorDetail().toStdString();
    EXPECT_EQ(readFile(QStringLiteral("down/old.txt")), QByteArray("from 1965"));
    EXPECT_EQ(QFileInfo(down).lastModified().toUTC(), old);
}

TEST_F(FtpSessionTest, CallsAfterTheServerClosedAnIdleConnectionStillWork)
{
    // The server drops a control connection idle for a second; each call
    // below comes after such a drop, as after a question left open.
    ASSERT_TRUE(start(FtpTestServer::Access::User, true, 1)) << server->error().toStdString();
    FtpSession s;
    ASSERT_TRUE(login(s)) << s.lastErrorDetail().toStdString();

    ASSERT_TRUE(server->waitForIdleClose());
    FtpListing listing;
    EXPECT_TRUE(s.list(QStringLiteral("/sub dir/deep"), listing)) << s.lastErrorDetail().toStdString();
    EXPECT_EQ(names(listing), QStringList{QStringLiteral("x.txt")});

    ASSERT_TRUE(server->waitForIdleClose());
    EXPECT_TRUE(s.putFile(path(QStringLiteral("root/a file.txt")), QStringLiteral("/sub dir/up.txt")))
        << s.lastErrorDetail().toStdString();
    EXPECT_EQ(readFile(QStringLiteral("root/sub dir/up.txt")), "hello");

    ASSERT_TRUE(server->waitForIdleClose());
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    EXPECT_TRUE(s.getFile(QStringLiteral("/sub dir/deep/x.txt"), sink)) << s.lastErrorDetail().toStdString();
    EXPECT_EQ(sink.data(), "x");

    // A refusal after the drop is the server's answer to the call itself.
    ASSERT_TRUE(server->waitForIdleClose());
    EXPECT_FALSE(s.folderExists(QStringLiteral("/nowhere")));
    EXPECT_TRUE(s.lastReply().startsWith(QStringLiteral("550"))) << s.lastReply().toStdString();
}

TEST_F(FtpSessionTest, TransfersInARowNeverSitWaitingForNothing)
{
    // libcurl can miss the reply that opens a data connection and wait a
    // whole second for nothing before each file; the session counts every
    // wait that ended without anything to do.
    constexpr int Files = 30;
    for (int i = 0; i < Files; ++i)
        writeFile(QStringLiteral("root/many/f%1.txt").arg(i), QByteArray::number(i));
    writeFile(QStringLiteral("up.txt"), "up");
    ASSERT_TRUE(start(FtpTestServer::Access::User, true)) << server->error().toStdString();
    FtpSession s;
    ASSERT_TRUE(login(s)) << s.lastErrorDetail().toStdString();
    FtpListing listing;
    for (int i = 0; i < Files; ++i) {
        const QString name = QStringLiteral("/many/f%1.txt").arg(i);
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        ASSERT_TRUE(s.getFile(name, sink, nullptr, QByteArray::number(i).size())) << s.lastErrorDetail().toStdString();
        EXPECT_EQ(sink.data(), QByteArray::number(i));
        ASSERT_TRUE(s.putFile(path(QStringLiteral("up.txt")), name + QStringLiteral(".up")))
            << s.lastErrorDetail().toStdString();
        ASSERT_TRUE(s.list(QStringLiteral("/many"), listing)) << s.lastErrorDetail().toStdString();
    }
    EXPECT_EQ(listing.entries.size(), size_t(2 * Files));
    // The stall hits one transfer in a few; a loaded machine may add one
    // wait that runs out.
    EXPECT_LE(s.idleWakeups(), 1);
}

TEST_F(FtpSessionTest, ALargeDownloadArrivesWholeAndInOrder)
{
    const QByteArray content = numberedBytes(5 * 1024 * 1024 + 12345);
    writeFile(QStringLiteral("root/large.bin"), content);
    ASSERT_TRUE(start()) << server->error().toStdString();
    FtpSession s;
    ASSERT_TRUE(login(s)) << s.lastErrorDetail().toStdString();

    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    ASSERT_TRUE(s.getFile(QStringLiteral("/large.bin"), sink, nullptr, content.size()))
        << s.lastErrorDetail().toStdString();
    EXPECT_TRUE(sink.data() == content);

    makeDir(QStringLiteral("down"));
    ASSERT_TRUE(s.getFile(QStringLiteral("/large.bin"), path(QStringLiteral("down/large.bin"))))
        << s.lastErrorDetail().toStdString();
    EXPECT_TRUE(readFile(QStringLiteral("down/large.bin")) == content);

    // A size other than the listed one is a failed download.
    QBuffer shorter;
    shorter.open(QIODevice::WriteOnly);
    EXPECT_FALSE(s.getFile(QStringLiteral("/large.bin"), shorter, nullptr, content.size() + 1));
}

TEST_F(FtpSessionTest, ADownloadIntoASinkThatRefusesBytesFailsWithItsReason)
{
    writeFile(QStringLiteral("root/large.bin"), numberedBytes(3 * 1024 * 1024));
    ASSERT_TRUE(start()) << server->error().toStdString();
    FtpSession s;
    ASSERT_TRUE(login(s)) << s.lastErrorDetail().toStdString();

    // Full after the first MiB, while bytes still come in.
    FullDevice full(1024 * 1024);
    EXPECT_FALSE(s.getFile(QStringLiteral("/large.bin"), full));
    EXPECT_EQ(s.lastError(), FtpErrorCode::InternalError);
    EXPECT_EQ(s.lastErrorDetail(), QStringLiteral("No space left on device"));
    EXPECT_LE(full.taken, 1024 * 1024);

    // Full from the start, for a file smaller than one write: the refusal
    // comes only when the last bytes are written.
    FullDevice none(0);
    EXPECT_FALSE(s.getFile(QStringLiteral("/a file.txt"), none));
    EXPECT_EQ(s.lastError(), FtpErrorCode::InternalError);
    EXPECT_EQ(s.lastErrorDetail(), QStringLiteral("No space left on device"));

    // The session goes on after either.
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    EXPECT_TRUE(s.getFile(QStringLiteral("/a file.txt"), sink)) << s.lastErrorDetail().toStdString();
    EXPECT_EQ(sink.data(), "hello");
}
