#pragma once

#include "common/core/LeftOutNames.h"

#include <QStringList>

#include <functional>

class QAbstractItemView;
class QMimeData;

// Lists of files dragged between the desktop and the program's lists, as
// the desktop's file-list format (text/uri-list of local files).
namespace ardl {

// The local files a drag offers: the paths in order, and the files left
// out because their paths are not valid UTF-8 (no text names them).
struct DroppedFiles {
    QStringList paths;
    LeftOutNames leftOut;
};
DroppedFiles DroppedFileList(const QMimeData *data);
// The paths alone; none when the drag offers no files.
QStringList DroppedPaths(const QMimeData *data);
// Drag data holding `paths` as a file list.
QMimeData *FileListData(const QStringList &paths);

// Lets `view` take files and folders dropped on it: a drag that offers
// files is accepted as a copy, anything else is refused, and `dropped` gets
// the paths of a drop.
void AcceptFileDrops(QAbstractItemView *view, std::function<void(const QStringList &)> dropped);
// The same for a view that reports the files a drop had to leave out: a
// drag of such files alone is accepted too, so that it can say so.
void AcceptFileDrops(QAbstractItemView *view, std::function<void(const DroppedFiles &)> dropped);

// Lets the user drag the selected rows of `view` out as files: a drag that
// starts on a selected row carries the paths `selection` gives.
void AllowFileDragOut(QAbstractItemView *view, std::function<QStringList()> selection);

} // namespace ardl
