#include "common/core/colFile.h"
#include "support/TestSupport.h"

using namespace ardl;

namespace {
const QDateTime When(QDate(2024, 5, 6), QTime(7, 8, 9));
}

TEST(colFile, KeepsInsertionOrderAndDropsExactDuplicatesOnly)
{
    colFile files;
    EXPECT_TRUE(files.Add(QStringLiteral("/d/x1"), 23, When));
    EXPECT_TRUE(files.Add(QStringLiteral("/d/x12"), 3, When));       // fields never run together
    EXPECT_TRUE(files.Add(QStringLiteral("/d/A.txt"), 1, When));
    EXPECT_TRUE(files.Add(QStringLiteral("/d/a.txt"), 1, When));      // names compare with case
    EXPECT_TRUE(files.Add(QStringLiteral("/d/x1"), 23, When.addSecs(1)));
    EXPECT_FALSE(files.Add(QStringLiteral("/d/x1"), 23, When.addMSecs(400)));   // same second: same file
    ASSERT_EQ(files.Count(), 5);
    EXPECT_EQ(files.Item(1).Name, QStringLiteral("/d/x1"));
    EXPECT_EQ(files.Item(4).Name, QStringLiteral("/d/a.txt"));
    EXPECT_TRUE(files.Contains(QStringLiteral("/d/x12"), 3, When));
    EXPECT_FALSE(files.Contains(QStringLiteral("/d/x12"), 4, When));

    files.Remove(1);
    EXPECT_EQ(files.Count(), 4);
    EXPECT_FALSE(files.Contains(QStringLiteral("/d/x1"), 23, When));
    EXPECT_TRUE(files.Add(QStringLiteral("/d/x1"), 23, When));   // can come back after removal
    EXPECT_FALSE(files.Add(QStringLiteral("/d/a.txt"), 1, When));
}

TEST(colFile, SizesAreSixtyFourBitAndZipFiguresAreKept)
{
    colFile files;
    files.AddZip(QStringLiteral("dir/big.iso"), 3000000000LL, When, 42, 1740000000LL);
    files.Add(QStringLiteral("/e/4g"), 4294967296LL, When);
    EXPECT_EQ(files.Item(1).Size, 3000000000LL);
    EXPECT_EQ(files.Item(1).CompressedSize, 1740000000LL);
    EXPECT_EQ(files.Item(1).Ratio, 42);
    EXPECT_EQ(files.Item(2).Size, 4294967296LL);
    qint64 total = 0;
    for (const clsFile &f : files)
        total += f.Size;
    EXPECT_EQ(total, 7294967296LL);
}

TEST(colFile, FilesAppendedUncheckedAreFoundLaterAndNamesShownAlikeStayApart)
{
    std::vector<clsFile> listed;
    listed.push_back(clsFile{QStringLiteral("/d/a"), 1, When, 0, 0, {}});
    // Two files whose names show alike: they differ by their raw bytes.
    listed.push_back(clsFile{QStringLiteral("/d/\uFFFD"), 1, When, 0, 0, QByteArray("/d/\xff")});
    listed.push_back(clsFile{QStringLiteral("/d/\uFFFD"), 1, When, 0, 0, QByteArray("/d/\xfd")});
    colFile files;
    files.AppendDistinct(std::move(listed));
    ASSERT_EQ(files.Count(), 3);
    EXPECT_TRUE(files.Contains(QStringLiteral("/d/a"), 1, When));
    EXPECT_FALSE(files.Contains(QStringLiteral("/d/\uFFFD"), 1, When));   // no file has that exact name
    EXPECT_FALSE(files.Add(QStringLiteral("/d/a"), 1, When));
    EXPECT_FALSE(files.Add(clsFile{QStringLiteral("/d/\uFFFD"), 1, When, 0, 0, QByteArray("/d/\xfd")}));
    EXPECT_TRUE(files.Add(QStringLiteral("/d/\uFFFD"), 1, When));   // a real file of that name
    EXPECT_EQ(files.Count(), 4);
    files.Remove(1);
    EXPECT_FALSE(files.Add(clsFile{QStringLiteral("/d/\uFFFD"), 1, When, 0, 0, QByteArray("/d/\xff")}));
    EXPECT_TRUE(files.Add(QStringLiteral("/d/a"), 1, When));
}
