#include "common/core/TargetFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace ardl;

namespace {

QByteArray everyByte()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

timespec modifiedOf(const QString &path)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st.st_mtim;
}

int modeOf(const QString &path)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return int(st.st_mode & 07777);
}

class TargetFolderTest : public test::TempDirTest {
protected:
    // Every entry below `folder`, files and folders, hidden ones included.
    QStringList entries(const QString &folder) const
    {
        QStringList out;
        QDir dir(path(folder));
        for (const QFileInfo &info :
             dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
            out << info.fileName();
            if (info.isDir() && !info.isSymLink())
                for (const QString &inner : entries(folder + u'/' + info.fileName()))
                    out << info.fileName() + u'/' + inner;
        }
        return out;
    }
};

} // namespace

TEST_F(TargetFolderTest, CopiesEveryByteAndTheTimeIntoNewFolders)
{
    const QString source = writeFile(QStringLiteral("src/caf\xc3\xa9 one.bin"), everyByte());
    ::chmod(QFile::encodeName(source).constData(), 0640);
    test::SetFileTime(source, QDateTime(QDate(2021, 3, 4), QTime(5, 6, 7, 890)));
    makeDir(QStringLiteral("dst"));

    TargetFolder into(path(QStringLiteral("dst")));
    EXPECT_EQ(into.entry(QStringLiteral("a b/c/d.bin")), TargetFolder::Entry::Missing);
    ASSERT_EQ(into.copyFile(source, QStringLiteral("a b/c/d.bin")), 0);
    EXPECT_EQ(readFile(QStringLiteral("dst/a b/c/d.bin")), everyByte());
    const timespec from = modifiedOf(source);
    const timespec to = modifiedOf(path(QStringLiteral("dst/a b/c/d.bin")));
    EXPECT_EQ(to.tv_sec, from.tv_sec);
    EXPECT_EQ(to.tv_nsec, from.tv_nsec);
    EXPECT_EQ(modeOf(path(QStringLiteral("dst/a b/c/d.bin"))), 0640 & ~int(::umask(::umask(0))));
    EXPECT_EQ(into.entry(QStringLiteral("a b/c/d.bin")), TargetFolder::Entry::File);
    EXPECT_EQ(into.entry(QStringLiteral("a b/c")), TargetFolder::Entry::Folder);
    // No temporary file is left behind.
    EXPECT_EQ(entries(QStringLiteral("dst")), (QStringList{"a b", "a b/c", "a b/c/d.bin"}));

    // A large file goes through the kernel's copy in one piece.
    QByteArray large(5 * 1024 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < large.size(); ++i)
        large[i] = char((i * 7919) >> 3);
    const QString big = writeFile(QStringLiteral("src/big"), large);
    ASSERT_EQ(CopyFileSafely(big, path(QStringLiteral("dst/big copy"))), 0);
    EXPECT_EQ(readFile(QStringLiteral("dst/big copy")), large);
}

TEST_F(TargetFolderTest, AReplacedFileKeepsItsPermissionsAndAFailureKeepsItWhole)
{
    const QString source = writeFile(QStringLiteral("new.txt"), "new content");
    const QString target = writeFile(QStringLiteral("dst/old.txt"), "old content");
    ::chmod(QFile::encodeName(target).constData(), 0604);

    TargetFolder into(path(QStringLiteral("dst")));
    ASSERT_EQ(into.copyFile(source, QStringLiteral("old.txt")), 0);
    EXPECT_EQ(readFile(QStringLiteral("dst/old.txt")), "new content");
    EXPECT_EQ(modeOf(target), 0604);

    // A write that fails halfway leaves the old file as it was.
    const int error = into.writeFile(QStringLiteral("old.txt"), [](int fd) {
        EXPECT_EQ(::write(fd, "partial", 7), 7);
        return EIO;
    });
    EXPECT_EQ(error, EIO);
    EXPECT_EQ(readFile(QStringLiteral("dst/old.txt")), "new content");
    EXPECT_EQ(entries(QStringLiteral("dst")), QStringList{"old.txt"});

    // A missing source changes nothing either.
    EXPECT_EQ(into.copyFile(path(QStringLiteral("gone")), QStringLiteral("old.txt")), ENOENT);
    EXPECT_EQ(readFile(QStringLiteral("dst/old.txt")), "new content");
}

TEST_F(TargetFolderTest, NeverWritesOutsideItsFolder)
{
    const QString source = writeFile(QStringLiteral("a.txt"), "A");
    makeDir(QStringLiteral("dst"));
    makeDir(QStringLiteral("elsewhere"));
    // A link inside the folder that leads to a folder outside it.
    ASSERT_EQ(::symlink(QFile::encodeName(path(QStringLiteral("elsewhere"))).constData(),
                        QFile::encodeName(path(QStringLiteral("dst/sub"))).constData()),
              0);
    writeFile(QStringLiteral("dst/plain"), "a file, not a folder");

    TargetFolder into(path(QStringLiteral("dst")));
    const int linked = into.copyFile(source, QStringLiteral("sub/a.txt"));
    EXPECT_TRUE(linked == ELOOP || linked == ENOTDIR) << linked;
    EXPECT_EQ(into.copyFile(source, QStringLiteral("plain/a.txt")), ENOTDIR);
    EXPECT_EQ(into.copyFile(source, QStringLiteral("../a2.txt")), EINVAL);
    EXPECT_EQ(into.copyFile(source, QStringLiteral("x/../../a3.txt")), EINVAL);
    EXPECT_EQ(into.copyFile(source, QStringLiteral("..")), EINVAL);
    EXPECT_EQ(entries(QStringLiteral("elsewhere")), QStringList());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a2.txt"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a3.txt"))));

    // A folder in the way of a file is not replaced.
    makeDir(QStringLiteral("dst/taken"));
    EXPECT_EQ(into.entry(QStringLiteral("taken")), TargetFolder::Entry::Folder);
    EXPECT_EQ(into.copyFile(source, QStringLiteral("taken")), EISDIR);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("dst/taken"))).isDir());

    // A link as the file itself is replaced, not followed.
    const QString outside = writeFile(QStringLiteral("outside.txt"), "keep me");
    ASSERT_EQ(::symlink(QFile::encodeName(outside).constData(),
                        QFile::encodeName(path(QStringLiteral("dst/link.txt"))).constData()),
              0);
    EXPECT_EQ(into.entry(QStringLiteral("link.txt")), TargetFolder::Entry::File);
    ASSERT_EQ(into.copyFile(source, QStringLiteral("link.txt")), 0);
    EXPECT_EQ(readFile(QStringLiteral("outside.txt")), "keep me");
    EXPECT_EQ(readFile(QStringLiteral("dst/link.txt")), "A");
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("dst/link.txt"))).isSymLink());
}
