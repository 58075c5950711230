#pragma once

#include "ListViewModel.h"

#include <vector>

// Sorting the rows of a report list by one column, as text, as numbers or
// as dates. UI-free: the list view's own part (header marker, alignment,
// hourglass) is SortListView in common/ui.
namespace ardl {

enum class SortKind { Text, Number, Date };

// The kind a column's tag asks for: "NUMBER", "DATE" (either case), else text.
SortKind SortKindOf(const QString &columnType);

// The order of `rows` sorted by cell `cellIndex` (0 is the row text), as a
// list of row indexes. Text compares without regard to case. Number and
// date cells that are not numbers or dates sort after those that are, as
// text; empty cells come before everything. Rows that compare equal keep
// their order.
std::vector<int> SortedRowOrder(const std::vector<ListRow> &rows, int cellIndex, SortKind kind,
                                Qt::SortOrder order);

// The one direction flag shared by every list; it starts off, which sorts
// descending.
bool SortAscending();
void SetSortAscending(bool ascending);

// A click on the header of `column` (1-based): a second click on the column
// sorted last (`lastSortColumn`) reverses the shared direction, a click on
// another column keeps it. Sorts the rows, sets lastSortColumn to `column`
// and returns the direction used.
Qt::SortOrder SortListRows(ListViewModel &model, int &lastSortColumn, int column, const QString &columnType);

} // namespace ardl
