#include "ColorChooser.h"

#include "MouseArgs.h"
#include "PictureBox.h"
#include "PropertyBag.h"
#include "frmColor.h"
#include "modKoUserControl.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <qdrawutil.h>

namespace ardl {

namespace {

// The swatch on the face, in pixels (at 45, 45 twips, 450 x 225 twips; one
// pixel further right and down while the button is pressed).
const QRect SwatchUp(3, 3, 30, 15);
const QPoint SwatchDown(4, 4);

// The button face: raised or sunken, with a drop-down arrow right of the
// swatch.
QPixmap ButtonFace(bool pressed)
{
    const int w = ColorChooser::ControlWidth, h = ColorChooser::ControlHeight;
    QPixmap face(w, h);
    const QPalette palette = QApplication::palette();
    face.fill(palette.color(QPalette::Button));
    QPainter p(&face);
    qDrawWinButton(&p, 0, 0, w, h, palette, pressed);
    const int shift = pressed ? 1 : 0;
    const QPoint arrow[] = {QPoint(38 + shift, 9 + shift), QPoint(44 + shift, 9 + shift),
                            QPoint(41 + shift, 12 + shift)};
    p.setPen(palette.color(QPalette::ButtonText));
    p.setBrush(palette.color(QPalette::ButtonText));
    p.drawPolygon(arrow, 3);
    return face;
}

} // namespace

ColorChooser::ColorChooser(QWidget *parent)
    : QWidget(parent)
    , picBouton(NewPictureBox(this, QStringLiteral("picBouton"), true))
    , picUp(NewPictureBox(this, QStringLiteral("picUp"), false))
    , picDown(NewPictureBox(this, QStringLiteral("picDown"), false))
    , picColor(new QFrame(picBouton))
{
    setObjectName(QStringLiteral("ColorChooser"));
    picUp->setPixmap(ButtonFace(false));
    picDown->setPixmap(ButtonFace(true));
    picBouton->setPixmap(picUp->pixmap());
    picBouton->setGeometry(0, 0, ControlWidth, ControlHeight);
    picBouton->installEventFilter(this);

    picColor->setObjectName(QStringLiteral("picColor"));
    picColor->setGeometry(SwatchUp);
    picColor->setFrameStyle(QFrame::Box | QFrame::Plain);
    // A press on the swatch is a press on the face.
    picColor->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Resizing has no effect: the control keeps its size.
    setFixedSize(ControlWidth, ControlHeight);
    InitProperties();
}

ColorChooser::~ColorChooser()
{
    if (frmColor *popup = frmColor::Instance(); popup && popup->parentWidget() == this)
        frmColor::Unload();
}

// ---- properties -------------------------------------------------------

OleColor ColorChooser::BackColor() const
{
    return m_backColor;
}

void ColorChooser::setBackColor(OleColor color)
{
    // A system colour becomes the colour it stands for now, so that the
    // swatch, a pick in the pop-up and HTMLColor all compare real colours.
    const std::optional<OleColor> rgb = TranslateColor(color);
    if (!rgb)
        return;
    ApplyColor(*rgb);
}

bool ColorChooser::Enabled() const
{
    return isEnabled();
}

void ColorChooser::setEnabledState(bool enabled)
{
    setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

QString ColorChooser::HTMLColor() const
{
    return m_htmlColor;
}

void ColorChooser::setHTMLColor(const QString &text)
{
    m_htmlColor = text;
    emit PropertyChanged(QStringLiteral("HTMLColor"));
}

void ColorChooser::ApplyColor(OleColor color)
{
    m_backColor = color;
    SetBackColor(picColor, ToQColor(color));
    emit PropertyChanged(QStringLiteral("BackColor"));
    m_htmlColor = WebColorText(color);
    emit PropertyChanged(QStringLiteral("HTMLColor"));
}

// ---- saved properties -------------------------------------------------

// The colour is kept as a real colour, so the stored default is the system
// window colour as it is now, and HTMLColor's default is the text of the
// colour: a control saved with its defaults comes back the same, with
// HTMLColor matching the colour.

void ColorChooser::InitProperties()
{
    setBackColor(SystemWindowColor);
}

void ColorChooser::ReadProperties(const PropertyBag &bag)
{
    const OleColor stored = bag.ReadProperty(QStringLiteral("BackColor"), SystemWindowColor).toUInt();
    const OleColor color = TranslateColor(stored).value_or(*TranslateColor(SystemWindowColor));
    QSignalBlocker quiet(this);   // reading marks nothing changed
    ApplyColor(color);
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    m_htmlColor = bag.ReadProperty(QStringLiteral("HTMLColor"), WebColorText(color)).toString();
}

void ColorChooser::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("BackColor"), m_backColor, *TranslateColor(SystemWindowColor));
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("HTMLColor"), m_htmlColor, WebColorText(m_backColor));
}

// ---- face and pop-up --------------------------------------------------

QPoint ColorChooser::PopupPosition() const
{
    // Just below the control, aligned with its left edge, kept on the screen.
    QPoint topLeft = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - frmColor::FormWidth)));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frmColor::FormHeight)));
    }
    return topLeft;
}

void ColorChooser::picBouton_MouseDown(const QMouseEvent &)
{
    picBouton->setPixmap(picDown->pixmap());
    picColor->move(SwatchDown);
    // A press while this control's pop-up is open only closes it (it loses
    // the activation to the host).
    if (m_popupOpen)
        return;
    CurrentColor() = m_backColor;
    QPointer<ColorChooser> alive(this);
    m_popupOpen = true;
    QPointer<frmColor> popup = frmColor::Open(this, PopupPosition());
    WaitForActivation(popup);
    WaitWhileActiveForm(popup);
    if (!alive)
        return;
    m_popupOpen = false;
    if (CurrentColor() != m_backColor) {
        ApplyColor(CurrentColor());
        emit ColorClick();
    }
}

void ColorChooser::picBouton_MouseUp(const QMouseEvent &event)
{
    picBouton->setPixmap(picUp->pixmap());
    picColor->move(SwatchUp.topLeft());
    if (rect().contains(event.position().toPoint()))
        emit Click();
}

bool ColorChooser::eventFilter(QObject *watched, QEvent *event)
{
    static const auto ignoreMove = [](const QMouseEvent &) {};
    if (watched == picBouton
        && DispatchMouse(this, event,
                         {[this](const QMouseEvent &e) { picBouton_MouseDown(e); }, ignoreMove,
                          [this](const QMouseEvent &e) { picBouton_MouseUp(e); }}))
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace ardl
