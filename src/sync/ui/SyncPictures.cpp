#include "SyncPictures.h"

#include "sync/core/CompareTypes.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace ardl {

namespace {

constexpr int IconSize = 16;
constexpr int FaceWidth = 34;
constexpr int FaceHeight = 24;

enum class Shape { ArrowLeft, ArrowRight, Equal, NotChosen, Skip };

QColor colourOfIcon(int icon)
{
    return SyncClassColour(IconClass(icon));
}

Shape shapeOfIcon(int icon)
{
    using namespace SyncActionIcon;
    switch (icon) {
    case RightOnlyCopy:
    case DifferentToLeft:
        return Shape::ArrowLeft;
    case LeftOnlyCopy:
    case DifferentToRight:
        return Shape::ArrowRight;
    case Same:
        return Shape::Equal;
    case DifferentNone:
        return Shape::NotChosen;
    default:
        return Shape::Skip;
    }
}

// Draws a shape into the square `r`.
void drawShape(QPainter &p, const QRectF &r, Shape shape, const QColor &colour)
{
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = r.width() / 16.0;
    auto at = [&](qreal x, qreal y) { return QPointF(r.left() + x * u, r.top() + y * u); };
    QPen pen(colour, 2.0 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(colour);
    switch (shape) {
    case Shape::ArrowRight:
    case Shape::ArrowLeft: {
        const bool right = shape == Shape::ArrowRight;
        auto x = [&](qreal v) { return right ? v : 16 - v; };
        p.drawLine(at(x(2), 8), at(x(9), 8));
        QPainterPath head;
        head.moveTo(at(x(14), 8));
        head.lineTo(at(x(8), 3));
        head.lineTo(at(x(8), 13));
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    case Shape::Equal:
        p.drawLine(at(3, 5.5), at(13, 5.5));
        p.drawLine(at(3, 10.5), at(13, 10.5));
        break;
    case Shape::NotChosen:
        p.drawLine(at(3, 5.5), at(13, 5.5));
        p.drawLine(at(3, 10.5), at(13, 10.5));
        p.drawLine(at(10.5, 2), at(5.5, 14));
        break;
    case Shape::Skip:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(at(2.5, 2.5), at(13.5, 13.5)));
        p.drawLine(at(4.5, 11.5), at(11.5, 4.5));
        break;
    }
}

QPixmap actionPixmap(int icon)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    drawShape(p, QRectF(0, 0, IconSize, IconSize), shapeOfIcon(icon), colourOfIcon(icon));
    return pixmap;
}

// The icon a toggle shows: the action a row of its class starts with.
int toggleIcon(int compareClass)
{
    switch (compareClass) {
    case CompareType::LeftOnly:
        return SyncActionIcon::LeftOnlyCopy;
    case CompareType::Same:
        return SyncActionIcon::Same;
    case CompareType::Different:
        return SyncActionIcon::DifferentNone;
    default:
        return SyncActionIcon::RightOnlyCopy;
    }
}

QPixmap face(int compareClass, bool checked, bool hover)
{
    const QColor colour = SyncClassColour(compareClass);
    QPixmap pixmap(FaceWidth, FaceHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, FaceWidth - 1, FaceHeight - 1);
    // Checked: a pale tint of the class colour; unchecked: plain grey.
    const auto tint = [&](int part) { return 255 - (255 - part) * 22 / 100; };
    QColor fill = checked ? QColor(tint(colour.red()), tint(colour.green()), tint(colour.blue()))
                          : QColor(236, 236, 236);
    if (hover)
        fill = fill.lighter(106);
    p.setPen(QPen(checked ? colour : QColor(160, 160, 160), hover ? 2.0 : 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(box, 4, 4);
    const QRectF square((FaceWidth - IconSize) / 2.0, (FaceHeight - IconSize) / 2.0, IconSize, IconSize);
    p.setOpacity(checked ? 1.0 : 0.35);
    drawShape(p, square, shapeOfIcon(toggleIcon(compareClass)), colour);
    return pixmap;
}

} // namespace

QIcon SyncActionPicture(int icon)
{
    static const std::array<QIcon, 9> icons = [] {
        std::array<QIcon, 9> made;
        for (int i = SyncActionIcon::First; i <= SyncActionIcon::Last; ++i)
            made[size_t(i - 1)] = QIcon(actionPixmap(i));
        return made;
    }();
    if (icon < SyncActionIcon::First || icon > SyncActionIcon::Last)
        return QIcon();
    return icons[size_t(icon - 1)];
}

QColor SyncClassColour(int compareClass)
{
    switch (compareClass) {
    case CompareType::LeftOnly:
        return QColor(0, 130, 0);
    case CompareType::Different:
        return QColor(255, 0, 0);
    case CompareType::RightOnly:
        return QColor(0, 0, 255);
    default:
        return QColor(0, 0, 0);
    }
}

ToggleFaces SyncFilterFaces(int compareClass)
{
    return {face(compareClass, true, true), face(compareClass, true, false), face(compareClass, false, true),
            face(compareClass, false, false)};
}

} // namespace ardl
