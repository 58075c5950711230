#include "SyncResultList.h"

#include "CompareTypes.h"

#include "common/core/ListCells.h"

namespace ardl {

namespace {

const QString TagLeft = QStringLiteral("L");
const QString TagRight = QStringLiteral("R");

// Listed times are shown as local times, whatever zone the lister gave.
QString dateCell(const QDateTime &date)
{
    return FormatDateCell(date.timeSpec() == Qt::LocalTime ? date : date.toLocalTime());
}

QString sizeCell(qint64 size)
{
    return size < 0 ? QString() : FormatSizeCell(size);
}

} // namespace

int RecordIcon(const clsList &item)
{
    return ActionIcon(item.iOrginalType, item.iType);
}

int RowIcon(const SyncItemSet &items, const ListRow &row)
{
    const clsList *item = items.find(row.key);
    return item ? RecordIcon(*item) : 0;
}

int RowIcon(const SyncItemSet &items, const ListViewModel &rows, int row)
{
    return row >= 0 && row < rows.rowCount() ? RowIcon(items, rows.row(row)) : 0;
}

bool IsShown(int compareClass, const SyncFilter &filter)
{
    switch (compareClass) {
    case CompareType::LeftOnly:
        return filter.LR;
    case CompareType::Same:
        return filter.Egal;
    case CompareType::Different:
        return filter.Diff;
    case CompareType::RightOnly:
        return filter.RL;
    default:
        return false;
    }
}

ListRow SyncListRow(const clsList &item, const SyncRowLook &look)
{
    ListRow row;
    row.key = item.L_File;
    row.cells = QStringList(7);
    row.cells[0] = item.L_File;
    if (look.colour)
        row.foreground = look.colour(item.iOrginalType);
    if (item.bLeft) {
        if (look.fileIcon)
            row.icon = look.fileIcon(item.L_File);
        row.cells[1] = sizeCell(item.L_Size);
        row.cells[2] = dateCell(item.L_Date);
        row.tag = TagLeft;
    }
    if (item.bRight) {
        row.cells[4] = dateCell(item.R_Date);
        row.cells[5] = sizeCell(item.R_Size);
        row.cells[6] = item.R_File;
        row.tag += TagRight;
    }
    return row;
}

std::vector<ListRow> SyncListRows(const SyncItemSet &items, const SyncFilter &filter, const SyncRowLook &look)
{
    std::vector<ListRow> rows;
    rows.reserve(size_t(items.Count()));
    for (const clsList &item : items) {
        if (RecordIcon(item) != 0 && IsShown(item.iOrginalType, filter))
            rows.push_back(SyncListRow(item, look));
    }
    return rows;
}

void BlankRightOnlyNames(ListViewModel &rows)
{
    rows.editRows([](ListRow &row) {
        if (row.tag == TagRight)
            row.cells[0].clear();
    });
}

void FillOneSidedCells(ListViewModel &rows)
{
    rows.editRows([](ListRow &row) {
        QStringList &c = row.cells;
        if (row.tag == TagLeft) {
            c[4] = c[2];
            c[5] = c[1];
            c[6] = c[0];
        } else if (row.tag == TagRight) {
            c[1] = c[5];
            c[2] = c[4];
            c[0] = c[6];
        }
    });
}

void BlankOneSidedCells(ListViewModel &rows)
{
    rows.editRows([](ListRow &row) {
        QStringList &c = row.cells;
        if (row.tag == TagLeft) {
            c[4].clear();
            c[5].clear();
            c[6].clear();
        } else if (row.tag == TagRight) {
            c[0].clear();
            c[1].clear();
            c[2].clear();
        }
    });
}

QStringList SyncRowKeys(const ListViewModel &rows)
{
    QStringList keys;
    keys.reserve(rows.rowCount());
    for (const ListRow &row : rows.rows())
        keys << row.key;
    return keys;
}

} // namespace ardl
