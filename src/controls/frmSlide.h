#pragma once

#include <QFrame>

class QSlider;

namespace ardl {

// The range and value the slide pop-up opens with, set by the control that
// opens it. One set for the program: there is one pointer, so one drag.
struct SlideRange {
    int SlideValue = 0;
    int SlideMax = 100;
    int SlideMin = 0;
};
SlideRange &SlideValues();

// The pop-up slider shown below an UpDownSlide while its slide button is
// held. It only displays: the drag on the slide button drives the value. It is
// a tool window that stays on top and never takes the mouse or the focus, so
// the drag keeps going to the slide button.
class frmSlide : public QFrame {
    Q_OBJECT
public:
    // Outer size in pixels (2730 x 375 twips).
    static constexpr int FormWidth = 182;
    static constexpr int FormHeight = 25;

    // Opens the one pop-up for `owner` at `topLeft` (screen pixels), set from
    // SlideValues(). A pop-up already open is closed first.
    static frmSlide *Open(QWidget *owner, const QPoint &topLeft);
    // The pop-up now open, if any.
    static frmSlide *Instance();
    // Closes and discards the pop-up.
    static void Unload();

    QSlider *Slider;

private:
    explicit frmSlide(QWidget *owner);
    void Form_Load();
};

} // namespace ardl
