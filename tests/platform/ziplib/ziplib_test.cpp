#include "ZipTools.h"

#include "platform/ziplib/ZipReader.h"
#include "platform/ziplib/ZipWriter.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace ardl;
using namespace ardl::test;

namespace {

class ZipLibTest : public TempDirTest {
protected:
    QString archive() const { return path(QStringLiteral("a.zip")); }

    // Adds `files` (names inside the temporary folder) at `level`.
    bool writeArchive(const QStringList &files, int level, const QByteArray &password = {}, bool startEmpty = false)
    {
        ZipWriter writer(4);
        if (!writer.open(archive(), startEmpty))
            return false;
        for (const QString &name : files)
            writer.add({path(name), name, level, password});
        return writer.commit();
    }

    QByteArray readEntry(ZipReader &reader, const QString &name, const QByteArray &password = {},
                         ZipReader::ReadResult *result = nullptr)
    {
        for (const ZipEntry &e : reader.entries()) {
            if (e.name != name)
                continue;
            QByteArray data;
            QString error;
            const auto r = reader.readEntry(
                e.index, password,
                [&](const char *p, qint64 n) {
                    data.append(p, n);
                    return true;
                },
                &error);
            if (result)
                *result = r;
            return r == ZipReader::ReadResult::Ok ? data : QByteArray();
        }
        ADD_FAILURE() << "no entry " << name.toStdString();
        return {};
    }

    const ZipEntry *entry(const ZipReader &reader, const QString &name)
    {
        for (const ZipEntry &e : reader.entries()) {
            if (e.name == name)
                return &e;
        }
        return nullptr;
    }

    QStringList names(const ZipReader &reader)
    {
        QStringList out;
        for (const ZipEntry &e : reader.entries())
            out << e.name;
        return out;
    }
};

} // namespace

TEST_F(ZipLibTest, DeflatesWhatShrinksStoresTheRestAndUnzipAgrees)
{
    const QByteArray text = TextBytes(3 * 1024 * 1024 + 12345, 7); // several parts
    const QByteArray noise = RandomBytes(1536 * 1024, 3);
    writeFile("text.txt", text);
    writeFile("small.txt", TextBytes(40000));
    writeFile("noise.bin", noise);
    writeFile("empty", {});
    writeFile("tiny", "hello");
    const QStringList files = {"text.txt", "small.txt", "noise.bin", "empty", "tiny"};
    ASSERT_TRUE(writeArchive(files, 6));

    const ToolRun check = RunTool("unzip", {"-t", archive()});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();

    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(names(reader), files);
    EXPECT_EQ(entry(reader, "text.txt")->method, 8);
    EXPECT_EQ(entry(reader, "small.txt")->method, 8);
    EXPECT_EQ(entry(reader, "noise.bin")->method, 0);
    EXPECT_EQ(entry(reader, "empty")->method, 0);
    EXPECT_EQ(entry(reader, "tiny")->method, 0);
    EXPECT_LT(entry(reader, "text.txt")->compressedSize, text.size() / 2);
    EXPECT_GT(entry(reader, "text.txt")->ratio(), 50);
    EXPECT_EQ(readEntry(reader, "text.txt"), text);
    EXPECT_EQ(readEntry(reader, "noise.bin"), noise);
    EXPECT_EQ(readEntry(reader, "tiny"), QByteArray("hello"));
}

TEST_F(ZipLibTest, EveryLevelGivesDataThatUnzipReadsBack)
{
    const QByteArray text = TextBytes(1100 * 1024, 11);
    writeFile("t.txt", text);
    for (int level = 0; level <= 9; ++level) {
        ASSERT_TRUE(writeArchive({"t.txt"}, level, {}, true));
        const ToolRun out = RunTool("unzip", {"-p", archive(), "t.txt"});
        EXPECT_EQ(out.exitCode, 0) << level;
        EXPECT_EQ(out.output.toUtf8(), text) << level;
        ZipReader reader;
        ASSERT_TRUE(reader.open(archive()));
        EXPECT_EQ(reader.entries().front().method, level == 0 ? 0 : 8) << level;
    }
}

TEST_F(ZipLibTest, PasswordProtectedEntriesOpenWithUnzipsPassword)
{
    const QByteArray text = TextBytes(200000, 5);
    writeFile("secret.txt", text);
    const QByteArray password = QStringLiteral("sé cret").toUtf8();
    ASSERT_TRUE(writeArchive({"secret.txt"}, 9, password));

    EXPECT_EQ(RunTool("unzip", {"-P", QString::fromUtf8(password), "-t", archive()}).exitCode, 0);
    EXPECT_NE(RunTool("unzip", {"-P", "wrong", "-t", archive()}).exitCode, 0);

    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_TRUE(reader.entries().front().encrypted);
    EXPECT_LE(reader.entries().front().compressedSize, reader.entries().front().size);
    ZipReader::ReadResult result{};
    readEntry(reader, "secret.txt", {}, &result);
    EXPECT_EQ(result, ZipReader::ReadResult::NeedsPassword);
    readEntry(reader, "secret.txt", "nope", &result);
    EXPECT_EQ(result, ZipReader::ReadResult::WrongPassword);
    EXPECT_EQ(readEntry(reader, "secret.txt", password, &result), text);
}

