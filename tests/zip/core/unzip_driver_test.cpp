#include "ZipCoreTest.h"

#include "platform/ziplib/ZipWriter.h"
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <functional>
#include <utility>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace ardl;
using namespace ardl::test;

namespace {

class UnzipDriverTest : public ZipCoreTest {
protected:
    void list(const QString &zipPath, bool withComment = false)
    {
        UnzipOptions = {};
        UnzipOptions.Zip = zipPath;
        UnzipOptions.nvflag = 1;
        UnzipOptions.nzflag = withComment ? 1 : 0;
        IncludeNames.clear();
        IncludeRawNames.clear();
        UnzipMessage.clear();
        ZipFileList = std::make_unique<colFile>();
        UnzipArchive();
    }

    int extract(const QString &zipPath, const QString &folder, bool folders = true, bool ask = true)
    {
        UnzipOptions = {};
        UnzipOptions.Zip = zipPath;
        UnzipOptions.ExtractDir = folder;
        UnzipOptions.ndflag = folders ? 1 : 0;
        UnzipOptions.PromptToOverwrite = ask ? 1 : 0;
        UnzipMessage.clear();
        return UnzipArchive();
    }

    // An archive of the given entries (name -> content), made by libzip.
    void makeArchive(const QString &zipPath, const QList<std::pair<QString, QByteArray>> &files)
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.open(zipPath, true));
        int n = 0;
        for (const auto &[name, content] : files) {
            const QString source = writeFile(QStringLiteral("src-%1").arg(n++), content);
            SetFileTime(source, QDateTime(QDate(2020, 1, 1), QTime(12, 0, 0)));
            writer.add({source, name, 6});
        }
        ASSERT_TRUE(writer.commit());
    }
};

} // namespace

TEST_F(UnzipDriverTest, ListingLeavesOutFoldersAndTakesDatesFromTheEntries)
{
    writeFile("src/one.txt", TextBytes(20000));
    writeFile("src/sub/two.txt", "two");
    SetFileTime(path("src/one.txt"), QDateTime(QDate(2001, 3, 7), QTime(14, 5, 31)));
    ASSERT_EQ(RunTool("zip", {"-q", "-r", "z.zip", "src"}, path()).exitCode, 0);

    list(path("z.zip"));
    ASSERT_EQ(ZipFileList->Count(), 2);
    const clsFile &one = ZipFileList->Item(1);
    EXPECT_EQ(one.Name, QStringLiteral("src/one.txt"));
    EXPECT_EQ(one.Size, 20000);
    EXPECT_EQ(one.Date, QDateTime(QDate(2001, 3, 7), QTime(14, 5, 31)));
    EXPECT_GT(one.Ratio, 50);
    EXPECT_EQ(one.Ratio, qRound(100.0 * double(one.Size - one.CompressedSize) / double(one.Size)));
    EXPECT_EQ(ZipFileList->Item(2).Name, QStringLiteral("src/sub/two.txt"));
    EXPECT_EQ(UnzipLastRun.listed, 2);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 0);
}

TEST_F(UnzipDriverTest, TheCommentComesBackExactly)
{
    const QString comment = QStringLiteral("Line one\r\nLine two\r\n\r\nend");
    writeFile("a.txt", "a");
    ASSERT_EQ(zipFiles({"a.txt"}), 0);
    InitZip();
    ZipOptions.fComment = 1;
    ZipComment = comment;
    ASSERT_EQ(ZipArchive(), 0);
    list(archive(), true);
    EXPECT_EQ(UnzipMessage, comment);
}

TEST_F(UnzipDriverTest, AFileThatIsNoArchiveSaysSoAndListsNothing)
{
    writeFile("fake.zip", "PK but not really");
    list(path("fake.zip"));
    EXPECT_EQ(ZipFileList->Count(), 0);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().first().startsWith("Could not open " + path("fake.zip")))
        << answers.messages().first().toStdString();
    EXPECT_EQ(readFile("fake.zip"), QByteArray("PK but not really"));
}

