#include "frmSlide.h"

#include "modKoUserControl.h"

#include <QPointer>
#include <QSlider>

#include <cmath>

namespace ardl {

namespace {
QPointer<frmSlide> g_instance;
} // namespace

SlideRange &SlideValues()
{
    static SlideRange values;
    return values;
}

frmSlide::frmSlide(QWidget *owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , Slider(new QSlider(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("frmSlide"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setFixedSize(FormWidth, FormHeight);
    Slider->setObjectName(QStringLiteral("Slider"));
    Slider->setGeometry(3, 4, FormWidth - 6, 17);
    Slider->setTickPosition(QSlider::TicksBelow);
    Slider->setFocusPolicy(Qt::NoFocus);
    Slider->setAttribute(Qt::WA_TransparentForMouseEvents);
}

frmSlide *frmSlide::Open(QWidget *owner, const QPoint &topLeft)
{
    Unload();
    g_instance = new frmSlide(owner);
    g_instance->move(topLeft);
    g_instance->Form_Load();
    return g_instance;
}

frmSlide *frmSlide::Instance()
{
    return g_instance;
}

void frmSlide::Unload()
{
    if (!g_instance)
        return;
    frmSlide *form = g_instance;
    g_instance = nullptr;
    form->hide();
    form->deleteLater();
}

void frmSlide::Form_Load()
{
    const SlideRange &r = SlideValues();
    Slider->setMaximum(r.SlideMax);
    Slider->setMinimum(r.SlideMin);
    Slider->setValue(r.SlideValue);
    // Ten ticks across the range, whatever its start.
    const double span = static_cast<double>(r.SlideMax) - r.SlideMin;
    Slider->setTickInterval(static_cast<int>(std::max(1.0, std::nearbyint(span / 10))));
    SetFormTopMost(this, true);
}

} // namespace ardl
