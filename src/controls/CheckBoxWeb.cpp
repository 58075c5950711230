#include "CheckBoxWeb.h"

#include "HoverPoll.h"
#include "PictureBox.h"
#include "PropertyBag.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace ardl {

CheckBoxWeb::CheckBoxWeb(QWidget *parent)
    : QWidget(parent)
    , picCheck(NewPictureBox(this, QStringLiteral("picCheck"), true))
    , picCheckedIn(NewPictureBox(this, QStringLiteral("picCheckedIn"), false))
    , picCheckedOut(NewPictureBox(this, QStringLiteral("picCheckedOut"), false))
    , picUnCheckedIn(NewPictureBox(this, QStringLiteral("picUnCheckedIn"), false))
    , picUnCheckedOut(NewPictureBox(this, QStringLiteral("picUnCheckedOut"), false))
    , Timer(new QTimer(this))
    , m_hover(new HoverPoll(this, Timer,
                            {[this] { ShowInPicture(); }, [this] { ShowInPicture(); },
                             [this] { ShowOutPicture(); }}))
    , m_mouse{[this](const QMouseEvent &e) { UserControl_MouseDown(e); },
              [this](const QMouseEvent &e) { UserControl_MouseMove(e); },
              [this](const QMouseEvent &e) { UserControl_MouseUp(e); }}
{
    setObjectName(QStringLiteral("CheckBoxWeb"));
    Timer->setObjectName(QStringLiteral("Timer"));
    picCheck->setMouseTracking(true);
    picCheck->installEventFilter(this);
    setMouseTracking(true);
    InitProperties();
}

CheckBoxWeb::~CheckBoxWeb() = default;

// ---- properties -------------------------------------------------------

bool CheckBoxWeb::Enabled() const
{
    return isEnabled();
}

void CheckBoxWeb::setEnabledState(bool enabled)
{
    setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

int CheckBoxWeb::MousePointer() const
{
    return m_pointer.Code();
}

void CheckBoxWeb::setMousePointer(int code)
{
    m_pointer.SetCode(this, code);
    emit PropertyChanged(QStringLiteral("MousePointer"));
}

QPixmap CheckBoxWeb::MouseIcon() const
{
    return m_pointer.Icon();
}

void CheckBoxWeb::setMouseIcon(const QPixmap &icon)
{
    m_pointer.SetIcon(this, icon);
    emit PropertyChanged(QStringLiteral("MouseIcon"));
}

QPixmap CheckBoxWeb::CheckedIn() const
{
    return picCheckedIn->pixmap();
}

void CheckBoxWeb::setCheckedIn(const QPixmap &picture)
{
    SetPicture(picCheckedIn, picture);
    emit PropertyChanged(QStringLiteral("CheckedIn"));
}

QPixmap CheckBoxWeb::CheckedOut() const
{
    return picCheckedOut->pixmap();
}

void CheckBoxWeb::setCheckedOut(const QPixmap &picture)
{
    SetPicture(picCheckedOut, picture);
    // Shown at once, whatever the state: the next hover tick puts it right.
    picCheck->setPixmap(picture);
    emit PropertyChanged(QStringLiteral("CheckedOut"));
}

QPixmap CheckBoxWeb::UnCheckedIn() const
{
    return picUnCheckedIn->pixmap();
}

void CheckBoxWeb::setUnCheckedIn(const QPixmap &picture)
{
    SetPicture(picUnCheckedIn, picture);
    emit PropertyChanged(QStringLiteral("UnCheckedIn"));
}

QPixmap CheckBoxWeb::UnCheckedOut() const
{
    return picUnCheckedOut->pixmap();
}

void CheckBoxWeb::setUnCheckedOut(const QPixmap &picture)
{
    SetPicture(picUnCheckedOut, picture);
    emit PropertyChanged(QStringLiteral("UnCheckedOut"));
}

bool CheckBoxWeb::Checked() const
{
    return m_checkedState;
}

void CheckBoxWeb::setChecked(bool checked)
{
    m_checkedState = checked;
    m_hover->Poll();
    emit PropertyChanged(QStringLiteral("Checked"));
}

// ---- saved properties -------------------------------------------------

void CheckBoxWeb::InitProperties()
{
    m_checkedState = false;
}

void CheckBoxWeb::ReadProperties(const PropertyBag &bag)
{
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    m_pointer.SetCode(this, bag.ReadProperty(QStringLiteral("MousePointer"), PointerDefault).toInt());
    setMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon")).value<QPixmap>());
    SetPicture(picCheckedIn, bag.ReadProperty(QStringLiteral("CheckedIn")).value<QPixmap>());
    SetPicture(picCheckedOut, bag.ReadProperty(QStringLiteral("CheckedOut")).value<QPixmap>());
    SetPicture(picUnCheckedIn, bag.ReadProperty(QStringLiteral("UnCheckedIn")).value<QPixmap>());
    SetPicture(picUnCheckedOut, bag.ReadProperty(QStringLiteral("UnCheckedOut")).value<QPixmap>());
    m_checkedState = bag.ReadProperty(QStringLiteral("Checked"), false).toBool();
    // The face of the state read, not the checked one whatever the state.
    m_hover->ShowFace();
}

void CheckBoxWeb::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("MousePointer"), m_pointer.Code(), PointerDefault);
    bag.WriteProperty(QStringLiteral("MouseIcon"), m_pointer.Icon());
    bag.WriteProperty(QStringLiteral("CheckedIn"), CheckedIn());
    bag.WriteProperty(QStringLiteral("CheckedOut"), CheckedOut());
    bag.WriteProperty(QStringLiteral("UnCheckedIn"), UnCheckedIn());
    bag.WriteProperty(QStringLiteral("UnCheckedOut"), UnCheckedOut());
    bag.WriteProperty(QStringLiteral("Checked"), m_checkedState, false);
}

