#pragma once

#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace ardl {

// The local files and folders a drag from the desktop carries, in order.
QStringList LocalPaths(const QMimeData *data);

// Lets `target` (a list's viewport, for a list) take files and folders
// dropped from the desktop: a drag carrying local paths is taken as a copy
// while `accepting` says yes (always when it is empty), and the drop hands
// the paths to `onDrop`.
void AcceptFileDrops(QWidget *target, std::function<void(const QStringList &paths)> onDrop,
                     std::function<bool()> accepting = {});

} // namespace ardl
