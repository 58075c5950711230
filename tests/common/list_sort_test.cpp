#include "common/core/ListCells.h"
#include "common/core/ListSort.h"
#include "common/core/modGlobal.h"
#include "support/TestSupport.h"

using namespace ardl;

namespace {

// A model whose column 2 holds `values`; column 1 numbers the rows.
void fill(ListViewModel &model, const QStringList &values)
{
    model.clear();
    model.setColumns({ListColumn(QStringLiteral("Row")), ListColumn(QStringLiteral("Value"))});
    std::vector<ListRow> rows;
    for (qsizetype i = 0; i < values.size(); ++i)
        rows.push_back(ListRow{{QString::number(i), values[i]}, {}, {}, {}, {}});
    model.addRows(std::move(rows));
}

QStringList column(const ListViewModel &model, int cell)
{
    QStringList out;
    for (const ListRow &r : model.rows())
        out << r.cells.value(cell);
    return out;
}

class ListSort : public ::testing::Test {
protected:
    void SetUp() override { SetSortAscending(false); }
    void TearDown() override { SetSortAscending(false); }
    ListViewModel model;
};

} // namespace

TEST_F(ListSort, NumberColumnFirstClickDescendsSecondAscendsOtherColumnKeepsDirection)
{
    fill(model, {QStringLiteral("10"), QStringLiteral("-5"), QStringLiteral("2.5"), QStringLiteral("-10")});
    int last = 0;
    EXPECT_EQ(SortListRows(model, last, 2, QStringLiteral("NUMBER")), Qt::DescendingOrder);
    EXPECT_EQ(column(model, 1), (QStringList{"10", "2.5", "-5", "-10"}));   // texts unchanged
    EXPECT_EQ(last, 2);
    EXPECT_EQ(SortListRows(model, last, 2, QStringLiteral("number")), Qt::AscendingOrder);
    EXPECT_EQ(column(model, 1), (QStringList{"-10", "-5", "2.5", "10"}));
    // Another column keeps the direction in force; the row texts sort as text.
    EXPECT_EQ(SortListRows(model, last, 1, QString()), Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0), (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(last, 1);
}

TEST_F(ListSort, CellsThatAreNoNumbersOrDatesSortAfterThemAsText)
{
    fill(model, {QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("3000000000"), QStringLiteral(" 7 "),
                 QStringLiteral("12 KB"), QStringLiteral("1e3"), QStringLiteral("inf")});
    int last = 2;
    SortListRows(model, last, 2, QStringLiteral("NUMBER"));   // same column: ascending
    EXPECT_EQ(column(model, 1),
              (QStringList{"", " 7 ", "1e3", "3000000000", "12 KB", "abc", "inf"}));

    fill(model, {QStringLiteral("2024-10-01 00:00:00"), QStringLiteral("2024-9-30 23:59:59"),
                 QStringLiteral("n/a"), QStringLiteral("2023-12-31T08:00"), QStringLiteral("2024-02-30 00:00:00"),
                 QStringLiteral("2024-09-30 23:59:58")});
    last = 0;
    SetSortAscending(false);
    SortListRows(model, last, 2, QStringLiteral("DATE"));   // descending, by time not by text
    EXPECT_EQ(column(model, 1),
              (QStringList{"n/a", "2024-02-30 00:00:00", "2024-10-01 00:00:00", "2024-9-30 23:59:59",
                           "2024-09-30 23:59:58", "2023-12-31T08:00"}));
}

TEST_F(ListSort, TextIgnoresCaseAndKeepsTheOrderOfEqualRows)
{
    fill(model, {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("c")});
    const std::vector<int> up = SortedRowOrder(model.rows(), 1, SortKind::Text, Qt::AscendingOrder);
    EXPECT_EQ(up, (std::vector<int>{1, 2, 0, 3, 4}));
    const std::vector<int> down = SortedRowOrder(model.rows(), 1, SortKind::Text, Qt::DescendingOrder);
    EXPECT_EQ(down, (std::vector<int>{4, 0, 3, 1, 2}));
    // A column beyond a row's cells counts as empty.
    EXPECT_EQ(SortedRowOrder(model.rows(), 7, SortKind::Number, Qt::AscendingOrder),
              (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(ListCells, DateAndSizeTextsReadBackExactly)
{
    const QDateTime when(QDate(2009, 3, 7), QTime(4, 5, 6));
    EXPECT_EQ(FormatDateCell(when), QStringLiteral("2009-03-07 04:05:06"));
    EXPECT_EQ(ParseDateCell(FormatDateCell(when)), when);
    EXPECT_EQ(ParseDateCell(u"2009-3-7"), QDateTime(QDate(2009, 3, 7), QTime(0, 0)));
    EXPECT_FALSE(ParseDateCell(u"07/03/2009 04:05:06").isValid());
    EXPECT_FALSE(ParseDateCell(u"2009-03-07 25:00").isValid());
    EXPECT_EQ(FormatDateCell(QDateTime()), QString());
    EXPECT_EQ(DateCellKey(u"2009-03-07 04:05:06"), 20090307040506LL);

    EXPECT_EQ(FormatSizeCell(3000000000LL), QStringLiteral("3000000000"));
    EXPECT_EQ(ParseSizeCell(u" 3000000000 "), 3000000000LL);
    EXPECT_EQ(ParseSizeCell(u""), 0);
    EXPECT_EQ(ParseSizeCell(u"12 KB"), 0);
}

TEST(SizeRound, RoundsUpOnTheFirstDecimalDigitOnly)
{
    EXPECT_EQ(SizeRound(2.5), 3);
    EXPECT_EQ(SizeRound(2.01), 2);
    EXPECT_EQ(SizeRound(2.1), 3);
    EXPECT_EQ(SizeRound(5.1), 6);    // 5.1 is 5.0999... in binary
    EXPECT_EQ(SizeRound(7), 7);
    EXPECT_EQ(SizeRound(0.04), 0);
    EXPECT_EQ(SizeRound(0.1), 1);
    EXPECT_EQ(SizeRound(-2.5), -1);
    EXPECT_EQ(SizeRound(3000000000.5), 3000000001LL);
}