TEST_F(UnzipDriverTest, EntriesSharingTheirDataAreNeitherListedNorExtracted)
{
    const QString bomb = QStringLiteral(ARDL_ZIP_SEEDS "/overlapping.zip");
    list(bomb);
    EXPECT_EQ(ZipFileList->Count(), 0);
    EXPECT_FALSE(UnzipLastRun.opened);
    makeDir("out");
    EXPECT_NE(extract(bomb, path("out")), 0);
    EXPECT_EQ(UnzipLastRun.extracted, 0);
    EXPECT_TRUE(tree(path("out")).isEmpty());
    ASSERT_EQ(answers.messages().size(), 2);
    EXPECT_EQ(answers.messages().last().trimmed(),
              QStringLiteral("Could not open %1 (the entries part00.bin and part01.bin share their data, which no "
                             "sound archive does (a zip bomb?))")
                  .arg(bomb));
}

TEST_F(UnzipDriverTest, AnEntryLongerThanListedIsAFailureAndLeavesNoFile)
{
    makeDir("out");
    EXPECT_EQ(extract(QStringLiteral(ARDL_ZIP_SEEDS "/lying-size.zip"), path("out")), UnzipSomeFailed);
    EXPECT_EQ(UnzipLastRun.extracted, 0);
    EXPECT_EQ(UnzipLastRun.failed, 1);
    EXPECT_TRUE(tree(path("out")).isEmpty());
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(answers.messages().first().trimmed(),
              QStringLiteral("small.txt: could not be extracted (the data is longer than the 100 bytes listed)"));
}

TEST_F(UnzipDriverTest, ExtractsWhatZipMadeByteForByteWithItsTimes)
{
    const QByteArray big = TextBytes(2 * 1024 * 1024 + 5);
    writeFile("src/one.txt", "first\n");
    writeFile("src/deep/er/big.txt", big);
    writeFile("src/noise.bin", RandomBytes(70000));
    SetFileTime(path("src/one.txt"), QDateTime(QDate(2010, 6, 1), QTime(9, 8, 7)));
    makeDir("src/empty");
    ASSERT_EQ(RunTool("zip", {"-q", "-r", "-9", "z.zip", "src"}, path()).exitCode, 0);
    makeDir("out");
    ASSERT_EQ(extract(path("z.zip"), path("out")), 0) << UnzipMessage.toStdString();
    EXPECT_EQ(UnzipLastRun.extracted, 3);
    const ToolRun diff = RunTool("diff", {"-r", path("src"), path("out/src")});
    EXPECT_EQ(diff.exitCode, 0) << diff.output.toStdString();
    EXPECT_EQ(QFileInfo(path("out/src/one.txt")).lastModified(), QDateTime(QDate(2010, 6, 1), QTime(9, 8, 7)));

    // Without folder names every file lands in the target itself.
    makeDir("flat");
    ASSERT_EQ(extract(path("z.zip"), path("flat"), false), 0);
    EXPECT_EQ(tree(path("flat")), QStringList({"big.txt", "noise.bin", "one.txt"}));
}

TEST_F(UnzipDriverTest, AHostileArchiveWritesNothingOutsideTheTarget)
{
    const char *script = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
for name in ['../e1', '/e2', 'a/../../e3', '..\\e4', 'C:/e5']:
    z.writestr(zipfile.ZipInfo(name), b'evil')
link = zipfile.ZipInfo('link')
link.create_system = 3
link.external_attr = 0o120777 << 16
z.writestr(link, '../../outside')
z.writestr('link/e6', b'under a folder of that name')
z.writestr('ok.txt', b'fine')
z.close()
)";
    const ToolRun made = RunTool("/usr/bin/python3", {"-c", QString::fromLatin1(script), path("evil.zip")});
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
    makeDir("t/inner");

    EXPECT_EQ(extract(path("evil.zip"), path("t/inner")), UnzipSomeFailed);
    EXPECT_EQ(UnzipLastRun.extracted, 2);
    EXPECT_EQ(UnzipLastRun.failed, 6);
    for (const char *name : {"../e1", "/e2", "a/../../e3", "../e4", "C:/e5"})
        EXPECT_TRUE(UnzipMessage.contains(QString::fromLatin1(name) + ": skipped, its name leads outside"))
            << name << UnzipMessage.toStdString();
    EXPECT_TRUE(UnzipMessage.contains("link: skipped, symbolic links are not extracted"));
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 1);

    makeDir("t/flat");
    extract(path("evil.zip"), path("t/flat"), false);
    EXPECT_EQ(tree(path()), QStringList({"evil.zip", "t/", "t/flat/", "t/flat/e6", "t/flat/ok.txt", "t/inner/",
                                         "t/inner/link/", "t/inner/link/e6", "t/inner/ok.txt"}));
}

