#pragma once

#include <QWidget>

class QToolButton;

namespace ardl {

// A pair of arrow buttons holding a whole number in a range: the spinner of
// UpDownSlide. Min never exceeds Max: moving one bound past the other moves
// the other along, and the value always lies in the range.
class SpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget *parent = nullptr);

    int Value() const { return m_value; }
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    void setValue(int value);   // clamped into Min..Max
    void setMin(int min);
    void setMax(int max);
    // One step up (+1) or down (-1), stopping at the bounds.
    void step(int delta);

    QToolButton *cmdUp;
    QToolButton *cmdDown;

signals:
    // The value changed, by a step or by setValue or by a range change.
    void Change();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void clampValue();

    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
};

} // namespace ardl
