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

// A push button drawn from three pictures: Out (the pointer is away), In (the
// pointer is over it) and Down (a mouse button is held on it with the pointer
// inside). Releasing a button over it raises Click. Hover is tracked by the
// same polling as CheckBoxWeb (HoverPoll).
class ButtonWeb : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledState)
    Q_PROPERTY(QPixmap PictureDown READ PictureDown WRITE setPictureDown)
    Q_PROPERTY(QPixmap PictureOut READ PictureOut WRITE setPictureOut)
    Q_PROPERTY(QPixmap PictureIn READ PictureIn WRITE setPictureIn)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
public:
    explicit ButtonWeb(QWidget *parent = nullptr);
    ~ButtonWeb() override;

    // True when the pointer is inside the hover rectangle.
    Q_INVOKABLE bool InButton() const;
    Q_INVOKABLE void ButtonIN();
    Q_INVOKABLE void ButtonOut();
    Q_INVOKABLE void ButtonDown();

    bool Enabled() const;
    void setEnabledState(bool enabled);
    QPixmap PictureDown() const;
    void setPictureDown(const QPixmap &picture);
    QPixmap PictureOut() const;
    // Also shown on the face at once.
    void setPictureOut(const QPixmap &picture);
    QPixmap PictureIn() const;
    void setPictureIn(const QPixmap &picture);
    QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap &icon);
    int MousePointer() const;
    void setMousePointer(int code);

    // Saved properties: defaults for a new control, and the bag round trip.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    bool isHovering() const;
    bool isPressed() const;

    QLabel *picButton;
    QLabel *picIN;
    QLabel *picOut;
    QLabel *picDown;
    QTimer *Timer;

signals:
    // Raised after MouseUp when the button was released over the control.
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

    HoverPoll *m_hover;
    MousePointerSetting m_pointer{PointerCustom};
    MouseHandlers m_mouse;
};

} // namespace ardl