TEST_F(UnzipDriverTest, ALinkAlreadyInTheTargetIsNotFollowed)
{
    makeArchive(archive(), {{"evil/x.txt", "x"}, {"good.txt", "g"}});
    makeDir("outside");
    makeDir("target");
    ASSERT_TRUE(QFile::link(path("outside"), path("target/evil")));
    EXPECT_EQ(extract(archive(), path("target")), UnzipSomeFailed);
    EXPECT_TRUE(UnzipMessage.contains("evil is a link or a file, not a folder")) << UnzipMessage.toStdString();
    EXPECT_TRUE(tree(path("outside")).isEmpty());
    EXPECT_EQ(readFile("target/good.txt"), QByteArray("g"));
}

TEST_F(UnzipDriverTest, OverwriteNoKeepsOneFileCancelKeepsTheRest)
{
    makeArchive(archive(), {{"a", "new"}, {"b", "new"}, {"c", "new"}, {"d", "new"}});
    for (const char *name : {"t/a", "t/b", "t/c", "t/d"})
        writeFile(name, "old");
    answers.overwriteAnswers = {OverwriteNo, OverwriteYes, OverwriteCancel};
    ASSERT_EQ(extract(archive(), path("t")), 0);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 3);
    EXPECT_TRUE(answers.asked.front().text.contains(path("t/a")));
    EXPECT_EQ(readFile("t/a") + readFile("t/b") + readFile("t/c") + readFile("t/d"), QByteArray("oldnewoldold"));
    EXPECT_EQ(UnzipLastRun.extracted, 1);
    EXPECT_EQ(UnzipLastRun.skipped, 3);
}

TEST_F(UnzipDriverTest, OverwriteClosedIsNoAndAllAsksNoMore)
{
    makeArchive(archive(), {{"a", "new"}, {"b", "new"}, {"c", "new"}});
    for (const char *name : {"t/a", "t/b", "t/c"})
        writeFile(name, "old");
    answers.overwriteAnswers = {OverwriteNone, OverwriteAll};
    ASSERT_EQ(extract(archive(), path("t")), 0);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 2);
    EXPECT_EQ(readFile("t/a") + readFile("t/b") + readFile("t/c"), QByteArray("oldnewnew"));
}

TEST_F(UnzipDriverTest, SkipOlderKeepsNewerFilesWithoutAsking)
{
    makeArchive(archive(), {{"a", "archived"}, {"b", "archived"}});
    SetFileTime(writeFile("t/a", "mine, newer"), QDateTime(QDate(2022, 1, 1), QTime(0, 0)));
    SetFileTime(writeFile("t/b", "mine, older"), QDateTime(QDate(2019, 1, 1), QTime(0, 0)));
    UnzipOptions = {};
    UnzipOptions.Zip = archive();
    UnzipOptions.ExtractDir = path("t");
    UnzipOptions.ExtractOnlyNewer = 1;
    ASSERT_EQ(UnzipArchive(), 0);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 0);
    EXPECT_EQ(readFile("t/a"), QByteArray("mine, newer"));
    EXPECT_EQ(readFile("t/b"), QByteArray("archived"));
}

