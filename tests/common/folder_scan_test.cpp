#include "common/core/FileMask.h"
#include "common/core/FolderReader.h"
#include "common/core/modFindFile.h"
#include "common/core/ScriptedPrompter.h"
#include "support/ScanSupport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <functional>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/time.h>
#include <unistd.h>

using namespace ardl;

namespace {

class FolderScan : public test::TempDirTest {
protected:
    void SetUp() override
    {
        for (const char *f : {"b.txt", "A.TXT", "noext", "c.dat", "sub2/x.txt", "sub1/y.txt",
                              "sub1/w.dat", "sub1/deep/z.txt", "sub1/deep/README"})
            writeFile(QString::fromLatin1(f), "data");
        makeDir(QStringLiteral("sub1/empty"));
    }

    // The names scanned, relative to the temporary folder.
    QStringList scan(const QString &mask, bool recursive, QString *pathAfter = nullptr)
    {
        ScanOptions opt;
        opt.Path = path();
        opt.Mask = mask;
        opt.Recursive = recursive;
        colFile files;
        SearchForFilesArray(files, opt);
        if (pathAfter)
            *pathAfter = opt.Path;
        return relative(files);
    }

    QStringList relative(const colFile &files) const
    {
        QStringList out;
        for (const clsFile &f : files)
            out << f.Name.mid(path().size() + 1);
        return out;
    }
};

} // namespace

TEST_F(FolderScan, ListsEachFolderBeforeItsSubFoldersInNameOrder)
{
    QString pathAfter;
    EXPECT_EQ(scan(QStringLiteral("*.*"), true, &pathAfter),
              (QStringList{"A.TXT", "b.txt", "c.dat", "noext", "sub1/w.dat", "sub1/y.txt",
                           "sub1/deep/README", "sub1/deep/z.txt", "sub2/x.txt"}));
    // Path is left on the last folder walked.
    EXPECT_EQ(pathAfter, path(QStringLiteral("sub2")));

    EXPECT_EQ(scan(QStringLiteral("*.txt"), false, &pathAfter), (QStringList{"A.TXT", "b.txt"}));
    EXPECT_EQ(pathAfter, path(QStringLiteral("sub2")));   // sub-folders still named, not walked
    EXPECT_EQ(scan(QStringLiteral("*.TXT"), true),
              (QStringList{"A.TXT", "b.txt", "sub1/y.txt", "sub1/deep/z.txt", "sub2/x.txt"}));
    EXPECT_EQ(scan(QStringLiteral("*."), true), (QStringList{"noext", "sub1/deep/README"}));
    EXPECT_EQ(scan(QStringLiteral("?.t*"), false), (QStringList{"A.TXT", "b.txt"}));
}

TEST_F(FolderScan, TrailingSeparatorAndExistingEntriesMakeNoDifference)
{
    ScanOptions opt;
    opt.Path = path() + u'/';
    opt.Recursive = true;
    colFile files;
    SearchForFilesArray(files, opt);
    EXPECT_EQ(files.Count(), 9);
    EXPECT_EQ(files.Item(1).Name, path(QStringLiteral("A.TXT")));
    opt.Path = path();
    SearchForFilesArray(files, opt);   // the same files again are kept once
    EXPECT_EQ(files.Count(), 9);

    colFile one;
    GetFileInformation(one, ScanOptions{false, path(QStringLiteral("sub1")), QStringLiteral("*.*")});
    EXPECT_EQ(relative(one), (QStringList{"sub1/w.dat", "sub1/y.txt"}));
}

TEST_F(FolderScan, MissingOrEmptyFolderGivesNothingSilently)
{
    ScriptedPrompter answers;
    ScopedPrompter scoped(answers);
    for (const QString &p : {path(QStringLiteral("nowhere")), path(QStringLiteral("sub1/empty")), QString()}) {
        ScanOptions opt{true, p, QStringLiteral("*.*")};
        colFile files;
        SearchForFilesArray(files, opt);
        GetFileInformation(files, opt);
        EXPECT_EQ(files.Count(), 0) << p.toStdString();
        EXPECT_EQ(opt.Path, p);
    }
    EXPECT_TRUE(answers.asked.empty());
}

TEST_F(FolderScan, NeverFollowsFolderLinksAndListsFileLinks)
{
    ASSERT_EQ(::symlink(path().toUtf8().constData(), path(QStringLiteral("sub1/deep/loop")).toUtf8().constData()), 0);
    ASSERT_EQ(::symlink("b.txt", path(QStringLiteral("link.txt")).toUtf8().constData()), 0);
    ASSERT_EQ(::symlink("gone.txt", path(QStringLiteral("dangling.txt")).toUtf8().constData()), 0);
    ASSERT_EQ(::mkfifo(path(QStringLiteral("pipe.txt")).toUtf8().constData(), 0600), 0);
    const QStringList names = scan(QStringLiteral("*.txt"), true);
    EXPECT_EQ(names, (QStringList{"A.TXT", "b.txt", "link.txt", "sub1/y.txt", "sub1/deep/z.txt", "sub2/x.txt"}));

    // The scanned folder itself may be reached through a link.
    const QString viaLink = path(QStringLiteral("viaLink"));
    ASSERT_EQ(::symlink(path(QStringLiteral("sub2")).toUtf8().constData(), viaLink.toUtf8().constData()), 0);
    colFile files;
    ScanOptions opt{true, viaLink, QStringLiteral("*.*")};
    SearchForFilesArray(files, opt);
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(files.Item(1).Name, viaLink + QStringLiteral("/x.txt"));
}

