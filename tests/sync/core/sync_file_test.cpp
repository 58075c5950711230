#include "SyncTestSupport.h"
#include "support/ScanSupport.h"

#include "sync/core/CompareRun.h"
#include "sync/core/SyncFile.h"
#include "sync/core/clsList.h"
#include "sync/core/modClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ardl;
using namespace ardl::test;

namespace {

class SyncFileTest : public SyncTreeTest {
protected:
    void SetUp() override { SyncItems().clear(); }

    QString tree(const QString &name, const QByteArray &content, const QDateTime &when)
    {
        const QString p = writeFile(QStringLiteral("tree/") + name, content);
        SetFileTime(p, when);
        return p;
    }
};

} // namespace

TEST_F(SyncFileTest, WritesTheKnownBytesOfATree)
{
    tree(QStringLiteral("b.txt"), "abc", Local(2024, 5, 6, 7, 8, 9));
    tree(QStringLiteral("A name|odd.txt"), "", Local(2023, 12, 31));
    tree(QStringLiteral("sub/c.dat"), "hello", Local(2024, 1, 2, 3, 4, 5));
    const QString root = path(QStringLiteral("tree"));   // typed without its separator
    const SyncFileWriteResult written =
        CreateSyncFile(path(QStringLiteral("out.syn")), root, QStringLiteral("*.*"), true);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    const QByteArray expected = root.toUtf8() + "/\r\n"
                                "A name|odd.txt|0|31/12/2023 00:00:00\r\n"
                                "b.txt|3|06/05/2024 07:08:09\r\n"
                                "sub/c.dat|5|02/01/2024 03:04:05\r\n";
    EXPECT_EQ(readFile(QStringLiteral("out.syn")), expected);

    // Not recursive, with a mask: the top folder's matching files only.
    ASSERT_TRUE(CreateSyncFile(path(QStringLiteral("out.syn")), root + u'/', QStringLiteral("*.txt"), false).ok);
    EXPECT_EQ(readFile(QStringLiteral("out.syn")),
              root.toUtf8() + "/\r\nA name|odd.txt|0|31/12/2023 00:00:00\r\nb.txt|3|06/05/2024 07:08:09\r\n");
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList{QStringLiteral("out.syn")});   // no temporary left

    const SyncFileWriteResult failed =
        CreateSyncFile(path(QStringLiteral("no/such/folder/out.syn")), root, QStringLiteral("*.*"), true);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
}

TEST_F(SyncFileTest, ASyncFileWithTheLongestNameAFolderTakesIsWrittenAndKeepsItsPermissions)
{
    tree(QStringLiteral("a.txt"), "a", Local(2024, 1, 2));
    const QString name = QString(251, u's') + QStringLiteral(".syn"); // 255 bytes
    const QString syn = path(name);
    SyncFileWriteResult written = CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(ReadSyncFile(syn).entries.size(), 1u);

    // Written again over itself, it keeps what the user made of it.
    ASSERT_TRUE(QFile::setPermissions(syn, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    written = CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_FALSE(QFileInfo(syn).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files | QDir::Hidden), QStringList{name}); // no temporary left
}

TEST_F(SyncFileTest, WrittenThenLoadedThenComparedWithItsTreeIsAllSame)
{
    tree(QStringLiteral("one.txt"), "1", Local(2024, 3, 31, 3, 30, 0));   // just after a clock change
    tree(QStringLiteral("a|b|c.txt"), "22", Local(2024, 10, 27, 1, 59, 59));
    tree(QStringLiteral(" blank .txt"), "333", Local(2000, 1, 1));
    tree(QStringLiteral("deep/er/x"), "4444", Local(2024, 5, 6, 23, 59, 59));
    const QString syn = path(QStringLiteral("tree.syn"));
    ASSERT_TRUE(CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true).ok);

    const CompareResult result = RunCompare(FileRequest(syn, path(QStringLiteral("tree"))));
    ASSERT_TRUE(result.completed);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.leftFiles, 4);
    for (const auto &[name, cls] : ClassesOfSyncItems())
        EXPECT_EQ(cls, CompareType::Same) << name.toStdString();
    EXPECT_EQ(SyncItems().Count(), 4);
}

