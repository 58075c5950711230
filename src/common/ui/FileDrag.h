#pragma once

#include <QStringList>

#include <functional>

class QAbstractItemView;
class QMimeData;

// Lists of files dragged between the desktop and the program's lists, as
// the desktop's file-list format (text/uri-list of local files).
namespace ardl {

// The local paths a drag offers, in order; none when it offers no files.
// A file whose path is not valid UTF-8 is left out: no text names it.
QStringList DroppedPaths(const QMimeData *data);
// Drag data holding `paths` as a file list.
QMimeData *FileListData(const QStringList &paths);

// Lets `view` take files and folders dropped on it: a drag that offers
// files is accepted as a copy, anything else is refused, and `dropped` gets
// the paths of a drop.
void AcceptFileDrops(QAbstractItemView *view, std::function<void(const QStringList &)> dropped);

// Lets the user drag the selected rows of `view` out as files: a drag that
// starts on a selected row carries the paths `selection` gives.
void AllowFileDragOut(QAbstractItemView *view, std::function<QStringList()> selection);

} // namespace ardl
