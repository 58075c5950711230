#include "rename/core/PathIndex.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

using namespace ardl;

TEST(PathIndex, KeepsTheFirstNumberOfAPathAndGrowsPastTheCountItWasMadeFor)
{
    std::vector<QString> paths;
    for (int i = 0; i < 1000; ++i)
        paths.push_back(QStringLiteral("/folder/file %1").arg(i));
    PathIndex index(2);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(index.insert(paths[size_t(i)], PathIndex::hashOf(paths[size_t(i)]), i), -1);
    for (int i = 0; i < 1000; ++i) {
        const QString copy = QString(paths[size_t(i)]); // equal text, other memory
        EXPECT_EQ(index.find(copy, PathIndex::hashOf(copy)), i);
        EXPECT_EQ(index.insert(copy, PathIndex::hashOf(copy), 5000 + i), i);
    }
    const QString absent = QStringLiteral("/folder/file 1000");
    EXPECT_EQ(index.find(absent, PathIndex::hashOf(absent)), -1);
    const QString prefix = QStringLiteral("/folder/file 1");
    EXPECT_EQ(index.find(QStringView(prefix).left(8), PathIndex::hashOf(QStringView(prefix).left(8))), -1);
}

TEST(PathIndex, TellsPathsApartByTheirTextWhenTheirHashesMeet)
{
    // Every path under one made-up hash: only the text can tell them apart.
    const std::vector<QString> paths = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("\u00e9")};
    PathIndex index(3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(index.insert(paths[size_t(i)], 42, i), -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(index.find(paths[size_t(i)], 42), i);
    EXPECT_EQ(index.find(QStringLiteral("c"), 42), -1);
}
