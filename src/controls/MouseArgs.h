#pragma once

#include <QCursor>
#include <QPixmap>
#include <Qt>

#include <optional>

class QMouseEvent;

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

} // namespace ardl
