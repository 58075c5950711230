#include "ZipCoreTest.h"

#include "platform/ziplib/ZipReader.h"
#include "zip/core/ZipRun.h"
#include "zip/core/modVbZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace ardl;
using namespace ardl::test;

namespace {

class ZipDriverTest : public ZipCoreTest {
protected:
    QDateTime when(int day) const { return QDateTime(QDate(2021, 3, day), QTime(10, 0, 0)); }

    // Runs the driver as if the disk were full after `bytes`.
    int runWithDiskFullAfter(qint64 bytes)
    {
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &small);
        const int code = ZipArchive();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        return code;
    }
};

} // namespace

TEST_F(ZipDriverTest, InitZipSetsAPlainAddOfBestCompressionAndKeepsTheArchive)
{
    ZCL.Archive = archive();
    ZCL.Names = QStringList({"x", "y"});
    ZipOptions.fMove = 1;
    ZipOptions.fDeleteEntries = 1;
    ZipOptions.fRecurse = 1;
    ZipOptions.fLevel = '0';
    InitZip();
    EXPECT_EQ(ZCL.Archive, archive());
    EXPECT_TRUE(ZCL.Names.isEmpty());
    EXPECT_EQ(ZipOptions.fJunkDir, 1);
    EXPECT_EQ(ZipOptions.fLevel, 57);
    EXPECT_EQ(ZipOptions.fMove + ZipOptions.fDeleteEntries + ZipOptions.fRecurse + ZipOptions.fGrow, 0);
}

TEST_F(ZipDriverTest, FilesGoInWithTheirFoldersOrWithoutAndAreReplacedByName)
{
    writeFile("d/one.txt", "one");
    writeFile("d/sub/two.txt", "two");
    ASSERT_EQ(zipFiles({"d/one.txt", "d/sub/two.txt"}, false), 0);
    const QString root = QDir::cleanPath(path()).mid(1);
    EXPECT_EQ(entryNames(archive()), QStringList({root + "/d/one.txt", root + "/d/sub/two.txt"}));
    EXPECT_EQ(ZipLastRun.added, 2);

    writeFile("d/one.txt", "one, second version");
    ASSERT_EQ(zipFiles({"d/one.txt"}, true), 0);
    ASSERT_EQ(zipFiles({"d/one.txt"}, true), 0);
    EXPECT_EQ(ZipLastRun.replaced, 1);
    EXPECT_EQ(ZipLastRun.added, 0);
    EXPECT_EQ(entryNames(archive()).last(), QStringLiteral("one.txt"));
    EXPECT_EQ(entryNames(archive()).size(), 3);
    EXPECT_EQ(entryData(archive(), "one.txt"), QByteArray("one, second version"));
    EXPECT_EQ(RunTool("unzip", {"-t", archive()}).exitCode, 0);
}