// The password check of traditional encryption is one byte, so about one
// wrong password in 256 passes it: among this many, some always do, and
// their noise must still read as a wrong password, never as a broken file.
TEST_F(ZipLibTest, EveryWrongPasswordIsReportedAsWrong)
{
    writeFile("secret.txt", TextBytes(3000, 7));
    ASSERT_TRUE(writeArchive({"secret.txt"}, 9, "right"));
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    int notWrong = 0;
    for (int i = 0; i < 3000; ++i) {
        ZipReader::ReadResult result{};
        readEntry(reader, "secret.txt", "wrong" + QByteArray::number(i), &result);
        notWrong += result != ZipReader::ReadResult::WrongPassword;
    }
    EXPECT_EQ(notWrong, 0);
}

TEST_F(ZipLibTest, ReadsWhatZipWroteWithFoldersPasswordAndComment)
{
    writeFile("src/one.txt", "first file\n");
    writeFile("src/sub/two.txt", TextBytes(70000));
    SetFileTime(path("src/one.txt"), QDateTime(QDate(2020, 5, 17), QTime(8, 30, 14)));
    const ToolRun made = RunTool("zip", {"-q", "-r", "-z", "-P", "pw", "z.zip", "src"}, path(),
                                 "Made by zip\nsecond line\n.\n");
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();

    ZipReader reader;
    ASSERT_TRUE(reader.open(path("z.zip")));
    EXPECT_EQ(names(reader), QStringList({"src/", "src/one.txt", "src/sub/", "src/sub/two.txt"}));
    EXPECT_TRUE(entry(reader, "src/sub/")->isFolder);
    EXPECT_FALSE(entry(reader, "src/one.txt")->isFolder);
    // zip ends the comment's lines with CR LF.
    EXPECT_EQ(reader.rawComment(), QByteArray("Made by zip\r\nsecond line"));
    // zip keeps the exact time in its extended timestamp.
    EXPECT_EQ(entry(reader, "src/one.txt")->modified, QDateTime(QDate(2020, 5, 17), QTime(8, 30, 14)));
    EXPECT_EQ(readEntry(reader, "src/one.txt", "pw"), QByteArray("first file\n"));
    EXPECT_EQ(readEntry(reader, "src/sub/two.txt", "pw"), TextBytes(70000));
}

TEST_F(ZipLibTest, NamesInCodePage437AndBackslashesReadReadably)
{
    makeDir("cp");
    const QByteArray rawName = QFile::encodeName(path("cp")) + "/caf\x82.txt";
    const int fd = ::open(rawName.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "x", 1), 1);
    ::close(fd);
    ASSERT_EQ(RunTool("/bin/sh", {"-c", "cd cp && zip -q ../cp.zip *"}, path()).exitCode, 0);

    ZipReader reader;
    ASSERT_TRUE(reader.open(path("cp.zip")));
    ASSERT_EQ(reader.entries().size(), 1u);
    EXPECT_EQ(reader.entries().front().name, QStringLiteral("café.txt"));
    EXPECT_EQ(reader.entries().front().rawName, QByteArray("caf\x82.txt"));
    ::unlink(rawName.constData()); // a name Qt cannot remove

    writeFile("f.txt", "x");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(archive(), false));
    writer.add({path("f.txt"), "dir\\f.txt", 6});
    ASSERT_TRUE(writer.commit());
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(reader.entries().front().name, QStringLiteral("dir/f.txt"));
    EXPECT_EQ(reader.entries().front().rawName, QByteArray("dir\\f.txt"));
}

TEST_F(ZipLibTest, AFileThatIsNoArchiveIsRefusedAndLeftAlone)
{
    const QString notZip = writeFile("notes.zip", "just some text, not an archive");
    ZipReader reader;
    EXPECT_FALSE(reader.open(notZip));
    EXPECT_TRUE(reader.errorText().contains("Not a zip archive")) << reader.errorText().toStdString();
    ZipWriter writer;
    EXPECT_FALSE(writer.open(notZip, false));
    EXPECT_EQ(readFile("notes.zip"), QByteArray("just some text, not an archive"));
    EXPECT_FALSE(reader.open(path("missing.zip")));
}

