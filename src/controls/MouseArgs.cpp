#include "MouseArgs.h"

#include "common/units/Twips.h"

#include <QMouseEvent>
#include <QWidget>


namespace ardl {

int MouseButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

MouseArgs MouseArgsOf(const QMouseEvent &event)
{
    const Qt::MouseButtons buttons = event.type() == QEvent::MouseMove ? event.buttons()
                                                                      : Qt::MouseButtons(event.button());
    const QPointF pos = event.position();
    return {MouseButtonCode(buttons), ShiftCode(event.modifiers()),
            static_cast<float>(pos.x() * TwipsPerPixel), static_cast<float>(pos.y() * TwipsPerPixel)};
}

bool IsMousePointerCode(int code)
{
    return (code >= 0 && code <= 15) || code == PointerCustom;
}

std::optional<QCursor> CursorForMousePointer(int code, const QPixmap &icon)
{
    switch (code) {
    case 1: return QCursor(Qt::ArrowCursor);
    case 2: return QCursor(Qt::CrossCursor);
    case 3: return QCursor(Qt::IBeamCursor);
    case 4: return QCursor(Qt::ArrowCursor);        // "icon": a plain arrow here
    case 5: return QCursor(Qt::SizeAllCursor);
    case 6: return QCursor(Qt::SizeBDiagCursor);
    case 7: return QCursor(Qt::SizeVerCursor);
    case 8: return QCursor(Qt::SizeFDiagCursor);
    case 9: return QCursor(Qt::SizeHorCursor);
    case 10: return QCursor(Qt::UpArrowCursor);
    case 11: return QCursor(Qt::WaitCursor);
    case 12: return QCursor(Qt::ForbiddenCursor);
    case 13: return QCursor(Qt::BusyCursor);
    case 14: return QCursor(Qt::WhatsThisCursor);
    case 15: return QCursor(Qt::SizeAllCursor);
    case PointerCustom:
        if (!icon.isNull())
            return QCursor(icon);
        return std::nullopt;
    default: return std::nullopt;
    }
}

void MousePointerSetting::SetCode(QWidget *control, int code)
{
    m_code = IsMousePointerCode(code) ? code : PointerDefault;
    Apply(control);
}

void MousePointerSetting::SetIcon(QWidget *control, const QPixmap &icon)
{
    m_icon = icon;
    Apply(control);
}

void MousePointerSetting::Apply(QWidget *control) const
{
    if (const auto cursor = CursorForMousePointer(m_code, m_icon))
        control->setCursor(*cursor);
    else
        control->unsetCursor();
}

bool DispatchMouse(const QWidget *control, QEvent *event, const MouseHandlers &handlers)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (!control->isEnabled())
            return true;
        break;
    default:
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        handlers.down(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        handlers.move(*static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        handlers.up(*static_cast<QMouseEvent *>(event));
        return true;
    default:
        return false;
    }
}

} // namespace ardl