TEST_F(ZipDriverTest, UpdateAddsAndRenewsFreshenOnlyRenews)
{
    for (const char *name : {"a.txt", "b.txt"})
        SetFileTime(writeFile(name, name), when(1));
    ASSERT_EQ(zipFiles({"a.txt", "b.txt"}), 0);
    SetFileTime(writeFile("a.txt", "newer a"), when(2));
    SetFileTime(writeFile("c.txt", "new c"), when(2));

    InitZip();
    ZCL.Names = {path("a.txt"), path("b.txt"), path("c.txt")};
    ZipOptions.fFreshen = 1;
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(ZipLastRun.replaced, 1);
    EXPECT_EQ(ZipLastRun.added, 0);
    EXPECT_EQ(entryNames(archive()), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(entryData(archive(), "a.txt"), QByteArray("newer a"));

    // Nothing newer any more: a run that writes nothing says so.
    const QByteArray before = readFile("a.zip");
    ZipMessage.clear();
    EXPECT_EQ(ZipArchive(), ZipNothingToDo);
    EXPECT_TRUE(ZipMessage.contains("Nothing to do")) << ZipMessage.toStdString();
    EXPECT_EQ(readFile("a.zip"), before);

    InitZip();
    ZCL.Names = {path("a.txt"), path("b.txt"), path("c.txt")};
    ZipOptions.fUpdate = 1;
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(ZipLastRun.added, 1);
    EXPECT_EQ(ZipLastRun.replaced, 0);
    EXPECT_EQ(entryNames(archive()), QStringList({"a.txt", "b.txt", "c.txt"}));
}

TEST_F(ZipDriverTest, AReplacedEntryTakesTheTimeOfItsNewFileNotTheExactTimeItHadBefore)
{
    // zip keeps each file's exact time beside the DOS time of its entry.
    SetFileTime(writeFile("a.txt", "old a"), when(1));
    ASSERT_EQ(RunTool("zip", {"-q", "a.zip", "a.txt"}, path()).exitCode, 0);
    const auto entryTime = [this] {
        ZipReader reader;
        return reader.open(archive()) && reader.entries().size() == 1 ? reader.entries().front().modified
                                                                      : QDateTime();
    };
    ASSERT_EQ(entryTime(), when(1));

    SetFileTime(writeFile("a.txt", "newer a"), when(2));
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("a.txt")};
    ZipOptions.fFreshen = 1;
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.replaced, 1);
    EXPECT_EQ(entryTime(), when(2));
    // The entry is as new as its file now: the next freshen has nothing to do.
    ZipMessage.clear();
    EXPECT_EQ(ZipArchive(), ZipNothingToDo) << ZipMessage.toStdString();

    // Keeping the exact time, the entry holds the new file's alone.
    SetFileTime(writeFile("a.txt", "newest a"), when(3));
    InitZip();
    ZCL.Names = {path("a.txt")};
    ZipOptions.fGrow = 1;
    ZipOptions.fExtra = 1;
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(entryTime(), when(3));
    const ToolRun details = RunTool("unzip", {"-Z", "-v", "a.zip"}, path());
    EXPECT_EQ(details.output.count("subfield with ID 0x5455"), 1) << details.output.toStdString();
    EXPECT_EQ(RunTool("unzip", {"-tq", "a.zip"}, path()).exitCode, 0);
}

TEST_F(ZipDriverTest, MoveRemovesSourcesOnlyOnceTheArchiveIsWritten)
{
    writeFile("keep.txt", "k");
    ASSERT_EQ(zipFiles({"keep.txt"}), 0);
    const QByteArray before = readFile("a.zip");
    writeFile("m1.bin", RandomBytes(300000, 1));
    writeFile("m2.txt", "move me");

    InitZip();
    ZCL.Names = {path("m1.bin"), path("m2.txt")};
    ZipOptions.fMove = 1;
    EXPECT_EQ(runWithDiskFullAfter(100000), ZipWriteFailed);
    EXPECT_TRUE(ZipMessage.contains("Could not write " + archive())) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.filesWritten() + ZipLastRun.moved, 0);
    EXPECT_EQ(readFile("a.zip"), before);
    EXPECT_TRUE(QFile::exists(path("m1.bin")));
    EXPECT_TRUE(QFile::exists(path("m2.txt")));

    ZipMessage.clear();
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.moved, 2);
    EXPECT_FALSE(QFile::exists(path("m1.bin")));
    EXPECT_FALSE(QFile::exists(path("m2.txt")));
    EXPECT_EQ(entryData(archive(), "m2.txt"), QByteArray("move me"));
}

TEST_F(ZipDriverTest, AMissingSourceFailsTheRunNamesTheFileAndCountsOnlyWhatWentIn)
{
    writeFile("here.txt", "here");
    makeDir("folder");
    EXPECT_EQ(zipFiles({"here.txt", "gone.txt", "folder"}), ZipSomeFilesFailed);
    EXPECT_TRUE(ZipMessage.contains(path("gone.txt") + ": could not be added (No such file or directory)"))
        << ZipMessage.toStdString();
    EXPECT_TRUE(ZipMessage.contains(path("folder") + ": left out, it is a folder"));
    EXPECT_EQ(ZipLastRun.added, 1);
    EXPECT_EQ(ZipLastRun.failed, 2);
    EXPECT_EQ(entryNames(archive()), QStringList({"here.txt"}));

    // Only missing files: nothing written, nothing created.
    QFile::remove(archive());
    EXPECT_EQ(zipFiles({"gone.txt"}), ZipSomeFilesFailed);
    EXPECT_FALSE(QFile::exists(archive()));
}

