#pragma once

#include <QCursor>
#include <QPixmap>
#include <Qt>

#include <functional>
#include <optional>

class QEvent;
class QMouseEvent;
class QWidget;

namespace ardl {

// The arguments of a control's mouse events: which buttons (1 left, 2 right,
// 4 middle, added together), which modifier keys (1 Shift, 2 Ctrl, 4 Alt)
// and the pointer position in twips from the control's top-left corner.
struct MouseArgs {
    int Button = 0;
    int Shift = 0;
    float X = 0;
    float Y = 0;
};

int MouseButtonCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);
// For a press or release the button that changed; for a move the buttons held.
MouseArgs MouseArgsOf(const QMouseEvent &event);

// Mouse pointer codes as the controls store them: 0 the default pointer,
// 1-15 the standard shapes, 99 the control's own icon.
enum MousePointerCode { PointerDefault = 0, PointerCustom = 99 };
bool IsMousePointerCode(int code);
// The cursor for a pointer code; nullopt means "the default", i.e. unset.
std::optional<QCursor> CursorForMousePointer(int code, const QPixmap &icon);

// A control's MousePointer code and MouseIcon, shown on the control.
class MousePointerSetting {
public:
    explicit MousePointerSetting(int code = PointerDefault) : m_code(code) {}

    int Code() const { return m_code; }
    const QPixmap &Icon() const { return m_icon; }
    // An unknown code counts as the default pointer.
    void SetCode(QWidget *control, int code);
    void SetIcon(QWidget *control, const QPixmap &icon);

private:
    void Apply(QWidget *control) const;

    int m_code;
    QPixmap m_icon;
};

// The mouse handlers of a control.
struct MouseHandlers {
    std::function<void(const QMouseEvent &)> down;
    std::function<void(const QMouseEvent &)> move;
    std::function<void(const QMouseEvent &)> up;
};

// Hands a mouse press, move or release to its handler and returns true; any
// other event is left alone (false). A double click is a press like any
// other, so every release that follows one is handled. A control that is
// disabled, itself or through a parent, takes no mouse input: its mouse
// events are swallowed unhandled, since event filters and event() see them
// before Qt's own check for a disabled widget.
bool DispatchMouse(const QWidget *control, QEvent *event, const MouseHandlers &handlers);

} // namespace ardl
