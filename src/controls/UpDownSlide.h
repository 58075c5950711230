#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QMouseEvent;
class QProgressBar;

namespace ardl {

class PropertyBag;
class SpinButtons;

// A whole number in a range: a text box with a spinner, a slide button that
// shows a pop-up slider while it is held and dragged, and a level bar under
// them. Its height is fixed; it is never narrower than 615 twips.
class UpDownSlide : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Value READ Value WRITE setValue)
public:
    // In pixels (510 and 615 twips).
    static constexpr int ControlHeight = 34;
    static constexpr int MinimumWidth = 41;

    explicit UpDownSlide(QWidget *parent = nullptr);
    ~UpDownSlide() override;

    // The upper bound, the lower bound and the current position of the
    // range. Setting one bound past the other moves the other along.
    int Max() const;
    void setMax(int value);
    int Min() const;
    void setMin(int value);
    int Value() const;
    void setValue(int value);

    // Saved properties "Max", "Min", "Value".
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    bool isDragging() const { return m_dragging; }

    QLineEdit *txtUpDown;
    SpinButtons *UpDown;
    QLabel *picBouton;
    QLabel *picUp;
    QLabel *picDown;
    QProgressBar *PBUpDown;

signals:
    // A property the host should save has been set.
    void PropertyChanged(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool txtUpDown_KeyPress(QKeyEvent *event);
    void txtUpDown_Change();
    void UpDown_Change();
    void picBouton_MouseDown(const QMouseEvent &event);
    void picBouton_MouseMove(const QMouseEvent &event);
    void picBouton_MouseUp();
    void UserControl_Resize();
    void SyncLevelRange();

    bool m_dragging = false;
};

} // namespace ardl
