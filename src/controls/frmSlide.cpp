#include "frmSlide.h"

#include "SinglePopup.h"
#include "modKoUserControl.h"

#include <QSlider>

#include <cmath>

namespace ardl {

namespace {

SinglePopup<frmSlide> &popup()
{
    static SinglePopup<frmSlide> one;
    return one;
}

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
    frmSlide *form = popup().open([owner] { return new frmSlide(owner); });
    form->move(topLeft);
    form->Form_Load();
    return form;
}

frmSlide *frmSlide::Instance()
{
    return popup().current();
}

void frmSlide::Unload()
{
    popup().close();
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
