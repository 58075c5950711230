#include "UpDownSlide.h"

#include "MouseArgs.h"
#include "PropertyBag.h"
#include "SpinButtons.h"
#include "frmSlide.h"
#include "modKoUserControl.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSlider>

#include <cmath>
#include <limits>

namespace ardl {

namespace {

// Sizes in pixels.
constexpr int TextHeight = 23;        // text box, spinner and slide button
constexpr int SpinWidth = 17;
constexpr int ButtonWidth = 12;
constexpr int ButtonHeight = 22;
constexpr int LevelTop = 23;          // 345 twips

// The slide button: a small raised or sunken key with a slider mark on it.
QPixmap SlideButtonPicture(bool pressed)
{
    QPixmap picture(ButtonWidth, ButtonHeight);
    picture.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter p(&picture);
    const QColor light(Qt::white), dark(0x80, 0x80, 0x80);
    p.setPen(pressed ? dark : light);
    p.drawLine(0, 0, ButtonWidth - 1, 0);
    p.drawLine(0, 0, 0, ButtonHeight - 1);
    p.setPen(pressed ? light : dark);
    p.drawLine(ButtonWidth - 1, 0, ButtonWidth - 1, ButtonHeight - 1);
    p.drawLine(0, ButtonHeight - 1, ButtonWidth - 1, ButtonHeight - 1);
    const int shift = pressed ? 1 : 0;
    p.setPen(Qt::black);
    p.drawLine(2 + shift, 11 + shift, 9 + shift, 11 + shift);
    p.fillRect(4 + shift, 7 + shift, 3, 9, Qt::black);
    return picture;
}

// The text of the box as a number; text that is no whole number in range
// counts as beyond the bound its sign points to when it is all digits, else 0.
qint64 TextValue(const QString &text, bool *valid)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    *valid = ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
    if (ok)
        return n;
    static const QRegularExpression digits(QStringLiteral("^\\s*(-?)\\d+\\s*$"));
    const QRegularExpressionMatch m = digits.match(text);
    if (!m.hasMatch())
        return 0;
    return m.captured(1).isEmpty() ? std::numeric_limits<qint64>::max()
                                   : std::numeric_limits<qint64>::min();
}

} // namespace

UpDownSlide::UpDownSlide(QWidget *parent)
    : QWidget(parent)
    , txtUpDown(new QLineEdit(QStringLiteral("0"), this))
    , UpDown(new SpinButtons(this))
    , picBouton(new QLabel(this))
    , picUp(new QLabel(this))
    , picDown(new QLabel(this))
    , PBUpDown(new QProgressBar(this))
{
    setObjectName(QStringLiteral("UpDownSlide"));
    txtUpDown->setObjectName(QStringLiteral("txtUpDown"));
    UpDown->setObjectName(QStringLiteral("UpDown"));
    picBouton->setObjectName(QStringLiteral("picBouton"));
    picUp->setObjectName(QStringLiteral("picUp"));
    picDown->setObjectName(QStringLiteral("picDown"));
    PBUpDown->setObjectName(QStringLiteral("PBUpDown"));

    picUp->setPixmap(SlideButtonPicture(false));
    picDown->setPixmap(SlideButtonPicture(true));
    for (QLabel *holder : {picUp, picDown}) {
        holder->setFixedSize(ButtonWidth, ButtonHeight);
        holder->hide();
    }
    picBouton->setPixmap(picUp->pixmap());
    picBouton->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picBouton->installEventFilter(this);
    txtUpDown->installEventFilter(this);
    PBUpDown->setTextVisible(false);
    SyncLevelRange();
    PBUpDown->setValue(UpDown->Value());

    connect(txtUpDown, &QLineEdit::textChanged, this, &UpDownSlide::txtUpDown_Change);
    connect(UpDown, &SpinButtons::Change, this, &UpDownSlide::UpDown_Change);

    setFixedHeight(ControlHeight);
    setMinimumWidth(MinimumWidth);
    resize(MinimumWidth * 3, ControlHeight);
}

UpDownSlide::~UpDownSlide()
{
    if (m_dragging)
        frmSlide::Unload();
}

// ---- properties -------------------------------------------------------

int UpDownSlide::Max() const
{
    return UpDown->Max();
}

void UpDownSlide::setMax(int value)
{
    UpDown->setMax(value);
    SyncLevelRange();
    emit PropertyChanged(QStringLiteral("Max"));
}

int UpDownSlide::Min() const
{
    return UpDown->Min();
}

void UpDownSlide::setMin(int value)
{
    UpDown->setMin(value);
    SyncLevelRange();
    emit PropertyChanged(QStringLiteral("Min"));
}

int UpDownSlide::Value() const
{
    return UpDown->Value();
}

void UpDownSlide::setValue(int value)
{
    UpDown->setValue(value);
    PBUpDown->setValue(UpDown->Value());
    emit PropertyChanged(QStringLiteral("Value"));
}

void UpDownSlide::SyncLevelRange()
{
    PBUpDown->setRange(UpDown->Min(), UpDown->Max());
    PBUpDown->setValue(UpDown->Value());
}