TEST_F(UnzipDriverTest, AWrongPasswordIsAskedAgainARefusedOneHoldsForThisRunOnly)
{
    writeFile("src/a.txt", "secret a");
    writeFile("src/b.txt", "secret b");
    ASSERT_EQ(RunTool("zip", {"-q", "-P", "pw", "-r", "p.zip", "src"}, path()).exitCode, 0);

    answers.passwordAnswers = {QStringLiteral("wrong"), QStringLiteral("pw")};
    ASSERT_EQ(extract(path("p.zip"), path("out1")), UnzipCannotWrite); // no such folder yet
    makeDir("out1");
    ASSERT_EQ(extract(path("p.zip"), path("out1")), 0) << UnzipMessage.toStdString();
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Password), 2);
    EXPECT_EQ(readFile("out1/src/b.txt"), QByteArray("secret b"));

    makeDir("out2");
    answers.passwordAnswers = {QString()};
    EXPECT_EQ(extract(path("p.zip"), path("out2")), UnzipSomeFailed);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Password), 3);
    EXPECT_TRUE(UnzipMessage.contains("src/a.txt: skipped, no password"));
    EXPECT_TRUE(UnzipMessage.contains("src/b.txt: skipped, no password"));
    EXPECT_EQ(PasswordRefused, 1);
    EXPECT_EQ(tree(path("out2")), QStringList({"src/"}));

    answers.passwordAnswers = {QStringLiteral("pw")};
    EXPECT_EQ(extract(path("p.zip"), path("out2")), 0);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Password), 4);
    EXPECT_EQ(PasswordRefused, 0);
}

TEST_F(UnzipDriverTest, IncludeNamesPickByNameOrWildcard)
{
    makeArchive(archive(), {{"docs/a.txt", "a"}, {"docs/b.md", "b"}, {"c.txt", "c"}});
    makeDir("t");
    IncludeNames = {"*.txt"};
    ASSERT_EQ(extract(archive(), path("t")), 0);
    EXPECT_EQ(tree(path("t")), QStringList({"c.txt", "docs/", "docs/a.txt"}));

    IncludeNames = {"docs/b.md", "missing.txt"};
    EXPECT_EQ(extract(archive(), path("t")), UnzipNoSuchEntry);
    EXPECT_TRUE(UnzipMessage.contains("missing.txt: no such file in the archive"));
    EXPECT_EQ(readFile("t/docs/b.md"), QByteArray("b"));
}

TEST_F(UnzipDriverTest, AFailedExtractionLeavesTheExistingFileWhole)
{
    makeArchive(archive(), {{"big.bin", RandomBytes(400000)}});
    writeFile("t/big.bin", "my own data");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    const int code = extract(archive(), path("t"), true, false);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(code, UnzipSomeFailed);
    EXPECT_TRUE(UnzipMessage.contains("big.bin: could not be extracted (File too large)"))
        << UnzipMessage.toStdString();
    EXPECT_EQ(UnzipLastRun.extracted, 0);
    EXPECT_EQ(readFile("t/big.bin"), QByteArray("my own data"));
    EXPECT_EQ(tree(path("t")), QStringList({"big.bin"}));
}

TEST_F(UnzipDriverTest, TwoEntriesForOneFileAskAsIfTheFirstWereThere)
{
    makeArchive(archive(), {{"x/same.txt", "first"}, {"y/same.txt", RandomBytes(2 << 20)}});
    makeDir("no");
    answers.overwriteAnswers = {OverwriteNo};
    ASSERT_EQ(extract(archive(), path("no"), false), 0);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 1);
    EXPECT_EQ(readFile("no/same.txt"), QByteArray("first"));

    makeDir("yes");
    answers.overwriteAnswers = {OverwriteYes};
    ASSERT_EQ(extract(archive(), path("yes"), false), 0);
    EXPECT_EQ(readFile("yes/same.txt"), RandomBytes(2 << 20));
    EXPECT_EQ(tree(path("yes")), QStringList({"same.txt"}));
}

