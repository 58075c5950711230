#pragma once

class QColor;
class QLabel;
class QPixmap;
class QString;
class QWidget;

namespace ardl {

// A picture box of a control: a label named `name`, showing its picture from
// the top-left corner; hidden ones only hold a picture for the face.
QLabel *NewPictureBox(QWidget *parent, const QString &name, bool visible);

// Puts `picture` in `holder`; a null picture empties it.
void SetPicture(QLabel *holder, const QPixmap &picture);

// Fills `box` with `color`.
void SetBackColor(QWidget *box, const QColor &color);

} // namespace ardl
