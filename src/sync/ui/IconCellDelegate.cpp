#include "IconCellDelegate.h"

#include <QApplication>
#include <QPainter>

namespace ardl {

IconCellDelegate::IconCellDelegate(std::function<QIcon(const QModelIndex &cell)> iconOfCell, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_iconOfCell(std::move(iconOfCell))
{
}

void IconCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QIcon icon = m_iconOfCell ? m_iconOfCell(index) : QIcon();
    cell.icon = QIcon();
    cell.features &= ~QStyleOptionViewItem::HasDecoration;
    const QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
    if (!icon.isNull())
        icon.paint(painter, cell.rect, Qt::AlignCenter,
                   cell.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
}

QSize IconCellDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QIcon icon = m_iconOfCell ? m_iconOfCell(index) : QIcon();
    if (!icon.isNull()) {
        cell.icon = icon;
        cell.features |= QStyleOptionViewItem::HasDecoration;
    }
    const QStyle *style = cell.widget ? cell.widget->style() : QApplication::style();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), cell.widget);
}

} // namespace ardl
