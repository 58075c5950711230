#include "platform/settings/RecentList.h"
#include "platform/settings/modRegistry.h"
#include "support/TestSupport.h"

using namespace ardl;

namespace {

const QString DirList = ProgramKey + QStringLiteral("Split\\Dir");
const QString LeftList = ProgramKey + QStringLiteral("Sync\\RootLeft");

QString entry(const QString &fullKey, int i)
{
    return QueryValue(fullKey + QStringLiteral("\\Recent") + QString::number(i), QString()).toString();
}

void store(const QString &fullKey, int count, const QStringList &entries)
{
    CreateNewKey(fullKey);
    SetKeyValue(fullKey, QString(), count, REG_DWORD);
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = fullKey + QStringLiteral("\\Recent") + QString::number(i + 1);
        CreateNewKey(key);
        SetKeyValue(key, QString(), entries[i], REG_SZ);
    }
}

QStringList numbered(const QString &prefix, int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << prefix + QString::number(i);
    return out;
}

} // namespace

TEST(RecentList, FirstLoadCreatesTheListWithItsDefaultCount)
{
    EXPECT_TRUE(RecentListEntries(QStringLiteral("Split\\Dir"), 10).isEmpty());
    EXPECT_EQ(QueryValue(DirList, QString()), RegValue::dword(10));
    EXPECT_TRUE(RecentListEntries(QStringLiteral("Sync\\Filter"), 5).isEmpty());
    EXPECT_EQ(QueryValue(ProgramKey + QStringLiteral("Sync\\Filter"), QString()).toInt(), 5);
}

TEST(RecentList, LoadGivesStoredEntriesNewestFirstSkippingEmptyOnes)
{
    store(DirList, 4, {QStringLiteral("/a/"), QString(), QStringLiteral("/c/")});
    EXPECT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), (QStringList{QStringLiteral("/a/"), QStringLiteral("/c/")}));
}

TEST(RecentList, DamagedCountsNeverMakeALongLoopAndZeroIsReset)
{
    store(DirList, 2000000000, {QStringLiteral("/a/")});
    EXPECT_EQ(RecentCount(DirList), MaxRecentCount);
    EXPECT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), QStringList{QStringLiteral("/a/")});

    store(DirList, 0, {QStringLiteral("/a/")});
    EXPECT_TRUE(RecentListEntries(QStringLiteral("Split\\Dir"), 10).isEmpty());
    EXPECT_EQ(RecentCount(DirList), 10);

    store(DirList, -7, {});
    EXPECT_EQ(RecentCount(DirList), 0);
    SetKeyValue(DirList, QString(), QStringLiteral("garbage"), REG_SZ);
    EXPECT_EQ(RecentCount(DirList), 0);
}

TEST(RecentList, NewChoiceGoesOnTopAndTheOldestFallsOut)
{
    const QStringList old = numbered(QStringLiteral("/d"), 10);
    store(DirList, 10, old);
    QStringList items = old;
    SaveDirectory(QStringLiteral("/new"), items, DirList);
    EXPECT_EQ(items.first(), QStringLiteral("/new"));
    EXPECT_EQ(items.size(), 11);   // the drop-down is not trimmed while running
    EXPECT_EQ(entry(DirList, 1), QStringLiteral("/new"));
    EXPECT_EQ(entry(DirList, 2), QStringLiteral("/d1"));
    EXPECT_EQ(entry(DirList, 10), QStringLiteral("/d9"));
    EXPECT_TRUE(entry(DirList, 11).isEmpty());

    // Choosing one already listed changes neither the store nor the order.
    SaveDirectory(QStringLiteral("/d5"), items, DirList);
    EXPECT_EQ(items.first(), QStringLiteral("/new"));
    EXPECT_EQ(entry(DirList, 1), QStringLiteral("/new"));
}

TEST(RecentList, WithoutACountOnlyTheFirstEntryIsReplaced)
{
    store(DirList, 0, {QStringLiteral("/a"), QStringLiteral("/b")});
    QStringList items;
    SaveDirectory(QStringLiteral("/z"), items, DirList);
    EXPECT_EQ(entry(DirList, 1), QStringLiteral("/z"));
    EXPECT_EQ(entry(DirList, 2), QStringLiteral("/b"));
}

TEST(RecentList, EntriesWithPartsMoveToTheTopWithTheirNewFields)
{
    store(LeftList, 10, {QStringLiteral("Dir|/one/||"), QStringLiteral("Ftp|host|/pub|bob|pw|0|21"),
                         QStringLiteral("Dir|/three/||")});
    QStringList items{QStringLiteral("/one/"), QStringLiteral("host"), QStringLiteral("/three/")};
    QStringList companion{QStringLiteral("/one/|Dir||"), QStringLiteral("host|Ftp|/pub|bob|pw|0|21"),
                          QStringLiteral("/three/|Dir||")};

    RecentParts ftp{QStringLiteral("/pub"), QStringLiteral("Ftp"), QStringLiteral("alice|pw2|0|2121")};
    SaveDirectory(QStringLiteral("host"), items, LeftList, ftp, &companion);
    EXPECT_EQ(entry(LeftList, 1), QStringLiteral("Ftp|host|/pub|alice|pw2|0|2121"));
    EXPECT_EQ(entry(LeftList, 2), QStringLiteral("Dir|/one/||"));
    EXPECT_EQ(entry(LeftList, 3), QStringLiteral("Dir|/three/||"));
    EXPECT_EQ(items.size(), 3);   // the lists themselves keep their order
    EXPECT_EQ(companion[1], QStringLiteral("host|Ftp|/pub|bob|pw|0|21"));

    RecentParts dir{std::nullopt, QStringLiteral("Dir"), QStringLiteral("|")};
    SaveDirectory(QStringLiteral("/four/"), items, LeftList, dir, &companion);
    EXPECT_EQ(entry(LeftList, 1), QStringLiteral("Dir|/four/||"));
    EXPECT_EQ(items.first(), QStringLiteral("/four/"));
    EXPECT_EQ(companion.first(), QStringLiteral("/four/|Dir||"));
}

TEST(RecentList, ListedTextWithNoStoredEntryIsStoredAgainNotLost)
{
    store(LeftList, 2, {QStringLiteral("Dir|/a/||"), QStringLiteral("Dir|/b/||")});
    QStringList items{QStringLiteral("/gone/"), QStringLiteral("/a/"), QStringLiteral("/b/")};
    QStringList companion = items;
    SaveDirectory(QStringLiteral("/gone/"), items, LeftList,
                  RecentParts{std::nullopt, QStringLiteral("Dir"), QStringLiteral("|")}, &companion);
    EXPECT_EQ(entry(LeftList, 1), QStringLiteral("Dir|/gone/||"));
    EXPECT_EQ(entry(LeftList, 2), QStringLiteral("Dir|/a/||"));
}
