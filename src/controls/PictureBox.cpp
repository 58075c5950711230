#include "PictureBox.h"

#include <QLabel>
#include <QPixmap>

namespace ardl {

QLabel *NewPictureBox(QWidget *parent, const QString &name, bool visible)
{
    auto *box = new QLabel(parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setVisible(visible);
    return box;
}

void SetPicture(QLabel *holder, const QPixmap &picture)
{
    if (picture.isNull())
        holder->clear();
    else
        holder->setPixmap(picture);
}

void SetBackColor(QWidget *box, const QColor &color)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, color);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
}

} // namespace ardl