TEST_F(ZipLibTest, EntriesSharingTheirDataAreRefusedAndTheArchiveLeftAlone)
{
    const QString bomb = QStringLiteral(ARDL_ZIP_SEEDS "/overlapping.zip");
    const QString copy = path("bomb.zip");
    ASSERT_TRUE(QFile::copy(bomb, copy));
    const QByteArray before = readFile("bomb.zip");
    ZipReader reader;
    EXPECT_FALSE(reader.open(copy));
    EXPECT_TRUE(reader.entries().empty());
    EXPECT_EQ(reader.errorText(), QStringLiteral("the entries part00.bin and part01.bin share their data, which no "
                                                 "sound archive does (a zip bomb?)"));
    ZipWriter writer;
    EXPECT_FALSE(writer.open(copy, false));
    EXPECT_EQ(writer.errorText(), reader.errorText());
    EXPECT_EQ(readFile("bomb.zip"), before);

    // Archives of the usual tools lie apart, stored or deflated, zip64 too.
    writeFile("x/one.txt", TextBytes(70000, 1));
    writeFile("x/two.bin", RandomBytes(5000, 2));
    writeFile("x/empty", "");
    ASSERT_EQ(RunTool("zip", {"-q", "-r", "-fz", "tools.zip", "x"}, path()).exitCode, 0);
    EXPECT_TRUE(reader.open(path("tools.zip"))) << reader.errorText().toStdString();
    EXPECT_EQ(reader.entries().size(), 4u);
}

TEST_F(ZipLibTest, AnEntryGivesNoMoreThanItsListedSize)
{
    ZipReader reader;
    ASSERT_TRUE(reader.open(QStringLiteral(ARDL_ZIP_SEEDS "/lying-size.zip")));
    ASSERT_EQ(reader.entries().size(), 1u);
    EXPECT_EQ(reader.entries().front().size, 100);
    qint64 taken = 0;
    QString error;
    const auto result = reader.readEntry(
        reader.entries().front().index, {},
        [&](const char *, qint64 n) {
            taken += n;
            return true;
        },
        &error);
    EXPECT_EQ(result, ZipReader::ReadResult::Failed);
    EXPECT_LE(taken, 100);
    EXPECT_EQ(error, QStringLiteral("the data is longer than the 100 bytes listed"));
}

// The longest names a folder takes: the archive is written under a short
// temporary name of its own, never under its name plus a suffix.
TEST_F(ZipLibTest, AnArchiveWithTheLongestNameIsWrittenChangedAndRemoved)
{
    const QString name = QString(251, u'n') + QStringLiteral(".zip");
    const QString longArchive = path(name);
    writeFile("one.txt", TextBytes(3000, 1));
    writeFile("two.txt", "two");
    ZipWriter writer(2);
    ASSERT_TRUE(writer.open(longArchive, false));
    writer.add({path("one.txt"), "one.txt", 6});
    ASSERT_TRUE(writer.commit()) << writer.errorText().toStdString();
    ASSERT_TRUE(writer.open(longArchive, false));
    writer.add({path("two.txt"), "two.txt", 6});
    ASSERT_TRUE(writer.commit()) << writer.errorText().toStdString();
    EXPECT_EQ(RunTool("unzip", {"-tq", longArchive}).exitCode, 0);
    EXPECT_EQ(QDir(path()).entryList(QDir::Files | QDir::Hidden), QStringList({name, "one.txt", "two.txt"}));

    ASSERT_TRUE(writer.open(longArchive, false));
    EXPECT_TRUE(writer.remove(0));
    EXPECT_TRUE(writer.remove(1));
    ASSERT_TRUE(writer.commit()) << writer.errorText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(longArchive));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files | QDir::Hidden), QStringList({"one.txt", "two.txt"}));
}

TEST_F(ZipLibTest, AFailedWriteLeavesTheArchiveByteForByte)
{
    writeFile("a.txt", "first");
    ASSERT_TRUE(writeArchive({"a.txt"}, 6));
    const QByteArray before = readFile("a.zip");
    writeFile("big.bin", RandomBytes(600 * 1024));

    ZipWriter writer;
    ASSERT_TRUE(writer.open(archive(), false));
    writer.add({path("big.bin"), "big.bin", 6});
    // A full disk, as far as this process can tell.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = writer.commit();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_FALSE(writer.errorText().isEmpty());
    EXPECT_EQ(readFile("a.zip"), before);
    EXPECT_EQ(QDir(path()).entryList(QDir::Files, QDir::Name), QStringList({"a.txt", "a.zip", "big.bin"}));
}

