#include "CheckBoxWeb.h"

#include "MouseArgs.h"
#include "PropertyBag.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace ardl {

namespace {
constexpr int HoverPollMs = 100;
}

CheckBoxWeb::CheckBoxWeb(QWidget *parent)
    : QWidget(parent)
    , picCheck(new QLabel(this))
    , picCheckedIn(new QLabel(this))
    , picCheckedOut(new QLabel(this))
    , picUnCheckedIn(new QLabel(this))
    , picUnCheckedOut(new QLabel(this))
    , Timer(new QTimer(this))
{
    setObjectName(QStringLiteral("CheckBoxWeb"));
    picCheck->setObjectName(QStringLiteral("picCheck"));
    picCheckedIn->setObjectName(QStringLiteral("picCheckedIn"));
    picCheckedOut->setObjectName(QStringLiteral("picCheckedOut"));
    picUnCheckedIn->setObjectName(QStringLiteral("picUnCheckedIn"));
    picUnCheckedOut->setObjectName(QStringLiteral("picUnCheckedOut"));
    Timer->setObjectName(QStringLiteral("Timer"));

    for (QLabel *holder : {picCheckedIn, picCheckedOut, picUnCheckedIn, picUnCheckedOut})
        holder->hide();
    picCheck->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picCheck->setMouseTracking(true);
    picCheck->installEventFilter(this);
    setMouseTracking(true);
    connect(Timer, &QTimer::timeout, this, &CheckBoxWeb::Timer_Timer);
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
    return m_mousePointer;
}

void CheckBoxWeb::setMousePointer(int code)
{
    m_mousePointer = IsMousePointerCode(code) ? code : PointerDefault;
    ApplyMousePointer();
    emit PropertyChanged(QStringLiteral("MousePointer"));
}

QPixmap CheckBoxWeb::MouseIcon() const
{
    return m_mouseIcon;
}

void CheckBoxWeb::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    ApplyMousePointer();
    emit PropertyChanged(QStringLiteral("MouseIcon"));
}

void CheckBoxWeb::ApplyMousePointer()
{
    if (const auto cursor = CursorForMousePointer(m_mousePointer, m_mouseIcon))
        setCursor(*cursor);
    else
        unsetCursor();
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

void CheckBoxWeb::SetPicture(QLabel *holder, const QPixmap &picture)
{
    if (picture.isNull())
        holder->clear();
    else
        holder->setPixmap(picture);
}

bool CheckBoxWeb::Checked() const
{
    return m_checkedState;
}

void CheckBoxWeb::setChecked(bool checked)
{
    m_checkedState = checked;
    SetTimerInterval(HoverPollMs);
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
    const int pointer = bag.ReadProperty(QStringLiteral("MousePointer"), 0).toInt();
    m_mousePointer = IsMousePointerCode(pointer) ? pointer : PointerDefault;
    setMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon")).value<QPixmap>());
    SetPicture(picCheckedIn, bag.ReadProperty(QStringLiteral("CheckedIn")).value<QPixmap>());
    SetPicture(picCheckedOut, bag.ReadProperty(QStringLiteral("CheckedOut")).value<QPixmap>());
    SetPicture(picUnCheckedIn, bag.ReadProperty(QStringLiteral("UnCheckedIn")).value<QPixmap>());
    SetPicture(picUnCheckedOut, bag.ReadProperty(QStringLiteral("UnCheckedOut")).value<QPixmap>());
    picCheck->setPixmap(CheckedOut());
    m_checkedState = bag.ReadProperty(QStringLiteral("Checked"), false).toBool();
}

void CheckBoxWeb::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.WriteProperty(QStringLiteral("MouseIcon"), m_mouseIcon);
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
    if (!m_hoverRegion || m_pointerLeft)
        return false;
    return m_hoverRegion->contains(QCursor::pos());
}

void CheckBoxWeb::SetTimerInterval(int ms)
{
    if (ms > 0)
        Timer->start(ms);
    else
        Timer->stop();
}

void CheckBoxWeb::Timer_Timer()
{
    const bool inside = InCheckBox();
    if (inside) {
        if (m_pressed)
            ShowInPicture();
        return;
    }
    if (!m_pressed) {
        m_hoverRegion.reset();
        m_hovering = false;
        SetTimerInterval(0);
    }
    ShowOutPicture();
}

void CheckBoxWeb::UserControl_MouseMove(const QMouseEvent &event)
{
    if (rect().contains(event.position().toPoint()))
        m_pointerLeft = false;
    const MouseArgs a = MouseArgsOf(event);
    QPointer<CheckBoxWeb> alive(this);
    emit MouseMove(a.Button, a.Shift, a.X, a.Y);
    if (!alive || m_hovering)
        return;
    ShowInPicture();
    SetTimerInterval(HoverPollMs);
    // The control's rectangle on the screen, fixed for this hover.
    m_hoverRegion = QRect(mapToGlobal(QPoint(0, 0)), size());
    m_hovering = true;
}

void CheckBoxWeb::UserControl_MouseDown(const QMouseEvent &event)
{
    ShowInPicture();
    m_pressed = true;
    const MouseArgs a = MouseArgsOf(event);
    emit MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void CheckBoxWeb::UserControl_MouseUp(const QMouseEvent &event)
{
    // The release point against the control as it is now decides both the
    // toggle and Click, so the two always agree.
    const bool inside = rect().contains(event.position().toPoint());
    if (inside) {
        m_checkedState = !m_checkedState;
        ShowInPicture();
    } else {
        ShowOutPicture();
    }
    m_pressed = false;
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
    if (watched == picCheck) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            UserControl_MouseDown(*static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseMove:
            UserControl_MouseMove(*static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonRelease:
            UserControl_MouseUp(*static_cast<QMouseEvent *>(event));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CheckBoxWeb::mousePressEvent(QMouseEvent *event)
{
    UserControl_MouseDown(*event);
}

// A second press in quick succession is a press like any other: every
// release inside toggles and clicks.
void CheckBoxWeb::mouseDoubleClickEvent(QMouseEvent *event)
{
    UserControl_MouseDown(*event);
}

void CheckBoxWeb::mouseMoveEvent(QMouseEvent *event)
{
    UserControl_MouseMove(*event);
}

void CheckBoxWeb::mouseReleaseEvent(QMouseEvent *event)
{
    UserControl_MouseUp(*event);
}

void CheckBoxWeb::enterEvent(QEnterEvent *event)
{
    m_pointerLeft = false;
    QWidget::enterEvent(event);
}

void CheckBoxWeb::leaveEvent(QEvent *event)
{
    m_pointerLeft = true;
    QWidget::leaveEvent(event);
}

void CheckBoxWeb::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void CheckBoxWeb::UserControl_Resize()
{
    picCheck->setGeometry(0, 0, width(), height());
    picCheck->setPixmap(CheckedOut());
}

} // namespace ardl
