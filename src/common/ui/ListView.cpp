#include "ListView.h"

#include <QHeaderView>

#include <algorithm>

namespace ardl {

ListView::ListView(QWidget *parent)
    : QTreeView(parent)
{
    setModel(&m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);   // the last column takes the free width
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        Q_EMIT ColumnClick(section + 1);
    });
}

void ListView::setColumns(const QList<ListColumn> &columns)
{
    m_model.setColumns(columns);
}

QList<int> ListView::selectedRows() const
{
    QList<int> out;
    for (const QModelIndex &i : selectionModel()->selectedRows())
        out << i.row();
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace ardl