TEST_F(SyncFileTest, AnOlderFileWithNegativeSizesBackslashesAndBadLinesStillPairs)
{
    const QDateTime t = Local(2024, 5, 6, 7, 8, 9);
    const QString big = writeFile(QStringLiteral("right/big.bin"), QByteArray());
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(3000000000LL));   // sparse
    }
    SetFileTime(big, t);
    right(QString::fromUtf8("sub/caf\xc3\xa9.txt"), "four", t);
    right(QStringLiteral("odd date.txt"), "1", t);
    right(QStringLiteral(" spaced .txt"), "1", t);

    const QByteArray old = "C:\\data\r\n"
                           "\\big.bin|-1294967296|06/05/2024 07:08:09\r\n"
                           "\\sub\\caf\xe9.txt|4|6/5/2024 7:08:09\r\n"
                           "a line without fields\r\n"
                           "x|not a size|06/05/2024\r\n"
                           "\\..\\escape.txt|1|06/05/2024\r\n"
                           "\\odd date.txt|1|yesterday\r\n"
                           "\\ spaced .txt|1|06/05/2024 07:08:09";
    const QString syn = writeFile(QStringLiteral("old.syn"), old);

    const SyncFileContents contents = ReadSyncFile(syn);
    ASSERT_TRUE(contents.ok);
    EXPECT_EQ(contents.header, QStringLiteral("C:\\data"));
    EXPECT_EQ(contents.malformedLines, 2);
    EXPECT_EQ(contents.rejectedNames, QStringList{QStringLiteral("\\..\\escape.txt")});
    EXPECT_EQ(contents.undatedNames, QStringList{QStringLiteral("odd date.txt")});
    ASSERT_EQ(contents.entries.size(), 4u);
    EXPECT_EQ(contents.entries[0].size, 3000000000LL);
    EXPECT_TRUE(contents.entries[0].sizeLow32);

    const CompareResult result = RunCompare(FileRequest(syn, path(QStringLiteral("right"))));
    ASSERT_TRUE(result.completed);
    const std::map<QString, int> expected{
        {QStringLiteral("big.bin"), CompareType::Same},
        {QString::fromUtf8("sub/caf\xc3\xa9.txt"), CompareType::Same},
        {QStringLiteral("odd date.txt"), CompareType::Different},
        {QStringLiteral(" spaced .txt"), CompareType::Same},
    };
    EXPECT_EQ(ClassesOfSyncItems(), expected);
    QList<int> ids;
    for (const SyncMessage &m : result.messages)
        ids << m.id;
    EXPECT_EQ(ids, (QList<int>{SyncText::SyncFileLinesUnreadable, SyncText::NamesRejected,
                               SyncText::DatesUnreadable}));
    EXPECT_EQ(result.messages[0].text, QStringLiteral("2 lines of the Sync File could not be read"));
    EXPECT_EQ(result.messages[2].text,
              QStringLiteral("1 files have a date that cannot be read and show as different, for example odd date.txt"));
}

TEST_F(SyncFileTest, NamesHoldingABackslashAreLeftOutAndReported)
{
    tree(QStringLiteral("back\\slash.txt"), "b", Local(2024, 5, 6));
    tree(QStringLiteral("plain.txt"), "p", Local(2024, 5, 6));
    const QString syn = path(QStringLiteral("tree.syn"));
    const SyncFileWriteResult written = CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.skipped.count(), 1);
    EXPECT_EQ(written.skipped.example(), QStringLiteral("back\\slash.txt"));
    EXPECT_EQ(readFile(QStringLiteral("tree.syn")),
              path(QStringLiteral("tree/")).toUtf8() + "\r\nplain.txt|1|06/05/2024 00:00:00\r\n");
}

TEST_F(SyncFileTest, NamesThatAreNotUtf8AreLeftOutAndReported)
{
    // The name would be written as its look-alike, which names another file
    // or none.
    makeDir(QStringLiteral("tree"));
    writeRawNamedFile("tree/bad\xff.txt", "x");
    tree(QStringLiteral("plain.txt"), "p", Local(2024, 5, 6));
    const QString syn = path(QStringLiteral("tree.syn"));
    const SyncFileWriteResult written = CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true);
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.skipped.count(), 1);
    EXPECT_EQ(written.skipped.example(), QStringLiteral("bad\\xFF.txt"));
    EXPECT_EQ(readFile(QStringLiteral("tree.syn")),
              path(QStringLiteral("tree/")).toUtf8() + "\r\nplain.txt|1|06/05/2024 00:00:00\r\n");
}