TEST_F(ZipDriverTest, ANamedPipeAmongTheFilesIsLeftOutWithoutWaitingForAWriter)
{
    // Nothing ever writes into this pipe: a run that waited for a writer
    // would never end.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    writeFile("plain.txt", "plain");
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("pipe"), path("plain.txt")};
    ZipOptions.fMove = 1;
    EXPECT_EQ(ZipArchive(), ZipSomeFilesFailed);
    EXPECT_TRUE(ZipMessage.contains(path("pipe") + ": could not be added (it is not a regular file)"))
        << ZipMessage.toStdString();
    EXPECT_EQ(entryNames(archive()), QStringList({"plain.txt"}));
    EXPECT_EQ(ZipLastRun.moved, 1);
    EXPECT_TRUE(QFileInfo(path("pipe")).exists());
}

TEST_F(ZipDriverTest, TwoFilesUnderOneNameStopTheRunBeforeAnythingIsWritten)
{
    writeFile("x/same.txt", "1");
    writeFile("y/same.txt", "2");
    EXPECT_EQ(zipFiles({"x/same.txt", "y/same.txt"}), ZipRepeatedName);
    EXPECT_TRUE(ZipMessage.contains("would both be stored as same.txt"));
    EXPECT_FALSE(QFile::exists(archive()));
}

TEST_F(ZipDriverTest, HiddenFilesAndTheArchiveItselfStayOutUnlessAsked)
{
    writeFile(".hidden", "h");
    writeFile("shown", "s");
    ASSERT_EQ(zipFiles({".hidden", "shown"}), 0);
    EXPECT_EQ(entryNames(archive()), QStringList({"shown"}));
    EXPECT_TRUE(ZipMessage.contains(path(".hidden") + ": left out, it is a hidden file"));

    InitZip();
    ZCL.Names = {path(".hidden"), archive()};
    ZipOptions.fSystem = 1;
    ZipMessage.clear();
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(entryNames(archive()), QStringList({"shown", ".hidden"}));
    EXPECT_TRUE(ZipMessage.contains(archive() + ": left out, it is the archive itself"));
}

TEST_F(ZipDriverTest, FolderNamesWithRecursionAndShortNames)
{
    writeFile("tree/Long File Name.text", "1");
    writeFile("tree/sub dir/b.txt", "2");
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("tree")};
    ZipOptions.fRecurse = 1;
    ZipOptions.fForce = 1;
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(entryNames(archive()), QStringList({"LONG_FIL.TEX", "B.TXT"}));
}

TEST_F(ZipDriverTest, AWalkedFolderLeavesOutNamesThatAreNotUtf8AndMovesOnlyWhatWentIn)
{
    // The name below reads as "a\uFFFD.txt", the name of the real file beside it.
    makeDir("tree");
    writeRawNamedFile("tree/a\xff.txt", "raw bytes");
    writeFile("tree/a\uFFFD.txt", "look-alike");
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("tree")};
    ZipOptions.fRecurse = 1;
    ZipOptions.fMove = 1;
    EXPECT_EQ(ZipArchive(), ZipSomeFilesFailed);
    EXPECT_EQ(ZipMessage, QStringLiteral("1 files were left out because their names are not valid UTF-8 and cannot be "
                                         "shown exactly, for example ")
                              + path("tree/a\\xFF.txt\n"));
    EXPECT_EQ(entryNames(archive()), QStringList({"a\uFFFD.txt"}));
    EXPECT_EQ(entryData(archive(), "a\uFFFD.txt"), QByteArray("look-alike"));
    EXPECT_EQ(ZipLastRun.moved, 1);
    EXPECT_EQ(readRawNamedFile("tree/a\xff.txt"), QByteArray("raw bytes"));
    EXPECT_FALSE(QFile::exists(path("tree/a\uFFFD.txt")));
}