TEST_F(UnzipDriverTest, EntriesWhoseNamesReadAlikeStayTwoAndNeitherTakesTheOthersPlace)
{
    // "dir\f.txt" reads as "dir/f.txt": the same text, other bytes, and the
    // same size and date.
    makeArchive(archive(), {{"dir\\f.txt", "back"}, {"dir/f.txt", "fore"}});
    list(archive());
    ASSERT_EQ(ZipFileList->Count(), 2);
    EXPECT_EQ(ZipFileList->Item(1).Name, ZipFileList->Item(2).Name);
    EXPECT_EQ(ZipFileList->Item(1).RawName, QByteArray("dir\\f.txt"));
    EXPECT_TRUE(ZipFileList->Item(2).NameIsExact());

    // Everything: the file can hold one of them; the other is reported.
    makeDir("all");
    EXPECT_EQ(extract(archive(), path("all"), true, false), UnzipSomeFailed);
    EXPECT_EQ(UnzipMessage, QStringLiteral("dir/f.txt: not extracted, another entry of the archive has a name that "
                                           "reads the same\n"));
    EXPECT_EQ(readFile("all/dir/f.txt"), QByteArray("back"));

    // Each one alone: by its text when that is its name, else by its bytes.
    makeDir("fore");
    IncludeNames = {"dir/f.txt"};
    ASSERT_EQ(extract(archive(), path("fore")), 0) << UnzipMessage.toStdString();
    EXPECT_EQ(readFile("fore/dir/f.txt"), QByteArray("fore"));
    makeDir("back");
    IncludeNames.clear();
    IncludeRawNames = {"dir\\f.txt"};
    ASSERT_EQ(extract(archive(), path("back")), 0) << UnzipMessage.toStdString();
    EXPECT_EQ(readFile("back/dir/f.txt"), QByteArray("back"));
    EXPECT_EQ(UnzipLastRun.extracted, 1);

    IncludeRawNames = {"dir\\g.txt"};
    EXPECT_EQ(extract(archive(), path("back")), UnzipNoSuchEntry);
    EXPECT_TRUE(UnzipMessage.contains("dir\\g.txt: no such file in the archive")) << UnzipMessage.toStdString();
}

TEST_F(UnzipDriverTest, EntriesWithoutPermissionsTakeTheUmaskAndLeaveItAsItWas)
{
    // Entries of 1 MiB and more are written on several threads at once; an
    // entry that keeps no permissions takes them from the umask.
    const char *script = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED)
for i in range(32):
    info = zipfile.ZipInfo('f%02d.bin' % i)
    info.create_system = 0
    info.external_attr = 0
    z.writestr(info, bytes(1048600))
z.close()
)";
    const ToolRun made = RunTool("/usr/bin/python3", {"-c", QString::fromLatin1(script), path("nomode.zip")});
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
    struct UmaskGuard {
        mode_t saved = ::umask(027);
        ~UmaskGuard() { ::umask(saved); }
    } guard;
    // The threads start together: a few runs are enough to meet a race.
    for (int run = 0; run < 30; ++run) {
        const QString folder = QStringLiteral("out%1").arg(run);
        makeDir(folder);
        ASSERT_EQ(extract(path("nomode.zip"), path(folder)), 0) << UnzipMessage.toStdString();
        ASSERT_EQ(::umask(027), mode_t(027)) << "run " << run;
        for (int i = 0; i < 32; ++i) {
            struct stat st {};
            const QString file = folder + QStringLiteral("/f%1.bin").arg(i, 2, 10, QLatin1Char('0'));
            ASSERT_EQ(::stat(QFile::encodeName(path(file)).constData(), &st), 0);
            ASSERT_EQ(st.st_mode & 07777, mode_t(0640)) << file.toStdString();
        }
        QDir(path(folder)).removeRecursively();
    }
}