TEST_F(FolderScan, KeepsGoingPastAnUnreadableSubFolder)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not hold back root";
    ASSERT_EQ(::chmod(path(QStringLiteral("sub1")).toUtf8().constData(), 0), 0);
    const QStringList names = scan(QStringLiteral("*.*"), true);
    ::chmod(path(QStringLiteral("sub1")).toUtf8().constData(), 0700);
    EXPECT_EQ(names, (QStringList{"A.TXT", "b.txt", "c.dat", "noext", "sub2/x.txt"}));
}

TEST_F(FolderScan, NamesThatAreNotUtf8StayApartAndKeepTheirBytes)
{
    const time_t when = 1700000000;
    const QByteArray ff = test::WriteRawFile(path(), "\xff.txt", "same", when);
    const QByteArray fd = test::WriteRawFile(path(), "\xfd.txt", "same", when);   // shows like the one above
    test::MakeRawFolder(path(), "\xfe");
    const QByteArray inFolder = test::WriteRawFile(path(), "\xfe/ok.txt", "x", when);

    colFile files;
    ScanOptions opt{true, path(), QStringLiteral("*.txt")};
    SearchForFilesArray(files, opt);
    QStringList shown;
    std::vector<QByteArray> raws;
    for (const clsFile &f : files) {
        if (f.NameIsExact())
            continue;
        shown << f.Name.mid(path().size() + 1);
        raws.push_back(f.RawName);
    }
    const QString replaced(QChar(0xFFFD));
    EXPECT_EQ(shown, (QStringList{replaced + ".txt", replaced + ".txt", replaced + "/ok.txt"}));
    std::sort(raws.begin(), raws.begin() + 2);
    EXPECT_EQ(raws, (std::vector<QByteArray>{fd, ff, inFolder}));
    EXPECT_TRUE(files.Item(1).NameIsExact());   // "A.TXT": a name shown exactly has no raw bytes

    const qsizetype count = files.Count();
    opt.Path = path();
    SearchForFilesArray(files, opt);   // the same files again are still kept once
    EXPECT_EQ(files.Count(), count);

    // Exact exactly when the name's bytes come back from its text.
    makeDir(QStringLiteral("more"));
    for (const QByteArray &name : {QByteArray("\xed\xa0\x80 surrogate"), QByteArray("\xc0\x80 overlong"),
                                  QByteArray("\xe2\x82 cut short"), QByteArray("\xef\xbf\xbd real U+FFFD"),
                                  QByteArray("caf\xc3\xa9")}) {
        const QByteArray full = test::WriteRawFile(path(QStringLiteral("more")), name, "x", when);
        colFile one;
        GetFileInformation(one, ScanOptions{false, path(QStringLiteral("more")), QStringLiteral("*.*")});
        ASSERT_EQ(one.Count(), 1) << name.constData();
        const bool exact = QString::fromUtf8(name).toUtf8() == name;
        EXPECT_EQ(one.Item(1).NameIsExact(), exact) << name.constData();
        EXPECT_EQ(one.Item(1).RawName, exact ? QByteArray() : full);
        ASSERT_EQ(::unlink(full.constData()), 0);
    }
}

TEST_F(FolderScan, TellsWhichFoldersCouldNotBeRead)
{
    // A folder replaced by a file between the listing of its parent and its
    // own reading, as another program might do it: even root cannot read it.
    const QByteArray sub1 = QFile::encodeName(path(QStringLiteral("sub1"))) + '/';
    test::OnFolderOpen replace([&](const QByteArray &native) {
        if (native != sub1)
            return;
        ASSERT_EQ(::rename(sub1.chopped(1).constData(), (sub1.chopped(1) + ".moved").constData()), 0);
        writeFile(QStringLiteral("sub1"), "now a file");
    });
    colFile files;
    ScanOptions opt{true, path(), QStringLiteral("*.*")};
    const ScanReport report = ScanFolderTree(files, opt);
    ASSERT_EQ(report.unreadable.size(), 1u);
    EXPECT_EQ(report.unreadable[0].path, path(QStringLiteral("sub1/")));
    EXPECT_EQ(report.unreadable[0].error, ENOTDIR);
    EXPECT_EQ(relative(files), (QStringList{"A.TXT", "b.txt", "c.dat", "noext", "sub2/x.txt"}));

    // A folder that is not there at all.
    colFile none;
    opt.Path = path(QStringLiteral("nowhere"));
    const ScanReport missing = ScanFolderTree(none, opt);
    ASSERT_EQ(missing.unreadable.size(), 1u);
    EXPECT_EQ(missing.unreadable[0].error, ENOENT);
}

