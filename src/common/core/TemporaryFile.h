#pragma once

#include <QByteArray>
#include <QString>

namespace ardl {

// A fresh hidden file name for a file that is written and then renamed into
// place: short (under 40 bytes) whatever the name of the file it stands in
// for, so it fits wherever that name fits, here or on a server.
QByteArray TemporaryLeafName();

// TemporaryLeafName() in `folder` (a path ending in "/").
QString TemporaryNameIn(const QString &folder);

// Creates a new file named `folder` + TemporaryLeafName() relative to the
// open folder `dirFd` (or AT_FDCWD), never over an existing entry, with
// `mode` (less the umask) and the open flags `flags` beside O_CREAT | O_EXCL
// | O_CLOEXEC. `folder` is a native path ending in "/", or empty. Returns
// the descriptor and sets `path`, or -1 with errno set and `path` empty.
int CreateTemporaryFileAt(int dirFd, const QByteArray &folder, QByteArray &path, int flags, int mode);

// Creates a new file under a TemporaryNameIn(folder) name, never over an
// existing one, open for reading and writing with `mode` (less the umask).
// Returns its descriptor and sets `tempPath`, or -1 with errno set.
int CreateTemporaryFile(const QString &folder, QString &tempPath, int mode = 0600);

// Writes all `length` bytes of `data` to `fd`, going on after short writes
// and interrupts. Returns 0 or an errno value.
int WriteAll(int fd, const char *data, qint64 length);

} // namespace ardl