// ---- faces ------------------------------------------------------------

void CheckBoxWeb::CheckBoxIN()
{
    picCheck->setPixmap(CheckedIn());
}

void CheckBoxWeb::CheckBoxOUT()
{
    picCheck->setPixmap(CheckedOut());
}

void CheckBoxWeb::UnCheckBoxIN()
{
    picCheck->setPixmap(UnCheckedIn());
}

void CheckBoxWeb::UnCheckBoxOUT()
{
    picCheck->setPixmap(UnCheckedOut());
}

void CheckBoxWeb::ShowInPicture()
{
    if (m_checkedState)
        CheckBoxIN();
    else
        UnCheckBoxIN();
}

void CheckBoxWeb::ShowOutPicture()
{
    if (m_checkedState)
        CheckBoxOUT();
    else
        UnCheckBoxOUT();
}

// ---- hover and mouse --------------------------------------------------

bool CheckBoxWeb::InCheckBox() const
{
    return m_hover->Inside();
}

bool CheckBoxWeb::isHovering() const
{
    return m_hover->isHovering();
}

bool CheckBoxWeb::isPressed() const
{
    return m_hover->isPressed();
}

void CheckBoxWeb::UserControl_MouseMove(const QMouseEvent &event)
{
    const MouseArgs a = MouseArgsOf(event);
    m_hover->MouseMoved(event.position().toPoint(), [&] { emit MouseMove(a.Button, a.Shift, a.X, a.Y); });
}

void CheckBoxWeb::UserControl_MouseDown(const QMouseEvent &event)
{
    m_hover->Pressed();
    const MouseArgs a = MouseArgsOf(event);
    emit MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void CheckBoxWeb::UserControl_MouseUp(const QMouseEvent &event)
{
    // The release point against the control as it is now decides the
    // toggle, the face and Click, so the three always agree.
    if (rect().contains(event.position().toPoint()))
        m_checkedState = !m_checkedState;
    const bool inside = m_hover->Released(event.position().toPoint());
    const MouseArgs a = MouseArgsOf(event);
    QPointer<CheckBoxWeb> alive(this);
    emit MouseUp(a.Button, a.Shift, a.X, a.Y);
    if (alive && inside)
        emit Click();
}

bool CheckBoxWeb::eventFilter(QObject *watched, QEvent *event)
{
    // The face hands its mouse events to the control; it sits at the
    // control's origin, so positions need no mapping.
    if (watched == picCheck && DispatchMouse(this, event, m_mouse))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool CheckBoxWeb::event(QEvent *event)
{
    return DispatchMouse(this, event, m_mouse) || QWidget::event(event);
}

void CheckBoxWeb::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void CheckBoxWeb::UserControl_Resize()
{
    picCheck->setGeometry(0, 0, width(), height());
    m_hover->ShowFace();
}

} // namespace ardl