TEST_F(ZipDriverTest, MoreThan1024FilesGoInOneRun)
{
    QStringList names;
    for (int i = 0; i < 1500; ++i)
        names << QStringLiteral("many/f%1.txt").arg(i);
    for (const QString &name : names)
        writeFile(name, name.toUtf8());
    ASSERT_EQ(zipFiles(names), 0);
    EXPECT_EQ(ZipLastRun.added, 1500);
    EXPECT_EQ(entryNames(archive()).size(), 1500);
}

TEST_F(ZipDriverTest, DeleteTakesNamesAndWildcardsAndReportsNamesNotFound)
{
    for (const char *name : {"a.txt", "b.txt", "c.log", "d.log"})
        writeFile(name, name);
    ASSERT_EQ(zipFiles({"a.txt", "b.txt", "c.log", "d.log"}), 0);

    InitZip();
    ZipOptions.fDeleteEntries = 1;
    ZipOptions.fNoDirEntries = 1;
    ZCL.Names = {"a.txt", "*.log"};
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(ZipLastRun.deleted, 3);
    EXPECT_EQ(entryNames(archive()), QStringList({"b.txt"}));

    const QByteArray before = readFile("a.zip");
    ZCL.Names = {"nothing.txt"};
    ZipMessage.clear();
    EXPECT_EQ(ZipArchive(), ZipSomeFilesFailed);
    EXPECT_TRUE(ZipMessage.contains("nothing.txt: no such file in the archive"));
    EXPECT_EQ(readFile("a.zip"), before);
}

TEST_F(ZipDriverTest, AnArchiveOpenedThroughALinkIsChangedWhereItLivesAndTheLinkStays)
{
    writeFile("one.txt", "1");
    writeFile("two.txt", "2");
    makeDir("store");
    InitZip();
    ZCL.Archive = path("store/real.zip");
    ZCL.Names = {path("one.txt"), path("two.txt")};
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    ASSERT_TRUE(QFile::link(path("store/real.zip"), path("link.zip")));

    writeFile("three.txt", "3");
    InitZip();
    ZCL.Archive = path("link.zip");
    ZCL.Names = {path("three.txt")};
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(QFileInfo(path("link.zip")).symLinkTarget(), path("store/real.zip"));
    EXPECT_EQ(entryNames(path("store/real.zip")), QStringList({"one.txt", "two.txt", "three.txt"}));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files), QStringList({"link.zip", "one.txt", "three.txt", "two.txt"}));

    // Deleting every entry removes the archive the link leads to, as the
    // run says; not only the link, with the archive left whole.
    InitZip();
    ZCL.Names = {"*"};
    ZipOptions.fDeleteEntries = 1;
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_TRUE(ZipLastRun.archiveRemoved);
    EXPECT_FALSE(QFileInfo::exists(path("store/real.zip")));
    EXPECT_TRUE(QFileInfo(path("link.zip")).isSymLink());
}

TEST_F(ZipDriverTest, StartingEmptyReplacesTheOldArchiveOnlyAtTheFirstWrite)
{
    writeFile("old.txt", "old");
    ASSERT_EQ(zipFiles({"old.txt"}), 0);
    const QByteArray before = readFile("a.zip");

    ZCL.StartEmpty = true;
    EXPECT_EQ(zipFiles({"missing.txt"}), ZipSomeFilesFailed);
    EXPECT_EQ(readFile("a.zip"), before);
    EXPECT_TRUE(ZCL.StartEmpty);

    writeFile("new.txt", "new");
    ASSERT_EQ(zipFiles({"new.txt"}), 0);
    EXPECT_FALSE(ZCL.StartEmpty);
    EXPECT_EQ(entryNames(archive()), QStringList({"new.txt"}));
    ASSERT_EQ(zipFiles({"old.txt"}), 0);
    EXPECT_EQ(entryNames(archive()), QStringList({"new.txt", "old.txt"}));
}

