#include "common/core/modFile.h"
#include "common/core/modGlobal.h"
#include "common/core/modString.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

using namespace ardl;

TEST(PathHelpers, ExtensionAndBaseNameLookInTheFileNameOnly)
{
    EXPECT_EQ(GetFileExtension(QStringLiteral("archive.tar.gz")), QStringLiteral("gz"));
    EXPECT_EQ(GetFileBaseName(QStringLiteral("archive.tar.gz")), QStringLiteral("archive.tar"));
    EXPECT_EQ(GetFileExtension(QStringLiteral("name.")), QString());
    EXPECT_EQ(GetFileExtension(QStringLiteral(".cfg")), QString());
    EXPECT_EQ(GetFileBaseName(QStringLiteral(".cfg")), QStringLiteral(".cfg"));
    // A "." in a folder name is not an extension.
    EXPECT_EQ(GetFileBaseName(QStringLiteral("/x.y/file")), QStringLiteral("/x.y/file"));
    EXPECT_EQ(GetFileExtension(QStringLiteral("/x.y/file")), QString());
    EXPECT_EQ(GetFileBaseName(QStringLiteral("/home/a.b/.bashrc")), QStringLiteral("/home/a.b/.bashrc"));
    EXPECT_EQ(GetFileBaseName(QStringLiteral("/d/photo.jpeg")), QStringLiteral("/d/photo"));
}

