#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

#include <functional>

namespace ardl {

// Draws in the middle of a cell the icon that `iconOfCell` gives for it, as
// the action column of the Sync list shows it. The icon is worked out from
// the cell alone: a view lays out its rows again while it is hidden, which
// happens while the widget around it is being destroyed, so the function must
// not reach into any object but the cell's model.
class IconCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    IconCellDelegate(std::function<QIcon(const QModelIndex &cell)> iconOfCell, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Tall enough for the icon: a list of uniform rows takes every row's
    // height from its first row, which may have no other icon to show.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<QIcon(const QModelIndex &cell)> m_iconOfCell;
};

} // namespace ardl
