// The Sync page's result list: rows from the compare set under the four
// filter toggles, header sorting and the action cycling of a double-click.
#include "SyncPage.h"

#include "SyncPictures.h"

#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/modListView.h"
#include "platform/shell/FileIcons.h"
#include "sync/core/CompareTypes.h"
#include "sync/core/modClass.h"

#include <array>

namespace ardl {

namespace {

const QString Alignments = QStringLiteral("L|R|R|C|R|L|L");
constexpr int LastColumnIndex = 6;

bool isChecked(QWidget *toggle)
{
    return GetProp(toggle, "Checked").toBool();
}

} // namespace

int SyncPage::RowActionIcon(int row) const
{
    return RowIcon(SyncItems(), LVSync->rows(), row);
}

SyncFilter SyncPage::filter() const
{
    return {isChecked(CBW_LR), isChecked(CBW_RL), isChecked(CBW_Egal), isChecked(CBW_Diff)};
}

SyncRowLook SyncPage::rowLook() const
{
    static const std::array<QVariant, 4> colours = [] {
        std::array<QVariant, 4> c;
        for (int i = 0; i < 4; ++i)
            c[size_t(i)] = QVariant(SyncClassColour(i));
        return c;
    }();
    SyncRowLook look;
    look.fileIcon = [](const QString &name) { return vbAddFileItemIcon(name); };
    look.colour = [](int compareClass) {
        return compareClass >= 0 && compareClass < 4 ? colours[size_t(compareClass)] : QVariant();
    };
    return look;
}

void SyncPage::DisplayList(bool bLR, bool bRL, bool bEgal, bool bDiff)
{
    LVSync->rows().addRows(SyncListRows(SyncItems(), {bLR, bRL, bEgal, bDiff}, rowLook()));
}

void SyncPage::ReDisplayList()
{
    const std::array<QWidget *, 4> toggles{CBW_LR, CBW_RL, CBW_Egal, CBW_Diff};
    for (QWidget *toggle : toggles)
        SetProp(toggle, "Enabled", false);
    {
        WaitCursor wait;
        LVSync->rows().clear();
        const SyncFilter shown = filter();
        DisplayList(shown.LR, shown.RL, shown.Egal, shown.Diff);
        // By name in the direction in force: a last column other than the
        // one sorted keeps the direction.
        int notTheLastSorted = 2;
        SortListView(LVSync, notTheLastSorted, 1, LastColumnIndex, QString(), Alignments);
        BlankRightOnlyNames(LVSync->rows());
    }
    for (QWidget *toggle : toggles)
        SetProp(toggle, "Enabled", true);
}

void SyncPage::CBW_Click()
{
    ReDisplayList();
}

void SyncPage::LVSync_ColumnClick(int column)
{
    ListViewModel &rows = LVSync->rows();
    if (column < 1 || column > rows.columnCount())
        return;
    FillOneSidedCells(rows);
    SortListView(LVSync, LastSortSync, column, LastColumnIndex, rows.column(column - 1).tag, Alignments);
    BlankOneSidedCells(rows);
}

void SyncPage::LVSync_DblClick()
{
    const QModelIndex current = LVSync->currentIndex();
    if (!current.isValid() || !LVSync->selectionModel()->isRowSelected(current.row(), {}))
        return;
    ListRow row = LVSync->rows().row(current.row());
    const int icon = RowIcon(SyncItems(), row);
    const int next = NextActionIcon(icon);
    if (next == icon)
        return;
    SyncItems().setType(row.key, IconAction(next));
    LVSync->rows().setRow(current.row(), std::move(row)); // repaints the row with its new icon
}

} // namespace ardl
