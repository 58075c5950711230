#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

#include <functional>

namespace ardl {

// Draws in the middle of a cell the icon that `iconOfRow` gives for the
// cell's row, as the action column of the Sync list shows it.
class IconCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    IconCellDelegate(std::function<QIcon(int row)> iconOfRow, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Tall enough for the icon: a list of uniform rows takes every row's
    // height from its first row, which may have no other icon to show.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<QIcon(int row)> m_iconOfRow;
};

} // namespace ardl
