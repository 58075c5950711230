#include "HoverPoll.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ardl {

HoverPoll::HoverPoll(QWidget *control, QTimer *timer, Faces faces)
    : QObject(control)
    , m_control(control)
    , m_timer(timer)
    , m_faces(std::move(faces))
{
    control->installEventFilter(this);
    connect(timer, &QTimer::timeout, this, &HoverPoll::Tick);
}

bool HoverPoll::Inside() const
{
    if (!m_hoverRegion || m_pointerLeft)
        return false;
    return m_hoverRegion->contains(QCursor::pos());
}

void HoverPoll::MouseMoved(const QPoint &pos, const std::function<void()> &raiseMouseMove)
{
    // A move inside cancels an earlier leave.
    if (m_control->rect().contains(pos))
        m_pointerLeft = false;
    QPointer<HoverPoll> alive(this);
    raiseMouseMove();
    if (alive)
        BeginHover();
}

void HoverPoll::BeginHover()
{
    if (m_hovering)
        return;
    m_faces.in();
    SetTimerInterval(PollMs);
    m_hoverRegion = QRect(m_control->mapToGlobal(QPoint(0, 0)), m_control->size());
    m_hovering = true;
}

void HoverPoll::Pressed()
{
    m_faces.pressedIn();
    m_pressed = true;
}

bool HoverPoll::Released(const QPoint &pos)
{
    m_pressed = false;
    const bool inside = m_control->rect().contains(pos);
    if (inside)
        m_faces.in();
    else
        m_faces.out();
    return inside;
}

void HoverPoll::Poll()
{
    SetTimerInterval(PollMs);
}

void HoverPoll::ShowFace()
{
    if (!Inside())
        m_faces.out();
    else if (m_pressed)
        m_faces.pressedIn();
    else
        m_faces.in();
}

void HoverPoll::Tick()
{
    if (Inside()) {
        if (m_pressed)
            m_faces.pressedIn();
        return;
    }
    if (!m_pressed) {
        m_hoverRegion.reset();
        m_hovering = false;
        SetTimerInterval(0);
    }
    m_faces.out();
}

void HoverPoll::SetTimerInterval(int ms)
{
    if (ms > 0)
        m_timer->start(ms);
    else
        m_timer->stop();
}

bool HoverPoll::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        if (event->type() == QEvent::Enter)
            m_pointerLeft = false;
        else if (event->type() == QEvent::Leave)
            m_pointerLeft = true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ardl
