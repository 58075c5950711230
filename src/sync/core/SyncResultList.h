#pragma once

#include "SyncItemSet.h"

#include "common/core/ListViewModel.h"

#include <functional>
#include <vector>

// The rows of the Sync page's result list, made from the compare set: the
// left file on the left, the right file on the right and the action icon
// between them. UI-free: the page supplies the pictures and colours.
namespace ardl {

// Which classes are shown.
struct SyncFilter {
    bool LR = true;   // left only
    bool RL = true;   // right only
    bool Egal = true; // same
    bool Diff = true; // different
};

// How rows look; each function returns what ListRow takes.
struct SyncRowLook {
    std::function<QVariant(const QString &fileName)> fileIcon;
    std::function<QVariant(int compareClass)> colour;
};

// Cell of the action icon (0-based). The icon is not kept in the row: it is
// the icon of the class and action of the row's record, found by the row's
// key (the record's L_File).
constexpr int SyncIconCell = 3;

// The icon of a record's class and action.
int RecordIcon(const clsList &item);
// The icon of a row: that of its record, 0 when it has none.
int RowIcon(const SyncItemSet &items, const ListRow &row);
// The icon of the row at `row` (0-based) of `rows`, 0 for a row not there.
int RowIcon(const SyncItemSet &items, const ListViewModel &rows, int row);
bool IsShown(int compareClass, const SyncFilter &filter);

// One row per record whose class the filter shows, in set order. Cells: left
// name, size, date, "" (the icon's cell), right date, size, name; one-sided rows leave the
// other side's cells empty. The tag says which sides exist: "L", "R", "LR".
std::vector<ListRow> SyncListRows(const SyncItemSet &items, const SyncFilter &filter, const SyncRowLook &look);
ListRow SyncListRow(const clsList &item, const SyncRowLook &look);

// Right-only rows show their name on the right only.
void BlankRightOnlyNames(ListViewModel &rows);
// Before a header sort: a one-sided row takes its own values into the other
// side's empty cells too, so that it sorts by its own name, size and date
// whichever side is clicked. After the sort the copies are blanked again.
void FillOneSidedCells(ListViewModel &rows);
void BlankOneSidedCells(ListViewModel &rows);

// The keys of the rows in display order.
QStringList SyncRowKeys(const ListViewModel &rows);

} // namespace ardl
