#pragma once

#include "MouseArgs.h"

#include <QPixmap>
#include <QWidget>

class QLabel;
class QMouseEvent;
class QTimer;

namespace ardl {

class HoverPoll;
class PropertyBag;

// A check box drawn from four pictures: checked or not, each In (the pointer
// is over it, or a button is held on it) and Out. Releasing any mouse button
// over it toggles it and raises Click. It has no caption and no keys.
//
// Hover is tracked by polling (HoverPoll): the first mouse move records the
// control's screen rectangle and starts a 100 ms timer, and each tick tests
// the pointer against that rectangle.
class CheckBoxWeb : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledState)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QPixmap CheckedIn READ CheckedIn WRITE setCheckedIn)
    Q_PROPERTY(QPixmap CheckedOut READ CheckedOut WRITE setCheckedOut)
    Q_PROPERTY(QPixmap UnCheckedIn READ UnCheckedIn WRITE setUnCheckedIn)
    Q_PROPERTY(QPixmap UnCheckedOut READ UnCheckedOut WRITE setUnCheckedOut)
    Q_PROPERTY(bool Checked READ Checked WRITE setChecked)
public:
    explicit CheckBoxWeb(QWidget *parent = nullptr);
    ~CheckBoxWeb() override;

    // True when the pointer is inside the hover rectangle.
    Q_INVOKABLE bool InCheckBox() const;
    Q_INVOKABLE void CheckBoxIN();
    Q_INVOKABLE void CheckBoxOUT();
    Q_INVOKABLE void UnCheckBoxIN();
    Q_INVOKABLE void UnCheckBoxOUT();

    bool Enabled() const;
    void setEnabledState(bool enabled);
    int MousePointer() const;
    void setMousePointer(int code);
    QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap &icon);
    QPixmap CheckedIn() const;
    void setCheckedIn(const QPixmap &picture);
    QPixmap CheckedOut() const;
    void setCheckedOut(const QPixmap &picture);
    QPixmap UnCheckedIn() const;
    void setUnCheckedIn(const QPixmap &picture);
    QPixmap UnCheckedOut() const;
    void setUnCheckedOut(const QPixmap &picture);
    bool Checked() const;
    // Stores the state; the face follows on the next hover tick.
    void setChecked(bool checked);

    // Saved properties: defaults for a new control, and the bag round trip.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    bool isHovering() const;
    bool isPressed() const;

    QLabel *picCheck;
    QLabel *picCheckedIn;
    QLabel *picCheckedOut;
    QLabel *picUnCheckedIn;
    QLabel *picUnCheckedOut;
    QTimer *Timer;

signals:
    // Raised after MouseUp when the release toggled the control, so Checked
    // already holds the new state.
    void Click();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // A property the host should save has been set.
    void PropertyChanged(const QString &name);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void UserControl_MouseDown(const QMouseEvent &event);
    void UserControl_MouseMove(const QMouseEvent &event);
    void UserControl_MouseUp(const QMouseEvent &event);
    void UserControl_Resize();

    void ShowInPicture();
    void ShowOutPicture();

    bool m_checkedState = false;
    HoverPoll *m_hover;
    MousePointerSetting m_pointer;
    MouseHandlers m_mouse;
};

} // namespace ardl