// An archive that holds an entry of its own name, extracted into its own
// folder (a download zipped twice): the entry would take the archive's
// place while the run still reads it, and the user's archive would be gone.
TEST_F(UnzipDriverTest, AnEntryUnderTheArchivesOwnNameNeverReplacesTheArchive)
{
    makeDir("x");
    makeArchive(path("x/a.zip"), {{"a.zip", "the inner archive"}, {"b.txt", "b"}});
    const QByteArray before = readFile("x/a.zip");

    EXPECT_EQ(extract(path("x/a.zip"), path("x"), true, false), UnzipSomeFailed);
    EXPECT_EQ(readFile("x/a.zip"), before);
    EXPECT_EQ(readFile("x/b.txt"), QByteArray("b"));
    EXPECT_EQ(UnzipLastRun.extracted, 1);
    EXPECT_EQ(UnzipLastRun.failed, 1);
    EXPECT_TRUE(UnzipMessage.contains("a.zip: skipped")) << UnzipMessage.toStdString();

    // Nor when the question is asked, whose Yes would take it: it is not put.
    answers.overwriteAnswers = {OverwriteYes, OverwriteYes};
    EXPECT_EQ(extract(path("x/a.zip"), path("x"), true, true), UnzipSomeFailed);
    EXPECT_EQ(readFile("x/a.zip"), before);
    EXPECT_EQ(answers.overwriteAnswers.size(), 1u);
}

namespace {

// Answers as `answers` does, after another program replaced the archive
// while the first overwrite question was asked.
class ReplacingPrompter : public Prompter {
public:
    explicit ReplacingPrompter(ScriptedPrompter &answers) : m_answers(answers) {}
    std::function<void()> replace;

    int askOverwrite(const QString &message) override
    {
        if (replace)
            std::exchange(replace, nullptr)();
        return m_answers.askOverwrite(message);
    }
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) override
    {
        return m_answers.message(text, title, icon, buttons);
    }
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &text) override
    {
        return m_answers.inputBox(prompt, title, text);
    }
    std::optional<QString> password(const QString &prompt, const QString &title) override
    {
        return m_answers.password(prompt, title);
    }
    QString browseForFolder(const QString &title, const QString &start) override
    {
        return m_answers.browseForFolder(title, start);
    }
    QStringList openFileNames(const FileDialogRequest &request) override { return m_answers.openFileNames(request); }
    QString saveFileName(const FileDialogRequest &request) override { return m_answers.saveFileName(request); }

private:
    ScriptedPrompter &m_answers;
};

} // namespace

// The questions come first; an archive replaced meanwhile (a download
// written again) must not lend its data to the entries listed before: every
// file is what the archive held when the run opened it.
TEST_F(UnzipDriverTest, AnArchiveReplacedWhileTheQuestionsAreAskedDoesNotLendItsData)
{
    const QByteArray big = RandomBytes(3 << 20, 7);
    makeDir("t");
    makeArchive(path("a.zip"), {{"ask.txt", "new"}, {"big1.bin", big}, {"big2.bin", big + "2"},
                                {"big3.bin", big + "3"}, {"big4.bin", big + "4"}});
    makeArchive(path("other.zip"), {{"ask.txt", "other"}, {"x1.bin", RandomBytes(3 << 20, 8)},
                                    {"x2.bin", RandomBytes(3 << 20, 9)}, {"x3.bin", RandomBytes(3 << 20, 10)},
                                    {"x4.bin", RandomBytes(3 << 20, 11)}});
    writeFile("t/ask.txt", "kept");

    ReplacingPrompter replacing(answers);
    ScopedPrompter scope(replacing);
    answers.overwriteAnswers = {OverwriteNo};
    replacing.replace = [this] {
        ASSERT_EQ(::rename(QFile::encodeName(path("other.zip")).constData(),
                           QFile::encodeName(archive()).constData()),
                  0);
    };
    EXPECT_EQ(extract(archive(), path("t")), 0) << UnzipMessage.toStdString();
    EXPECT_EQ(UnzipLastRun.extracted, 4);
    EXPECT_EQ(readFile("t/ask.txt"), QByteArray("kept"));
    EXPECT_EQ(readFile("t/big1.bin"), big);
    EXPECT_EQ(readFile("t/big2.bin"), big + "2");
    EXPECT_EQ(readFile("t/big3.bin"), big + "3");
    EXPECT_EQ(readFile("t/big4.bin"), big + "4");
}