TEST_F(ZipLibTest, AFileThatCannotBeReadIsLeftOutAndNamed)
{
    writeFile("good.txt", "good");
    makeDir("folder");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(archive(), false));
    const int missing = writer.add({path("gone.txt"), "gone.txt", 6});
    const int good = writer.add({path("good.txt"), "good.txt", 6});
    const int folder = writer.add({path("folder"), "folder", 6});
    ASSERT_TRUE(writer.commit());
    EXPECT_FALSE(writer.added(missing));
    EXPECT_TRUE(writer.added(good));
    EXPECT_FALSE(writer.added(folder));
    ASSERT_EQ(writer.failures().size(), 2u);
    EXPECT_EQ(writer.failures()[0].localPath, path("gone.txt"));
    EXPECT_EQ(writer.failures()[0].reason, QStringLiteral("No such file or directory"));
    EXPECT_EQ(writer.failures()[1].reason, QStringLiteral("it is a folder"));

    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(names(reader), QStringList({"good.txt"}));
}

TEST_F(ZipLibTest, ReplacingRemovingAndAddingInOneWrite)
{
    writeFile("a.txt", "old a");
    writeFile("b.txt", "old b");
    ASSERT_TRUE(writeArchive({"a.txt", "b.txt"}, 6));
    const QByteArray newA = TextBytes(2500 * 1024, 21);
    const QByteArray c = TextBytes(2200 * 1024, 22);
    writeFile("a.txt", newA);
    writeFile("c.txt", c);
    QFile::setPermissions(path("c.txt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                             | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    SetFileTime(path("c.txt"), QDateTime(QDate(2019, 1, 2), QTime(3, 4, 7)));

    ZipWriter writer(3);
    ASSERT_TRUE(writer.open(archive(), false));
    ASSERT_EQ(writer.entries().size(), 2u);
    writer.add({path("c.txt"), "c.txt", 6, {}, -1, true});
    writer.add({path("a.txt"), "a.txt", 6, {}, writer.entries()[0].index});
    writer.remove(writer.entries()[1].index);
    ASSERT_TRUE(writer.commit());

    EXPECT_EQ(RunTool("unzip", {"-t", archive()}).exitCode, 0);
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(names(reader), QStringList({"a.txt", "c.txt"}));
    EXPECT_EQ(readEntry(reader, "a.txt"), newA);
    EXPECT_EQ(readEntry(reader, "c.txt"), c);
    EXPECT_EQ(entry(reader, "c.txt")->unixMode & 0777, 0755u);
    EXPECT_EQ(entry(reader, "c.txt")->modified, QDateTime(QDate(2019, 1, 2), QTime(3, 4, 7)));
}

TEST_F(ZipLibTest, TheCommentIsKeptExactly)
{
    writeFile("a.txt", "a");
    ZipWriter writer;
    ASSERT_TRUE(writer.open(archive(), false));
    writer.add({path("a.txt"), "a.txt", 6});
    const QByteArray comment = QStringLiteral("première ligne\r\nsecond\n\nend").toUtf8();
    ASSERT_TRUE(writer.setComment(comment));
    ASSERT_TRUE(writer.commit());
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(reader.rawComment(), comment);

    ZipWriter tooLong;
    ASSERT_TRUE(tooLong.open(archive(), false));
    EXPECT_FALSE(tooLong.setComment(QByteArray(70000, 'x')));
}

TEST_F(ZipLibTest, ANewArchiveTakesTheUsualModeARewrittenOneKeepsItsOwn)
{
    auto mode = [this] {
        struct stat st {};
        ::stat(QFile::encodeName(archive()).constData(), &st);
        return st.st_mode & 07777;
    };
    writeFile("a.txt", "a");
    const mode_t mask = ::umask(022);
    const bool made = writeArchive({"a.txt"}, 6);
    ::chmod(QFile::encodeName(archive()).constData(), 0640);
    writeFile("b.txt", "b");
    const mode_t before = mode();
    const bool rewritten = writeArchive({"b.txt"}, 6);
    ::umask(mask);
    ASSERT_TRUE(made && rewritten);
    EXPECT_EQ(before, 0640u);
    EXPECT_EQ(mode(), 0640u);
    QFile::remove(archive());
    ::umask(022);
    ASSERT_TRUE(writeArchive({"a.txt"}, 6));
    ::umask(mask);
    EXPECT_EQ(mode(), 0644u);
}

TEST(ZipEntryRatio, FiguresOfAnyClaimedSizesStayInRange)
{
    ZipEntry e;
    EXPECT_EQ(e.ratio(), 0);
    e.size = 1000;
    e.compressedSize = 250;
    EXPECT_EQ(e.ratio(), 75);
    e.compressedSize = 1010;
    EXPECT_EQ(e.ratio(), -1);
    e.size = 1;
    e.compressedSize = qint64(1) << 40;
    EXPECT_EQ(e.ratio(), -9999);
    e.size = qint64(1) << 40;
    e.compressedSize = -5;
    EXPECT_EQ(e.ratio(), 100);
}
