#pragma once

#include "OleColor.h"

#include <QWidget>

class QFrame;
class QLabel;
class QMouseEvent;

namespace ardl {

class PropertyBag;

// A small colour button showing a swatch of its colour. Pressing it drops
// down the colour pop-up (frmColor) just below it; picking a colour there
// sets the control's colour and its web text and raises ColorClick. Its size
// is fixed (750 x 330 twips).
class ColorChooser : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledState)
    Q_PROPERTY(QString HTMLColor READ HTMLColor WRITE setHTMLColor)
public:
    // In pixels.
    static constexpr int ControlWidth = 50;
    static constexpr int ControlHeight = 22;

    explicit ColorChooser(QWidget *parent = nullptr);
    ~ColorChooser() override;

    // The colour in 0x00BBGGRR form. Setting a system colour (0x800000nn)
    // stores its current value; a value that is neither is ignored. Setting
    // the colour rewrites HTMLColor to match; it raises no event.
    OleColor BackColor() const;
    void setBackColor(OleColor color);
    bool Enabled() const;
    void setEnabledState(bool enabled);
    // The web text "RRGGBB"; setting it stores the text as given and leaves
    // the colour alone.
    QString HTMLColor() const;
    void setHTMLColor(const QString &text);

    // Saved properties: defaults for a new control, and the bag round trip.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    QLabel *picBouton;
    QLabel *picUp;
    QLabel *picDown;
    QFrame *picColor;

signals:
    // The face was clicked (pressed and released over the control).
    void Click();
    // A colour other than the one shown was picked in the pop-up.
    void ColorClick();
    // A property the host should save has been set.
    void PropertyChanged(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void picBouton_MouseDown(const QMouseEvent &event);
    void picBouton_MouseUp(const QMouseEvent &event);
    // Shows `color` (0x00BBGGRR) on the swatch and writes its web text.
    void ApplyColor(OleColor color);
    QPoint PopupPosition() const;

    OleColor m_backColor = 0;
    QString m_htmlColor;
    bool m_popupOpen = false;
};

} // namespace ardl
