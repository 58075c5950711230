#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The Sync page's own pictures: the nine action icons of the result list,
// the colours of the four classes and the faces of the filter toggles.
namespace ardl {

// The action icon 1-9 (see SyncActionIcon), 16 x 16; a null icon for any
// other number.
QIcon SyncActionPicture(int icon);

// Row colour of a class: left only green, same black, different red, right
// only blue.
QColor SyncClassColour(int compareClass);

// The four faces of the filter toggle of a class.
struct ToggleFaces {
    QPixmap checkedIn;
    QPixmap checkedOut;
    QPixmap unCheckedIn;
    QPixmap unCheckedOut;
};
ToggleFaces SyncFilterFaces(int compareClass);

} // namespace ardl