namespace {

// Entry names in listing order: letters without case, ties by code.
void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &x, const QString &y) {
        const int c = QString::compare(x, y, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x < y;
    });
}

// One plain depth-first walk: a folder's files, then each sub-folder's.
void walkInOrder(const QString &folder, const QString &relative, QStringList &out)
{
    const QDir dir(folder);
    QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
    sortNames(files);
    sortNames(folders);
    for (const QString &f : files)
        out << relative + f;
    for (const QString &f : folders)
        walkInOrder(dir.filePath(f), relative + f + u'/', out);
}

} // namespace

TEST_F(FolderScan, ManyFoldersComeInTheOrderOfOneWalk)
{
    // Enough folders, of uneven sizes, for the reading threads to overtake
    // one another.
    const QStringList names{"b", "A", "a-b", "a", "C", "_x", "Z9", "z10", "a b"};
    for (int t = 0; t < names.size(); ++t)
        for (int s = 0; s <= t; ++s)
            for (int f = 0; f < 1 + (s * 7 + t) % 5; ++f)
                writeFile(names[t] + u'/' + names[s] + u'/' + names[f] + QStringLiteral(".txt"), "x");
    QStringList expected;
    walkInOrder(path(), QString(), expected);
    ASSERT_GT(expected.size(), 100);
    for (int run = 0; run < 20; ++run)
        ASSERT_EQ(scan(QStringLiteral("*.*"), true), expected) << "run " << run;
}

TEST_F(FolderScan, BindMountedFoldersAreWalkedOnce)
{
    // The same folder mounted inside itself, and twice side by side.
    writeFile(QStringLiteral("m/d/top.txt"), "x");
    for (int i = 0; i < 40; ++i)
        writeFile(QStringLiteral("m/d/s%1/f.txt").arg(i), "x");
    makeDir(QStringLiteral("m/d/inner"));
    makeDir(QStringLiteral("m/x1"));
    makeDir(QStringLiteral("m/x2"));
    const QByteArray d = QFile::encodeName(path(QStringLiteral("m/d")));
    // Mounts are made in a child with a mount namespace of its own, so none
    // outlives it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(77);
        for (const char *at : {"/inner", "/../x1", "/../x2"})
            if (::mount(d.constData(), (d + at).constData(), nullptr, MS_BIND, nullptr) != 0)
                ::_exit(77);
        colFile files;
        ScanOptions opt{true, path(QStringLiteral("m")), QStringLiteral("*.*")};
        SearchForFilesArray(files, opt);
        QStringList names = relative(files);
        // d is walked where it comes first; inner, x1 and x2 are d again.
        QStringList expected;
        for (int i = 0; i < 40; ++i)
            expected << QStringLiteral("m/d/s%1/f.txt").arg(i);
        std::sort(expected.begin(), expected.end());
        expected.prepend(QStringLiteral("m/d/top.txt"));
        ::_exit(names == expected && opt.Path == path(QStringLiteral("m/x2")) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "folders cannot be mounted here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FolderScan, SizesAreSixtyFourBitAndDatesLocalToTheSecond)
{
    const QString big = path(QStringLiteral("big/sparse.iso"));
    makeDir(QStringLiteral("big"));
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(3000000000LL));   // sparse: takes no room on disk
    }
    const qint64 when = 1700000000;   // 2023-11-14 22:13:20 UTC
    const timeval times[2] = {{when, 0}, {when, 750000}};
    ASSERT_EQ(::utimes(big.toUtf8().constData(), times), 0);

    colFile files;
    ScanOptions opt{false, path(QStringLiteral("big")), QStringLiteral("*.iso")};
    SearchForFilesArray(files, opt);
    ASSERT_EQ(files.Count(), 1);
    const clsFile &f = files.Item(1);
    EXPECT_EQ(f.Size, 3000000000LL);
    EXPECT_EQ(f.Date.toSecsSinceEpoch(), when);
    EXPECT_EQ(f.Date.time().msec(), 0);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(when).toLocalTime();
    EXPECT_EQ(f.Date.date(), local.date());
    EXPECT_EQ(f.Date.time(), local.time());
}

TEST(FileMask, FollowsTheUsualWildcardRules)
{
    struct Case {
        const char *mask;
        const char *name;
        bool match;
    };
    const Case cases[] = {
        {"*.*", "noext", true},     {"*.*", ".hidden", true},    {"*", "a.b", true},
        {"", "x", true},            {"*.", "Makefile", true},    {"*.", "a.txt", false},
        {"*.", ".bashrc", true},    {"read*.*", "readme", true}, {"read*.*", "readme.md", true},
        {"read*.*", "unread", false}, {"*.txt", "A.TXT", true}, {"*.txt", "a.txt.bak", false},
        {"?.txt", "ab.txt", false}, {"??.txt", "ab.txt", true},  {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc.d", false}, {"*é*", "CAFÉ", true},      {" *.txt ", "x.txt", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileMask(QString::fromUtf8(c.mask)).matches(QString::fromUtf8(c.name)), c.match)
            << c.mask << " on " << c.name;
}
