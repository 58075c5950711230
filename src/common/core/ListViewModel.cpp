#include "ListViewModel.h"

#include <algorithm>

namespace ardl {

void ListViewModel::setColumns(const QList<ListColumn> &columns)
{
    // Same number of columns: only the headers change, so the view keeps
    // its column widths.
    if (columns.size() == m_columns.size()) {
        m_columns = columns;
        if (!m_columns.isEmpty())
            Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
        if (!m_rows.empty())
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

int ListViewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

void ListViewModel::setColumn(int index, const ListColumn &column)
{
    m_columns[index] = column;
    Q_EMIT headerDataChanged(Qt::Horizontal, index, index);
    if (!m_rows.empty())
        Q_EMIT dataChanged(this->index(0, index), this->index(rowCount() - 1, index));
}

int ListViewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListViewModel::addRow(ListRow row)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
    return at;
}

void ListViewModel::addRows(std::vector<ListRow> rows)
{
    if (rows.empty())
        return;
    const int at = rowCount();
    beginInsertRows({}, at, at + int(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
}

void ListViewModel::setRow(int index, ListRow row)
{
    m_rows[size_t(index)] = std::move(row);
    Q_EMIT dataChanged(this->index(index, 0), this->index(index, columnCount() - 1));
}

void ListViewModel::setCell(int rowIndex, int columnIndex, const QString &text)
{
    QStringList &cells = m_rows[size_t(rowIndex)].cells;
    while (cells.size() <= columnIndex)
        cells.append(QString());
    cells[columnIndex] = text;
    const QModelIndex i = index(rowIndex, columnIndex);
    Q_EMIT dataChanged(i, i);
}

void ListViewModel::editRows(const std::function<void(ListRow &)> &edit)
{
    if (m_rows.empty())
        return;
    for (ListRow &r : m_rows)
        edit(r);
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ListViewModel::removeRow(int index)
{
    beginRemoveRows({}, index, index);
    m_rows.erase(m_rows.begin() + index);
    endRemoveRows();
}

void ListViewModel::removeRowsAt(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    // From the bottom up, one contiguous run at a time.
    for (qsizetype i = indexes.size() - 1; i >= 0;) {
        qsizetype first = i;
        while (first > 0 && indexes[first - 1] == indexes[first] - 1)
            --first;
        beginRemoveRows({}, indexes[first], indexes[i]);
        m_rows.erase(m_rows.begin() + indexes[first], m_rows.begin() + indexes[i] + 1);
        endRemoveRows();
        i = first - 1;
    }
}

void ListViewModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int ListViewModel::findKey(const QString &key) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].key == key && m_rows[i].rawKey.isEmpty())
            return int(i);
    }
    return -1;
}

void ListViewModel::reorder(const std::vector<int> &order)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> newPosition(m_rows.size());
    std::vector<ListRow> sorted;
    sorted.reserve(m_rows.size());
    for (size_t to = 0; to < order.size(); ++to) {
        newPosition[size_t(order[to])] = int(to);
        sorted.push_back(std::move(m_rows[size_t(order[to])]));
    }
    m_rows = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &i : before)
        after << index(newPosition[size_t(i.row())], i.column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QVariant ListViewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const ListRow &r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < r.cells.size() ? r.cells[index.column()] : QString();
    case Qt::DecorationRole:
        return index.column() == 0 ? r.icon : QVariant();
    case Qt::ForegroundRole:
        return r.foreground;
    case Qt::ToolTipRole:
        return r.toolTip.isEmpty() ? QVariant() : QVariant(r.toolTip);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.value(index.column()).alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].text;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    return {};
}

} // namespace ardl