TEST_F(SyncFileTest, AFolderThatCannotBeReadStopsTheWriteAndKeepsTheOldFile)
{
    // A snapshot without that folder's files would have the other machine
    // send them all back over the ones kept there.
    tree(QStringLiteral("a.txt"), "a", Local(2024, 5, 6));
    tree(QStringLiteral("sub/b.txt"), "b", Local(2024, 5, 6));
    const QString syn = writeFile(QStringLiteral("tree.syn"), "the snapshot before");
    const QString sub = path(QStringLiteral("tree/sub"));
    for (const QString &unread : {sub, path(QStringLiteral("tree"))}) {
        // Replaced by a file as the scan opens it: even root cannot read it then.
        SyncFileWriteResult written;
        {
            OnFolderOpen replace([&](const QByteArray &native) {
                if (native != QFile::encodeName(unread) + '/')
                    return;
                ASSERT_TRUE(QDir().rename(unread, unread + QStringLiteral(".moved")));
                writeFile(unread.mid(path().size() + 1), "now a file");
            });
            written = CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true);
        }
        EXPECT_FALSE(written.ok) << unread.toStdString();
        EXPECT_EQ(written.error, QStringLiteral("The folder %1/ cannot be read: Not a directory").arg(unread));
        EXPECT_EQ(readFile(QStringLiteral("tree.syn")), "the snapshot before");
        ASSERT_TRUE(QFile::remove(unread));
        ASSERT_TRUE(QDir().rename(unread + QStringLiteral(".moved"), unread));
    }
    ASSERT_TRUE(CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true).ok);
    EXPECT_EQ(readFile(QStringLiteral("tree.syn")), path(QStringLiteral("tree/")).toUtf8()
                                                        + "\r\na.txt|1|06/05/2024 00:00:00\r\n"
                                                          "sub/b.txt|1|06/05/2024 00:00:00\r\n");
}

TEST_F(SyncFileTest, ADateInTheHourThatRepeatsInAutumnMatchesBothItsInstants)
{
    // In Paris, 02:30 on 27 October 2024 happened twice: in summer time, then
    // an hour later in winter time.
    tree(QStringLiteral("summer.txt"), "s", QDateTime(QDate(2024, 10, 27), QTime(0, 30), Qt::UTC));
    tree(QStringLiteral("winter.txt"), "w", QDateTime(QDate(2024, 10, 27), QTime(1, 30), Qt::UTC));
    const QString syn = path(QStringLiteral("tree.syn"));
    ASSERT_TRUE(CreateSyncFile(syn, path(QStringLiteral("tree/")), QStringLiteral("*.*"), true).ok);
    EXPECT_TRUE(readFile(QStringLiteral("tree.syn")).endsWith("summer.txt|1|27/10/2024 02:30:00\r\n"
                                                             "winter.txt|1|27/10/2024 02:30:00\r\n"));

    const CompareResult result = RunCompare(FileRequest(syn, path(QStringLiteral("tree"))));
    ASSERT_TRUE(result.completed);
    const std::map<QString, int> expected{{QStringLiteral("summer.txt"), CompareType::Same},
                                          {QStringLiteral("winter.txt"), CompareType::Same}};
    EXPECT_EQ(ClassesOfSyncItems(), expected);

    // A local time outside that hour still stands for one instant only.
    EXPECT_FALSE(SameDate(Local(2024, 10, 27, 3, 30), DatePrecision::LocalSecond,
                          QDateTime(QDate(2024, 10, 27), QTime(1, 30), Qt::UTC)));
    EXPECT_FALSE(SameDate(Local(2024, 10, 27, 2, 30), DatePrecision::LocalSecond,
                          QDateTime(QDate(2024, 10, 27), QTime(1, 30, 1), Qt::UTC)));
}

TEST(SyncFileDate, ReadsTheFormsFilesHold)
{
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("06/05/2024 07:08:09")), Local(2024, 5, 6, 7, 8, 9));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("06/05/2024")), Local(2024, 5, 6));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral(" 6.5.24 7:08 ")), Local(2024, 5, 6, 7, 8));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("31/12/99 23:59:59")), Local(1999, 12, 31, 23, 59, 59));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("5/6/2024 7:08:09 PM")), Local(2024, 5, 6, 19, 8, 9));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("5/13/2024 12:08:09 AM")), Local(2024, 5, 13, 0, 8, 9));
    EXPECT_EQ(ParseSyncFileDate(QStringLiteral("2024-05-06T07:08:09")), Local(2024, 5, 6, 7, 8, 9));
    EXPECT_FALSE(ParseSyncFileDate(QStringLiteral("yesterday")).isValid());
    EXPECT_FALSE(ParseSyncFileDate(QStringLiteral("32/01/2024")).isValid());
    EXPECT_FALSE(ParseSyncFileDate(QStringLiteral("06/05/2024 25:00")).isValid());
    EXPECT_EQ(SyncFileDateText(QDateTime(QDate(2024, 5, 6), QTime(5, 8, 9), Qt::UTC)),
              QStringLiteral("06/05/2024 07:08:09"));   // local (Paris summer) time
}
