#include "ButtonWeb.h"

#include "HoverPoll.h"
#include "PictureBox.h"
#include "PropertyBag.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace ardl {

ButtonWeb::ButtonWeb(QWidget *parent)
    : QWidget(parent)
    , picButton(NewPictureBox(this, QStringLiteral("picButton"), true))
    , picIN(NewPictureBox(this, QStringLiteral("picIN"), false))
    , picOut(NewPictureBox(this, QStringLiteral("picOut"), false))
    , picDown(NewPictureBox(this, QStringLiteral("picDown"), false))
    , Timer(new QTimer(this))
    , m_hover(new HoverPoll(this, Timer, {[this] { ButtonIN(); }, [this] { ButtonDown(); }, [this] { ButtonOut(); }}))
    , m_mouse{[this](const QMouseEvent &e) { UserControl_MouseDown(e); },
              [this](const QMouseEvent &e) { UserControl_MouseMove(e); },
              [this](const QMouseEvent &e) { UserControl_MouseUp(e); }}
{
    setObjectName(QStringLiteral("ButtonWeb"));
    Timer->setObjectName(QStringLiteral("Timer"));
    picButton->setMouseTracking(true);
    picButton->installEventFilter(this);
    setMouseTracking(true);
    InitProperties();
}

ButtonWeb::~ButtonWeb() = default;

// ---- properties -------------------------------------------------------

bool ButtonWeb::Enabled() const
{
    return isEnabled();
}

void ButtonWeb::setEnabledState(bool enabled)
{
    setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

QPixmap ButtonWeb::PictureDown() const
{
    return picDown->pixmap();
}

void ButtonWeb::setPictureDown(const QPixmap &picture)
{
    SetPicture(picDown, picture);
    emit PropertyChanged(QStringLiteral("PictureDown"));
}

QPixmap ButtonWeb::PictureOut() const
{
    return picOut->pixmap();
}

void ButtonWeb::setPictureOut(const QPixmap &picture)
{
    SetPicture(picOut, picture);
    ButtonOut();
    emit PropertyChanged(QStringLiteral("PictureOut"));
}

QPixmap ButtonWeb::PictureIn() const
{
    return picIN->pixmap();
}

void ButtonWeb::setPictureIn(const QPixmap &picture)
{
    SetPicture(picIN, picture);
    emit PropertyChanged(QStringLiteral("PictureIn"));
}

QPixmap ButtonWeb::MouseIcon() const
{
    return m_pointer.Icon();
}

void ButtonWeb::setMouseIcon(const QPixmap &icon)
{
    m_pointer.SetIcon(this, icon);
    emit PropertyChanged(QStringLiteral("MouseIcon"));
}

int ButtonWeb::MousePointer() const
{
    return m_pointer.Code();
}

void ButtonWeb::setMousePointer(int code)
{
    m_pointer.SetCode(this, code);
    emit PropertyChanged(QStringLiteral("MousePointer"));
}

// ---- saved properties -------------------------------------------------

void ButtonWeb::InitProperties()
{
    m_pointer.SetCode(this, PointerCustom);
}

void ButtonWeb::ReadProperties(const PropertyBag &bag)
{
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    SetPicture(picDown, bag.ReadProperty(QStringLiteral("PictureDown")).value<QPixmap>());
    SetPicture(picOut, bag.ReadProperty(QStringLiteral("PictureOut")).value<QPixmap>());
    SetPicture(picIN, bag.ReadProperty(QStringLiteral("PictureIn")).value<QPixmap>());
    m_hover->ShowFace();
    setMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon")).value<QPixmap>());
    m_pointer.SetCode(this, bag.ReadProperty(QStringLiteral("MousePointer"), PointerCustom).toInt());
}

void ButtonWeb::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("PictureDown"), PictureDown());
    bag.WriteProperty(QStringLiteral("PictureOut"), PictureOut());
    bag.WriteProperty(QStringLiteral("PictureIn"), PictureIn());
    bag.WriteProperty(QStringLiteral("MouseIcon"), m_pointer.Icon());
    bag.WriteProperty(QStringLiteral("MousePointer"), m_pointer.Code(), PointerCustom);
}

// ---- faces ------------------------------------------------------------

void ButtonWeb::ButtonIN()
{
    picButton->setPixmap(PictureIn());
}

void ButtonWeb::ButtonOut()
{
    picButton->setPixmap(PictureOut());
}

void ButtonWeb::ButtonDown()
{
    picButton->setPixmap(PictureDown());
}

// ---- hover and mouse --------------------------------------------------

bool ButtonWeb::InButton() const
{
    return m_hover->Inside();
}

bool ButtonWeb::isHovering() const
{
    return m_hover->isHovering();
}

bool ButtonWeb::isPressed() const
{
    return m_hover->isPressed();
}

void ButtonWeb::UserControl_MouseMove(const QMouseEvent &event)
{
    const MouseArgs a = MouseArgsOf(event);
    m_hover->MouseMoved(event.position().toPoint(), [&] { emit MouseMove(a.Button, a.Shift, a.X, a.Y); });
}

void ButtonWeb::UserControl_MouseDown(const QMouseEvent &event)
{
    m_hover->Pressed();
    const MouseArgs a = MouseArgsOf(event);
    emit MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void ButtonWeb::UserControl_MouseUp(const QMouseEvent &event)
{
    const bool inside = m_hover->Released(event.position().toPoint());
    const MouseArgs a = MouseArgsOf(event);
    QPointer<ButtonWeb> alive(this);
    emit MouseUp(a.Button, a.Shift, a.X, a.Y);
    if (alive && inside)
        emit Click();
}

bool ButtonWeb::eventFilter(QObject *watched, QEvent *event)
{
    // The face sits at the control's origin: positions need no mapping.
    if (watched == picButton && DispatchMouse(this, event, m_mouse))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool ButtonWeb::event(QEvent *event)
{
    return DispatchMouse(this, event, m_mouse) || QWidget::event(event);
}

void ButtonWeb::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void ButtonWeb::UserControl_Resize()
{
    picButton->setGeometry(0, 0, width(), height());
    m_hover->ShowFace();
}

} // namespace ardl