TEST_F(ZipDriverTest, StartingEmptyIsForAddsOnlyACommentOrDeleteKeepsTheEntries)
{
    writeFile("old.txt", "old");
    writeFile("other.txt", "other");
    ASSERT_EQ(zipFiles({"old.txt", "other.txt"}), 0);

    ZCL.StartEmpty = true;
    InitZip();
    ZipOptions.fComment = 1;
    ZipComment = QStringLiteral("note");
    ASSERT_EQ(ZipArchive(), 0);
    ASSERT_TRUE(QFileInfo::exists(archive()));
    EXPECT_EQ(entryNames(archive()), QStringList({"old.txt", "other.txt"}));

    ZCL.StartEmpty = true;
    InitZip();
    ZipOptions.fDeleteEntries = 1;
    ZCL.Names = {"other.txt"};
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(ZipLastRun.deleted, 1);
    EXPECT_EQ(entryNames(archive()), QStringList({"old.txt"}));

    // Gone since it was listed: a comment has nowhere to go, and says so.
    QFile::remove(archive());
    InitZip();
    ZipOptions.fComment = 1;
    ZipMessage.clear();
    EXPECT_EQ(ZipArchive(), ZipCannotOpen);
    EXPECT_TRUE(ZipMessage.contains("Could not open " + archive())) << ZipMessage.toStdString();
    EXPECT_FALSE(QFileInfo::exists(archive()));
}

TEST_F(ZipDriverTest, TheCommentRoundTripsAndAnUnchangedOneWritesNothing)
{
    writeFile("a.txt", "a");
    ASSERT_EQ(zipFiles({"a.txt"}), 0);
    InitZip();
    ZipOptions.fComment = 1;
    ZipComment = QStringLiteral("first line\nsecond line\n\nlast");
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_TRUE(ZipLastRun.commentChanged);
    const ToolRun shown = RunTool("unzip", {"-z", archive()});
    EXPECT_TRUE(shown.output.contains("first line\nsecond line\n\nlast")) << shown.output.toStdString();

    const QByteArray before = readFile("a.zip");
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_FALSE(ZipLastRun.commentChanged);
    EXPECT_EQ(readFile("a.zip"), before);

    // A comment with CR LF line ends (as zip writes them) keeps them.
    bool changed = true;
    EXPECT_EQ(CommentBytes("one\ntwo", "one\r\ntwo", &changed), QByteArray("one\r\ntwo"));
    EXPECT_FALSE(changed);
    EXPECT_EQ(CommentBytes("one\ntwo\nthree", "one\r\ntwo", &changed), QByteArray("one\r\ntwo\r\nthree"));
    EXPECT_TRUE(changed);
}

TEST_F(ZipDriverTest, EachLevelPasswordAndCommentAsUnzipSeesThem)
{
    writeFile("text.txt", TextBytes(300000, 4));
    writeFile("noise.bin", RandomBytes(50000, 4));
    const std::pair<int16_t, const char *> levels[] = {{'0', "stor"}, {'2', "def"}, {'4', "def"},
                                                       {'6', "def"}, {'9', "def"}};
    for (const auto &[level, method] : levels) {
        QFile::remove(archive());
        InitZip();
        ZCL.Archive = archive();
        ZCL.Names = {path("text.txt"), path("noise.bin")};
        ZipOptions.fGrow = 1;
        ZipOptions.fLevel = level;
        ZipOptions.fEncrypt = 1;
        ZipPassword = QStringLiteral("p4ss");
        ASSERT_EQ(ZipArchive(), 0);
        InitZip();
        ZipOptions.fComment = 1;
        ZipComment = QStringLiteral("level %1").arg(QChar(level));
        ASSERT_EQ(ZipArchive(), 0);

        const ToolRun test = RunTool("unzip", {"-P", "p4ss", "-t", archive()});
        EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
        EXPECT_TRUE(test.output.contains(ZipComment)) << test.output.toStdString();
        const ToolRun info = RunTool("unzip", {"-Z", archive()});
        const QStringList lines = info.output.split(u'\n');
        const QString textLine = lines.filter("text.txt").value(0);
        EXPECT_TRUE(textLine.contains(QLatin1String(method))) << textLine.toStdString();
        EXPECT_TRUE(lines.filter("noise.bin").value(0).contains("stor"));
        EXPECT_TRUE(textLine.startsWith("-rw")) << textLine.toStdString();
    }
}

