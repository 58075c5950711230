#include "zip/core/EntryNames.h"

#include "support/TestSupport.h"

using namespace ardl;

TEST(EntryNames, NamesThatLeadOutsideTheTargetAreRefused)
{
    QString why;
    for (const char *name : {"../e1", "/e2", "a/../../e3", "..\\e4", "a\\..\\..\\e5", "C:/e6", "c:e7", "\\e8",
                             "", "./", "a/.."}) {
        EXPECT_TRUE(SafeEntryParts(QString::fromUtf8(name), &why).isEmpty()) << name;
        EXPECT_FALSE(why.isEmpty()) << name;
    }
    EXPECT_EQ(SafeEntryParts("docs/read me.txt"), QStringList({"docs", "read me.txt"}));
    EXPECT_EQ(SafeEntryParts("./a//b\\c.txt"), QStringList({"a", "b", "c.txt"}));
    EXPECT_EQ(SafeEntryParts("a..b/..c"), QStringList({"a..b", "..c"}));
}

TEST(EntryNames, FilesAreNamedByPathOrByNameAndIn83Form)
{
    EXPECT_EQ(EntryNameForFile("/home/u/doc/x.txt", false, false), QStringLiteral("home/u/doc/x.txt"));
    EXPECT_EQ(EntryNameForFile("/home/u/doc/x.txt", true, false), QStringLiteral("x.txt"));
    EXPECT_EQ(EntryNameForFile("/home/u/My Documents/Long Name.jpeg", false, true),
              QStringLiteral("HOME/U/MY_DOCUM/LONG_NAM.JPE"));
    EXPECT_EQ(DosNamePart("archive.tar.gz"), QStringLiteral("ARCHIVE_.GZ"));
    EXPECT_EQ(DosNamePart(".profile"), QStringLiteral("PROFILE"));
    EXPECT_EQ(DosNamePart("été+1.txt"), QStringLiteral("_T__1.TXT"));
    EXPECT_EQ(DosNamePart("..."), QStringLiteral("_"));
}

TEST(EntryNames, ANamePicksItsEntryAWildcardPicksEveryMatch)
{
    std::vector<ZipEntry> entries(5);
    const char *names[] = {"a.txt", "docs/b.txt", "docs/c.md", "*.txt", "docs/"};
    for (int i = 0; i < 5; ++i) {
        entries[size_t(i)].index = i;
        entries[size_t(i)].name = QString::fromUtf8(names[i]);
        entries[size_t(i)].rawName = names[i];
    }
    auto picked = [&](const QStringList &wanted, QStringList *unmatched = nullptr) {
        QStringList out;
        for (const ZipEntry *e : SelectEntries(entries, wanted, unmatched))
            out << e->name;
        return out;
    };
    // An entry literally named "*.txt" is picked alone by its name.
    EXPECT_EQ(picked({"*.txt"}), QStringList({"*.txt"}));
    EXPECT_EQ(picked({"*.TXT"}), QStringList({"a.txt", "docs/b.txt", "*.txt"}));
    EXPECT_EQ(picked({"docs/*"}), QStringList({"docs/b.txt", "docs/c.md", "docs/"}));
    EXPECT_EQ(picked({"b.txt", "a.txt", "a.txt"}), QStringList({"a.txt", "docs/b.txt"}));
    QStringList unmatched;
    EXPECT_TRUE(picked({"nope.txt", ""}, &unmatched).isEmpty());
    EXPECT_EQ(unmatched, QStringList({"nope.txt", ""}));
}
