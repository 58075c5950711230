#include "PathLabel.h"

#include <QPainter>

namespace ardl {

PathLabel::PathLabel(QWidget *parent)
    : QLabel(parent)
{
}

void PathLabel::setText(const QString &text)
{
    QLabel::setText(text);
    setToolTip(text);
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
}

} // namespace ardl