TEST_F(ZipDriverTest, WithoutAPasswordNothingIsEncrypted)
{
    writeFile("t.txt", "plain");
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("t.txt")};
    ZipOptions.fEncrypt = 1;   // set, but the password is empty
    ASSERT_EQ(ZipArchive(), 0);
    EXPECT_EQ(RunTool("unzip", {"-t", archive()}).exitCode, 0);
    EXPECT_EQ(entryData(archive(), "t.txt"), QByteArray("plain"));
}

TEST_F(ZipDriverTest, AnEncryptedEntryIsReplacedByItsFileWithTheRunsPasswordOrNone)
{
    writeFile("one.txt", TextBytes(5000));
    writeFile("two.txt", "two");
    ASSERT_EQ(RunTool("zip", {"-q", "-P", "old", "a.zip", "one.txt", "two.txt"}, path()).exitCode, 0);

    writeFile("one.txt", "one, plain now");
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("one.txt")};
    ZipOptions.fGrow = 1;
    ZipMessage.clear();
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.replaced, 1);
    EXPECT_EQ(entryData(archive(), "one.txt"), QByteArray("one, plain now"));

    writeFile("two.txt", "two, new password");
    ZCL.Names = {path("two.txt")};
    ZipOptions.fEncrypt = 1;
    ZipPassword = QStringLiteral("new");
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(entryData(archive(), "two.txt", "new"), QByteArray("two, new password"));
    EXPECT_EQ(RunTool("unzip", {"-tq", "-P", "new", "a.zip"}, path()).exitCode, 0);
}

// Another program may replace the archive, or create one under its name,
// while a run reads the files to add: the run must not put its own archive,
// built from what it opened, in the place of that program's.
TEST_F(ZipDriverTest, AnArchiveReplacedWhileARunWritesIsLeftAsTheOtherProgramWroteIt)
{
    writeFile("theirs.txt", "theirs");
    writeFile("mine.txt", "mine");
    InitZip();
    ZCL.Archive = path("theirs.zip");
    ZCL.Names = {path("theirs.txt")};
    ASSERT_EQ(ZipArchive(), 0);
    const QByteArray theirs = readFile("theirs.zip");

    const auto replaceWithTheirsOnce = [this, theirs](bool *done) {
        return [this, theirs, done] {
            if (*done)
                return;
            *done = true;
            QFile out(path("other.tmp"));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(theirs);
            out.close();
            ASSERT_EQ(::rename(QFile::encodeName(path("other.tmp")).constData(),
                               QFile::encodeName(archive()).constData()),
                      0);
        };
    };
    const auto previousKeepAlive = ZipKeepAlive;

    // An archive that was there when the run opened it.
    writeFile("old.txt", "old");
    ASSERT_EQ(zipFiles({"old.txt"}), 0);
    bool replaced = false;
    ZipKeepAlive = replaceWithTheirsOnce(&replaced);
    const int code = zipFiles({"mine.txt"});
    ZipKeepAlive = previousKeepAlive;
    ASSERT_TRUE(replaced);
    EXPECT_EQ(code, ZipWriteFailed);
    EXPECT_EQ(ZipLastRun.filesWritten(), 0);
    EXPECT_FALSE(ZipMessage.isEmpty());
    EXPECT_EQ(readFile("a.zip"), theirs);

    // No archive when the run began; another program made one meanwhile.
    ASSERT_TRUE(QFile::remove(archive()));
    replaced = false;
    ZipKeepAlive = replaceWithTheirsOnce(&replaced);
    InitZip();
    ZipOptions.fMove = 1;
    ZCL.Archive = archive();
    ZCL.Names = {path("mine.txt")};
    const int created = ZipArchive();
    ZipKeepAlive = previousKeepAlive;
    ASSERT_TRUE(replaced);
    EXPECT_EQ(created, ZipWriteFailed);
    EXPECT_EQ(readFile("a.zip"), theirs);
    // Nothing went in, so the file to move stays.
    EXPECT_TRUE(QFileInfo::exists(path("mine.txt")));
    EXPECT_EQ(tree(path(QString())), QStringList({"a.zip", "mine.txt", "old.txt", "theirs.txt", "theirs.zip"}));
}

