#include "common/core/ListSort.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "support/TestSupport.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using namespace ardl;

namespace {

class SortListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSortAscending(false);
        list.setColumns({ListColumn(QStringLiteral("Files")), ListColumn(QStringLiteral("Size"), QStringLiteral("NUMBER")),
                         ListColumn(QStringLiteral("Date"), QStringLiteral("DATE"))});
        std::vector<ListRow> rows;
        rows.push_back(ListRow{{"b.txt", "10", "2024-01-05 10:00:00"}, {}, {}, QStringLiteral("b"), {}});
        rows.push_back(ListRow{{"a.txt", "2.5", "2023-06-01 09:00:00"}, {}, {}, QStringLiteral("a"), {}});
        rows.push_back(ListRow{{"c.txt", "-5", "2024-11-30 23:00:00"}, {}, {}, QStringLiteral("c"), {}});
        list.rows().addRows(std::move(rows));
    }
    void TearDown() override { SetSortAscending(false); }

    QStringList keys() const
    {
        QStringList out;
        for (const ListRow &r : list.rows().rows())
            out << r.key;
        return out;
    }

    ListView list;
    int lastSort = 1;
};

} // namespace

TEST_F(SortListViewTest, SortsSetsAlignmentsAndMarksTheSortedHeader)
{
    list.selectionModel()->select(list.rows().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    SortListView(&list, lastSort, 2, 2, QStringLiteral("NUMBER"), QStringLiteral("L|R|C"));
    EXPECT_EQ(keys(), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(lastSort, 2);
    EXPECT_TRUE(list.header()->isSortIndicatorShown());
    EXPECT_EQ(list.header()->sortIndicatorSection(), 1);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(list.rows().column(0).alignment, Qt::AlignLeft);
    EXPECT_EQ(list.rows().column(1).alignment, Qt::AlignRight);
    EXPECT_EQ(list.rows().column(2).alignment, Qt::AlignHCenter);

    SortListView(&list, lastSort, 3, 2, QStringLiteral("DATE"), QStringLiteral("L|X|R"));
    EXPECT_EQ(keys(), (QStringList{"c", "b", "a"}));
    EXPECT_EQ(list.header()->sortIndicatorSection(), 2);
    EXPECT_EQ(list.rows().column(1).alignment, Qt::AlignLeft);   // "X" keeps the one before
    EXPECT_EQ(list.selectedRows(), QList<int>{2});   // the selection moves with its row
    SortListView(&list, lastSort, 3, 2, QStringLiteral("DATE"), QStringLiteral("L|R|R"));
    EXPECT_EQ(keys(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(SortListViewTest, HeaderClicksAreReportedOneBased)
{
    list.resize(600, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &ListView::ColumnClick);
    QHeaderView *header = list.header();
    const QPoint middle(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 2);
}