void UpDownSlide::ReadProperties(const PropertyBag &bag)
{
    UpDown->setMax(bag.ReadProperty(QStringLiteral("Max"), 100).toInt());
    UpDown->setMin(bag.ReadProperty(QStringLiteral("Min"), 0).toInt());
    UpDown->setValue(bag.ReadProperty(QStringLiteral("Value"), 0).toInt());
    SyncLevelRange();
}

void UpDownSlide::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Max"), UpDown->Max(), 100);
    bag.WriteProperty(QStringLiteral("Min"), UpDown->Min(), 0);
    bag.WriteProperty(QStringLiteral("Value"), UpDown->Value(), 0);
}

// ---- text box and spinner ---------------------------------------------

bool UpDownSlide::txtUpDown_KeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        UpDown->step(event->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    // Only typed characters are filtered. Keys that type none pass as in any
    // text box: cursor and focus keys (Tab, Shift+Tab), Delete, Enter and the
    // edit shortcuts (Ctrl+A, C, V, X, Z), whose text is a control character.
    const QString text = event->text();
    if (text.isEmpty() || (!text.at(0).isPrint() && text.at(0) != QChar(8)))
        return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    int keyAscii = text.at(0).unicode();
    FilterKeyAscii(keyAscii, KeyDigits);
    return keyAscii == 0;
}

void UpDownSlide::txtUpDown_Change()
{
    const QString text = txtUpDown->text();
    if (text.isEmpty()) {
        txtUpDown->setText(QStringLiteral("0"));
        return;
    }
    bool valid = false;
    const qint64 n = TextValue(text, &valid);
    if (n > UpDown->Max()) {
        txtUpDown->setText(QString::number(UpDown->Max()));
        return;
    }
    if (n < UpDown->Min()) {
        txtUpDown->setText(QString::number(UpDown->Min()));
        return;
    }
    if (!valid) {
        // Pasted text that is no number: show the number it counts as.
        txtUpDown->setText(QString::number(n));
        return;
    }
    UpDown->setValue(static_cast<int>(n));
}

void UpDownSlide::UpDown_Change()
{
    // The text box follows the spinner unless it already says the same
    // number ("007" stays as typed).
    bool valid = false;
    if (TextValue(txtUpDown->text(), &valid) != UpDown->Value() || !valid)
        txtUpDown->setText(QString::number(UpDown->Value()));
    PBUpDown->setValue(UpDown->Value());
}

// ---- slide button -----------------------------------------------------

void UpDownSlide::picBouton_MouseDown(const QMouseEvent &event)
{
    picBouton->setPixmap(picDown->pixmap());
    m_dragging = true;
    // Centred on the slide button's left edge, just below the control.
    const QPoint cursor = event.globalPosition().toPoint();
    const QPoint inButton = event.position().toPoint();
    const QPoint topLeft(cursor.x() - inButton.x() - frmSlide::FormWidth / 2,
                         cursor.y() - inButton.y() + height());
    SlideRange &range = SlideValues();
    range.SlideValue = UpDown->Value();
    range.SlideMax = UpDown->Max();
    range.SlideMin = UpDown->Min();
    frmSlide::Open(this, topLeft);
}

void UpDownSlide::picBouton_MouseMove(const QMouseEvent &event)
{
    frmSlide *slide = frmSlide::Instance();
    if (!m_dragging || !slide)
        return;
    // The pop-up's left edge is Min, its right edge Max.
    const double dx = event.globalPosition().x() - slide->x();
    const double span = static_cast<double>(UpDown->Max()) - UpDown->Min();
    const double raw = UpDown->Min() + std::nearbyint(dx * span / slide->width());
    const int v = static_cast<int>(std::clamp<double>(raw, UpDown->Min(), UpDown->Max()));
    slide->Slider->setValue(v);
    UpDown->setValue(v);
}

void UpDownSlide::picBouton_MouseUp()
{
    m_dragging = false;
    picBouton->setPixmap(picUp->pixmap());
    frmSlide::Unload();
}

bool UpDownSlide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtUpDown && event->type() == QEvent::KeyPress)
        return txtUpDown_KeyPress(static_cast<QKeyEvent *>(event));
    if (watched == picBouton
        && DispatchMouse(this, event,
                         {[this](const QMouseEvent &e) { picBouton_MouseDown(e); },
                          [this](const QMouseEvent &e) { picBouton_MouseMove(e); },
                          [this](const QMouseEvent &) { picBouton_MouseUp(); }}))
        return true;
    return QWidget::eventFilter(watched, event);
}

void UpDownSlide::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Disabled in the middle of a slide (its page starts a run): the slide
    // ends here, as its release will not come through.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_dragging)
        picBouton_MouseUp();
}

// ---- layout -----------------------------------------------------------

void UpDownSlide::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void UpDownSlide::UserControl_Resize()
{
    if (width() < MinimumWidth)
        resize(MinimumWidth, height());
    const int w = width();
    picBouton->setGeometry(w - ButtonWidth, 0, ButtonWidth, TextHeight);
    UpDown->setGeometry(w - ButtonWidth - SpinWidth, 0, SpinWidth, TextHeight);
    txtUpDown->setGeometry(0, 0, w - ButtonWidth - SpinWidth, TextHeight);
    PBUpDown->setGeometry(0, LevelTop, w, ControlHeight - LevelTop);
}

} // namespace ardl
