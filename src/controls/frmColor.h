#pragma once

#include "OleColor.h"

#include <QFrame>
#include <QList>

#include <array>

class QPushButton;
class QTimer;

namespace ardl {

// The colour the pop-up opens with and, after a pick, the colour picked.
// One for the program: there is one pointer, so one pop-up at a time.
OleColor &CurrentColor();

// The colour pop-up of ColorChooser: 48 swatches in 6 columns and 8 rows
// and a Close button. It closes when a swatch is clicked (the colour goes to
// CurrentColor()), when Close is pressed, and within 300 ms of another
// window becoming active.
class frmColor : public QFrame {
    Q_OBJECT
public:
    // Outer size in pixels (1815 x 2835 twips).
    static constexpr int FormWidth = 121;
    static constexpr int FormHeight = 189;
    static constexpr int Columns = 6;
    static constexpr int Rows = 8;

    // The palette, row by row, in 0x00BBGGRR form.
    static const std::array<OleColor, Columns * Rows> &Palette();

    // Opens the one pop-up for `owner` at `topLeft` (screen pixels) and asks
    // for it to become the active window. A pop-up already open is closed
    // first.
    static frmColor *Open(QWidget *owner, const QPoint &topLeft);
    // The pop-up now open, if any.
    static frmColor *Instance();
    // Closes and discards the pop-up.
    static void Unload();

    QWidget *pic;
    QList<QFrame *> picColor;         // the swatches, index = row x 6 + column
    QList<QFrame *> picColorSelect;   // the frame behind each swatch
    QPushButton *cmdClose;
    QTimer *Timer;
    // The swatch whose frame shows (0 when none was found at load).
    int SelectedIndex = 0;

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit frmColor(QWidget *owner);
    void Form_Load();
    void Form_Activate();
    void picColor_MouseMove(int Index);
    void picColor_Click(int Index);
    void Timer_Timer();

    int m_pressedIndex = -1;
};

} // namespace ardl