TEST(PathHelpers, SplittingAtTheSeparator)
{
    EXPECT_EQ(GetFileName(QStringLiteral("/dir/")), QString());
    EXPECT_EQ(GetFileName(QStringLiteral("file.txt")), QStringLiteral("file.txt"));
    EXPECT_EQ(GetFileName(QStringLiteral("/a/b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(PathWithOutFile(QStringLiteral("file.txt")), QString());
    EXPECT_EQ(PathWithOutFile(QStringLiteral("/a/b.txt")), QStringLiteral("/a/"));
    EXPECT_EQ(PathWithOutFile(QStringLiteral("/a/")), QStringLiteral("/a/"));
    EXPECT_EQ(AddBackslash(QString()), QString());
    EXPECT_EQ(AddBackslash(QStringLiteral("/a")), QStringLiteral("/a/"));
    EXPECT_EQ(AddBackslash(QStringLiteral("/a/")), QStringLiteral("/a/"));
    EXPECT_EQ(LastPath(QStringLiteral("/a/b/f.txt")), QStringLiteral("b"));
    EXPECT_EQ(LastPath(QStringLiteral("file.txt")), QStringLiteral("file.txt"));
    EXPECT_EQ(StripDriveRoot(QStringLiteral("/a/b")), QStringLiteral("a/b"));
    EXPECT_EQ(StripDriveRoot(QStringLiteral("a/b")), QStringLiteral("a/b"));
}

class FileSystemHelpers : public test::TempDirTest {};

TEST_F(FileSystemHelpers, ExistenceDoesNotNeedReadAccessNorMoveTheCurrentFolder)
{
    const QString file = writeFile(QStringLiteral("f.txt"), "x");
    QFile::setPermissions(file, QFileDevice::WriteOwner);   // not readable
    const QString cwd = QDir::currentPath();

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(path()));               // a folder is not a file
    EXPECT_FALSE(FileExists(path(QStringLiteral("missing"))));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(FolderExists(path()));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(QString()));
    EXPECT_EQ(QDir::currentPath(), cwd);
}

TEST_F(FileSystemHelpers, CreateFolderTreeCreatesUpToTheLastSeparator)
{
    EXPECT_TRUE(CreateFolderTree(path(QStringLiteral("a/b/"))));
    EXPECT_TRUE(FolderExists(path(QStringLiteral("a/b"))));
    EXPECT_TRUE(CreateFolderTree(path(QStringLiteral("c/d"))));
    EXPECT_TRUE(FolderExists(path(QStringLiteral("c"))));
    EXPECT_FALSE(FolderExists(path(QStringLiteral("c/d"))));
    // A file in the way makes it fail instead of pretending.
    writeFile(QStringLiteral("e"), "x");
    EXPECT_FALSE(CreateFolderTree(path(QStringLiteral("e/f/"))));
}

TEST(FieldHelpers, ListPosTrimsAndCountsFields)
{
    const QString bar = QStringLiteral("|");
    EXPECT_EQ(sListPos(QStringLiteral("a|b|"), bar, 3), QString());
    EXPECT_EQ(sListPos(QStringLiteral(" x | y "), bar, 2), QStringLiteral("y"));
    EXPECT_EQ(sListPos(QStringLiteral("abc"), bar, 1), QStringLiteral("abc"));
    EXPECT_EQ(sListPos(QStringLiteral("abc"), bar, 2), QString());
    EXPECT_EQ(sListPos(QStringLiteral("a||c"), bar, 2), QString());
    EXPECT_EQ(sListPos(QStringLiteral("a||c"), bar, 3), QStringLiteral("c"));
    EXPECT_EQ(sListPos(QStringLiteral("a|b"), bar, 0), QString());
    EXPECT_EQ(sListPos(QStringLiteral("a|b"), QString(), 1), QString());
    EXPECT_EQ(sListPos(QStringLiteral("/x/a -> /x/b"), QStringLiteral("->"), 2), QStringLiteral("/x/b"));
    // Tabs are not spaces: only spaces are trimmed.
    EXPECT_EQ(sListPos(QStringLiteral("\ta "), bar, 1), QStringLiteral("\ta"));
}

TEST(FieldHelpers, LongTextsKeepTheirPositions)
{
    const QString longText = QString(70000, u'a') + QChar(u'\0') + QStringLiteral("tail");
    EXPECT_EQ(TrimNull(longText).size(), 70000);
    EXPECT_EQ(BInStr(QString(40000, u'x') + u'.', QStringLiteral(".")), 40001);
    EXPECT_EQ(InvNumber(QString(40000, u'0')), QString(40000, u'9'));
    EXPECT_EQ(sListPos(QString(50000, u'b') + QStringLiteral("|c"), QStringLiteral("|"), 2), QStringLiteral("c"));
}

TEST(FieldHelpers, CharacterAndWordReplacement)
{
    EXPECT_EQ(ReplaceCar(QStringLiteral("a_b_c"), QStringLiteral("_"), QStringLiteral(" - ")), QStringLiteral("a - b - c"));
    EXPECT_EQ(ReplaceCar(QStringLiteral("a_b"), QStringLiteral("_"), QString()), QStringLiteral("ab"));
    EXPECT_EQ(ReplaceCar(QStringLiteral("a_b"), QStringLiteral("__"), QStringLiteral("x")), QStringLiteral("a_b"));

    const QString photo = QStringLiteral("Photo photo");
    EXPECT_EQ(ReplaceWord(photo, QStringLiteral("PHOTO"), QStringLiteral("Pic"), 0), QStringLiteral("Pic photo"));
    EXPECT_EQ(ReplaceWord(photo, QStringLiteral("PHOTO"), QStringLiteral("Pic"), -1), photo);
    EXPECT_EQ(ReplaceWord(photo, QStringLiteral("photo"), QStringLiteral("Pic"), -1), QStringLiteral("Photo Pic"));
    EXPECT_EQ(ReplaceWord(photo, QStringLiteral("photo"), QStringLiteral("Pic"), 1), photo);
    EXPECT_EQ(ReplaceWord(QStringLiteral("abc"), QString(), QStringLiteral("X"), -1), QStringLiteral("Xabc"));
    EXPECT_EQ(ReplaceWord(QString(), QStringLiteral("a"), QStringLiteral("X"), -1), QString());
    // Case folding that changes length ("ß" upper-cases to "SS") must not shift the cut.
    EXPECT_EQ(ReplaceWord(QStringLiteral("straße x"), QStringLiteral("X"), QStringLiteral("y"), 0), QStringLiteral("straße y"));
}

TEST(FieldHelpers, NumbersForSortKeysAndFolderKinds)
{
    EXPECT_EQ(InvNumber(QStringLiteral("-012.5")), QStringLiteral(" 987.4"));
    EXPECT_EQ(BInStr(QStringLiteral("a.b.c"), QStringLiteral(".")), 4);
    EXPECT_EQ(BInStr(QStringLiteral("abc"), QStringLiteral(".")), 0);
    EXPECT_EQ(BInStr(QStringLiteral("a..b"), QStringLiteral("..")), 0);
    EXPECT_EQ(GetFolderValue(1), 0);
    EXPECT_EQ(GetFolderValue(11), 11);
    EXPECT_EQ(GetFolderValue(13), 17);
}

TEST(FormatString, PlaceholdersCountEveryPercentPair)
{
    EXPECT_EQ(FormatString(QStringLiteral("%s of %s"), 3, QString()), QStringLiteral("3 of "));
    EXPECT_EQ(FormatString(QStringLiteral("100%")), QStringLiteral("100"));
    EXPECT_EQ(FormatString(QStringLiteral("%% and %s"), "a", "b"), QStringLiteral("% and b"));
    EXPECT_EQ(FormatString(QStringLiteral("%d%S"), "a", "b"), QStringLiteral("b"));
    EXPECT_EQ(FormatString(QStringLiteral("%s Files Added"), qint64(3000000000)), QStringLiteral("3000000000 Files Added"));
    // More placeholders than arguments: the missing ones are empty.
    EXPECT_EQ(FormatString(QStringLiteral("[%s|%s]"), "x"), QStringLiteral("[x|]"));
    EXPECT_EQ(FormatString(QStringLiteral("%s%s%s%s%s%s"), 1, 2, 3, 4, 5), QStringLiteral("12345"));
}

TEST(ProperCase, WordsStartAfterAnythingThatIsNotALetter)
{
    EXPECT_EQ(ProperCase(QStringLiteral("hello world")), QStringLiteral("Hello World"));
    EXPECT_EQ(ProperCase(QStringLiteral("o'neil")), QStringLiteral("O'Neil"));
    EXPECT_EQ(ProperCase(QStringLiteral("a1b")), QStringLiteral("A1B"));
    EXPECT_EQ(ProperCase(QStringLiteral("x  y")), QStringLiteral("X  Y"));
    EXPECT_EQ(ProperCase(QStringLiteral("HELLO-WORLD")), QStringLiteral("Hello-World"));
    EXPECT_EQ(ProperCase(QStringLiteral("élan über ångström")), QStringLiteral("Élan Über Ångström"));
    EXPECT_EQ(ProperCase(QStringLiteral("café au lait")), QStringLiteral("Café Au Lait"));
    EXPECT_EQ(ProperCase(QString()), QString());
}
