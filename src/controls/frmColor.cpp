#include "frmColor.h"

#include "PictureBox.h"
#include "SinglePopup.h"
#include "modKoUserControl.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace ardl {

namespace {

SinglePopup<frmColor> &popup()
{
    static SinglePopup<frmColor> one;
    return one;
}

// Layout in pixels.
constexpr int PicLeft = 2;            // 30 twips
constexpr int SwatchSize = 18;        // 270 twips
constexpr int SwatchPitch = 19;       // 285 twips
constexpr int SwatchOffset = 1;       // 15 twips
constexpr int FrameMargin = 2;        // the frame is 330 twips square
constexpr int CloseTimerMs = 300;

} // namespace

OleColor &CurrentColor()
{
    static OleColor color = 0;
    return color;
}

const std::array<OleColor, frmColor::Columns * frmColor::Rows> &frmColor::Palette()
{
    static const std::array<OleColor, Columns * Rows> palette = [] {
        // Written as RGB, row by row; kept as 0x00BBGGRR like every colour.
        const quint32 rgb[Columns * Rows] = {
            0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,
            0xFFC0C0, 0xFF8080, 0xFF0000, 0xC00000, 0x800000, 0x400000,
            0xFFE0C0, 0xFFC080, 0xFF8000, 0xC04000, 0x804000, 0x804040,
            0xFFFFC0, 0xFFFF80, 0xFFFF00, 0xC0C000, 0x808000, 0x404000,
            0xC0FFC0, 0x80FF80, 0x00FF00, 0x00C000, 0x008000, 0x004000,
            0xC0FFFF, 0x80FFFF, 0x00FFFF, 0x00C0C0, 0x008080, 0x004040,
            0xC0C0FF, 0x8080FF, 0x0000FF, 0x0000C0, 0x000080, 0x000040,
            0xFFC0FF, 0xFF80FF, 0xFF00FF, 0xC000C0, 0x800080, 0x400040,
        };
        std::array<OleColor, Columns * Rows> bgr{};
        for (int i = 0; i < Columns * Rows; ++i)
            bgr[i] = ToOleColor(QColor::fromRgb(rgb[i]));
        return bgr;
    }();
    return palette;
}

frmColor::frmColor(QWidget *owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , pic(new QWidget(this))
    , cmdClose(new QPushButton(QStringLiteral("&Close"), this))
    , Timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmColor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedSize(FormWidth, FormHeight);

    pic->setObjectName(QStringLiteral("pic"));
    pic->setGeometry(PicLeft, PicLeft, 117, 155);
    SetBackColor(pic, QColor(0x80, 0x80, 0x80));
    for (int i = 0; i < Columns * Rows; ++i) {
        const int left = SwatchOffset + SwatchPitch * (i % Columns);
        const int top = SwatchOffset + SwatchPitch * (i / Columns);
        auto *frame = new QFrame(pic);
        frame->setObjectName(QStringLiteral("picColorSelect%1").arg(i));
        frame->setGeometry(left - FrameMargin, top - FrameMargin, SwatchSize + 2 * FrameMargin,
                           SwatchSize + 2 * FrameMargin);
        SetBackColor(frame, Qt::white);
        frame->hide();
        picColorSelect << frame;
    }
    for (int i = 0; i < Columns * Rows; ++i) {
        auto *swatch = new QFrame(pic);
        swatch->setObjectName(QStringLiteral("picColor%1").arg(i));
        swatch->setGeometry(SwatchOffset + SwatchPitch * (i % Columns), SwatchOffset + SwatchPitch * (i / Columns),
                            SwatchSize, SwatchSize);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetBackColor(swatch, ToQColor(Palette()[i]));
        swatch->setMouseTracking(true);
        swatch->installEventFilter(this);
        picColor << swatch;
    }

    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(26, 162, 69, 24);
    connect(cmdClose, &QPushButton::clicked, this, [] { Unload(); });
    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, &frmColor::Timer_Timer);
}

frmColor *frmColor::Open(QWidget *owner, const QPoint &topLeft)
{
    frmColor *form = popup().open([owner] { return new frmColor(owner); });
    form->Form_Load();
    form->move(topLeft);
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

frmColor *frmColor::Instance()
{
    return popup().current();
}

void frmColor::Unload()
{
    popup().close();
}

void frmColor::Form_Load()
{
    const OleColor current = CurrentColor();
    for (int i = 0; i < picColor.size(); ++i) {
        if (Palette()[i] == current) {
            picColorSelect[i]->show();
            SelectedIndex = i;
            break;
        }
    }
    Timer->start(CloseTimerMs);
}

void frmColor::Form_Activate()
{
    // Made topmost when created (changing the flag now would re-create the
    // window and lose the activation); this raises it.
    SetFormTopMost(this, true);
}

void frmColor::picColor_MouseMove(int Index)
{
    if (SelectedIndex != Index)
        picColorSelect[SelectedIndex]->hide();
    picColorSelect[Index]->show();
    SelectedIndex = Index;
}

void frmColor::picColor_Click(int Index)
{
    CurrentColor() = Palette()[Index];
    Unload();
}

void frmColor::Timer_Timer()
{
    // A closed pop-up waiting to be deleted leaves the next one alone.
    if (Instance() == this && QApplication::activeWindow() != this)
        Unload();
}

void frmColor::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

bool frmColor::eventFilter(QObject *watched, QEvent *event)
{
    const int index = picColor.indexOf(qobject_cast<QFrame *>(watched));
    if (index < 0)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        picColor_MouseMove(index);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_pressedIndex = index;
        return true;
    case QEvent::MouseButtonRelease: {
        // A click: pressed and released on the same swatch.
        const bool click = m_pressedIndex == index
                        && picColor[index]->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_pressedIndex = -1;
        if (click)
            picColor_Click(index);
        return true;
    }
    default:
        return QFrame::eventFilter(watched, event);
    }
}

} // namespace ardl
