#include "ListSort.h"

#include "ListCells.h"

#include <algorithm>
#include <numeric>

namespace ardl {

namespace {

bool g_ascending = false;

// Where a cell falls: empty cells first, then numbers or dates by value,
// then any other text.
enum Rank { Empty = 0, Value = 1, Text = 2 };

struct SortKey {
    Rank rank = Empty;
    long double value = 0;
    const QString *text = nullptr;
};

SortKey keyOf(const QString &cell, SortKind kind)
{
    SortKey key;
    key.text = &cell;
    if (cell.isEmpty())
        return key;
    key.rank = Text;
    if (kind == SortKind::Number) {
        if (const auto n = ParseNumberCell(cell)) {
            key.rank = Value;
            key.value = *n;
        }
    } else if (kind == SortKind::Date) {
        if (const auto d = DateCellKey(cell)) {
            key.rank = Value;
            key.value = static_cast<long double>(*d);
        }
    }
    return key;
}

int compareKeys(const SortKey &a, const SortKey &b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank ? -1 : 1;
    if (a.rank == Value)
        return a.value < b.value ? -1 : (b.value < a.value ? 1 : 0);
    if (a.rank == Text)
        return QString::compare(*a.text, *b.text, Qt::CaseInsensitive);
    return 0;
}

const QString &cellOf(const ListRow &row, int cellIndex)
{
    static const QString empty;
    return cellIndex >= 0 && cellIndex < row.cells.size() ? row.cells[cellIndex] : empty;
}

} // namespace

SortKind SortKindOf(const QString &columnType)
{
    const QString t = columnType.toUpper();
    if (t == QLatin1String("NUMBER"))
        return SortKind::Number;
    if (t == QLatin1String("DATE"))
        return SortKind::Date;
    return SortKind::Text;
}

std::vector<int> SortedRowOrder(const std::vector<ListRow> &rows, int cellIndex, SortKind kind,
                                Qt::SortOrder order)
{
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (const ListRow &row : rows)
        keys.push_back(keyOf(cellOf(row, cellIndex), kind));
    std::vector<int> result(rows.size());
    std::iota(result.begin(), result.end(), 0);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(result.begin(), result.end(), [&](int a, int b) {
        const int c = compareKeys(keys[size_t(a)], keys[size_t(b)]);
        return ascending ? c < 0 : c > 0;
    });
    return result;
}

bool SortAscending()
{
    return g_ascending;
}

void SetSortAscending(bool ascending)
{
    g_ascending = ascending;
}

Qt::SortOrder SortListRows(ListViewModel &model, int &lastSortColumn, int column, const QString &columnType)
{
    if (column == lastSortColumn)
        g_ascending = !g_ascending;
    const Qt::SortOrder order = g_ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    model.reorder(SortedRowOrder(model.rows(), column - 1, SortKindOf(columnType), order));
    lastSortColumn = column;
    return order;
}

} // namespace ardl
