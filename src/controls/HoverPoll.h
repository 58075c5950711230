#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class QTimer;
class QWidget;

namespace ardl {

// Hover and press tracking of the picture controls (CheckBoxWeb, ButtonWeb).
//
// The first mouse move over the control records its screen rectangle and
// starts a 100 ms timer; each tick tests the pointer against that rectangle.
// While a button is held the face flips between its pressed face (inside)
// and its Out face (outside); without a press, the first tick outside ends
// the hover and stops the timer. A leave event also counts as "outside", for
// display servers that do not report the pointer position outside the
// program. The rectangle is fixed when hovering begins.
class HoverPoll : public QObject {
public:
    static constexpr int PollMs = 100;

    // The control's faces: each call puts one of its pictures on the face.
    struct Faces {
        std::function<void()> in;          // hovered, no button held
        std::function<void()> pressedIn;   // a button held, pointer inside
        std::function<void()> out;         // pointer away
    };

    // Tracks `control` with `timer` (a child of the control, so the control
    // keeps it by name).
    HoverPoll(QWidget *control, QTimer *timer, Faces faces);

    // True when the pointer is inside the rectangle taken when hovering
    // began; false when no hover is going.
    bool Inside() const;
    bool isHovering() const { return m_hovering; }
    bool isPressed() const { return m_pressed; }

    // A mouse move at `pos` (control coordinates): `raiseMouseMove` raises
    // the control's MouseMove first, then a hover begins, showing the In
    // face, unless one is going or the handler of the event destroyed the
    // control.
    void MouseMoved(const QPoint &pos, const std::function<void()> &raiseMouseMove);
    // A button pressed on the control: shows the pressed face.
    void Pressed();
    // The button released at `pos` (control coordinates): shows the In face
    // when that is over the control as it is now, else the Out face, and
    // returns which. The control decides its Click by the same answer.
    bool Released(const QPoint &pos);
    // Starts the timer so that the next tick shows the state (a hover that
    // is not going ends on that tick with the Out face).
    void Poll();
    // Shows the face of the state as it is now.
    void ShowFace();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BeginHover();
    void Tick();
    void SetTimerInterval(int ms);

    QWidget *m_control;
    QTimer *m_timer;
    Faces m_faces;
    bool m_pressed = false;
    bool m_hovering = false;
    bool m_pointerLeft = false;
    std::optional<QRect> m_hoverRegion;
};

} // namespace ardl