// A file still being written while a move run reads it goes in as it was
// when the run began; what was written since exists only in the file, so
// the file stays.
TEST_F(ZipDriverTest, AFileThatChangesWhileAMoveRunReadsItStaysInItsFolder)
{
    writeFile("steady.txt", "steady");
    writeFile("growing.log", "first line\n");
    bool appended = false;
    const auto previousKeepAlive = ZipKeepAlive;
    ZipKeepAlive = [this, &appended] {
        if (appended)
            return;
        appended = true;
        QFile log(path("growing.log"));
        ASSERT_TRUE(log.open(QIODevice::Append));
        log.write("second line\n");
    };
    InitZip();
    ZCL.Archive = archive();
    ZCL.Names = {path("growing.log"), path("steady.txt")};
    ZipOptions.fMove = 1;
    const int code = ZipArchive();
    ZipKeepAlive = previousKeepAlive;
    ASSERT_TRUE(appended);
    EXPECT_EQ(code, ZipSomeFilesFailed);
    EXPECT_EQ(ZipLastRun.added, 2);
    EXPECT_EQ(ZipLastRun.moved, 1);
    EXPECT_TRUE(ZipMessage.contains(path("growing.log"))) << ZipMessage.toStdString();
    EXPECT_EQ(readFile("growing.log"), QByteArray("first line\nsecond line\n"));
    EXPECT_FALSE(QFile::exists(path("steady.txt")));
    EXPECT_EQ(entryData(archive(), "steady.txt"), QByteArray("steady"));
}

TEST_F(ZipDriverTest, AFileWhoseNameHoldsABackslashIsRenewedInItsOwnEntry)
{
    // The listing reads the "\" as a folder step; the file still finds the
    // entry it made, instead of failing on "already exists" every time.
    SetFileTime(writeFile("back\\slash.txt", "first"), when(1));
    ASSERT_EQ(zipFiles({"back\\slash.txt"}), 0) << ZipMessage.toStdString();
    SetFileTime(writeFile("back\\slash.txt", "second version"), when(2));
    ZipMessage.clear();
    ASSERT_EQ(zipFiles({"back\\slash.txt"}), 0) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.replaced, 1);
    EXPECT_EQ(ZipLastRun.added, 0);

    SetFileTime(writeFile("back\\slash.txt", "third version"), when(3));
    InitZip();
    ZCL.Names = {path("back\\slash.txt")};
    ZipOptions.fFreshen = 1;
    ZipMessage.clear();
    ASSERT_EQ(ZipArchive(), 0) << ZipMessage.toStdString();
    EXPECT_EQ(ZipLastRun.replaced, 1);

    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    ASSERT_EQ(reader.entries().size(), 1u);
    EXPECT_EQ(reader.entries().front().rawName, QByteArray("back\\slash.txt"));
    EXPECT_EQ(entryData(archive(), "back/slash.txt"), QByteArray("third version"));

    // A name ending in "\" reads as a folder: the folder entry stays one.
    makeDir("d");
    ASSERT_EQ(RunTool("zip", {"-q", archive(), "d/"}, path()).exitCode, 0);
    writeFile("d\\", "data");
    zipFiles({"d\\"});
    ZipReader after;
    ASSERT_TRUE(after.open(archive()));
    ASSERT_GE(after.entries().size(), 2u);
    EXPECT_EQ(after.entries()[1].rawName, QByteArray("d/"));
    EXPECT_EQ(after.entries()[1].size, 0);
}
