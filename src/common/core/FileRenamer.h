#pragma once

#include <QString>

namespace ardl {

// How a file is moved to a new name without ever replacing what is there.
enum class NoReplaceMethod {
    Auto,        // renameat2(RENAME_NOREPLACE), falling back as the file system requires
    LinkUnlink,  // link() to the new name, then unlink() the old one
    Placeholder, // reserve the new name with an exclusive create, then rename over it
};

// Moves `from` to `to` in one step, failing with EEXIST when `to` exists.
// Returns 0 or an errno value. The file's content, times, permissions and
// links are those of the file itself: nothing is copied.
int RenameNoReplace(const QString &from, const QString &to, NoReplaceMethod method = NoReplaceMethod::Auto);

// A fresh hidden name in `folder` (a path ending in "/") for a file that is
// written and then renamed into place: short (under 40 bytes) whatever the
// name of the file it stands in for, so it fits wherever that name fits.
QString TemporaryNameIn(const QString &folder);

// Creates a new file under a TemporaryNameIn(folder) name, never over an
// existing one, open for reading and writing with `mode` (less the umask).
// Returns its descriptor and sets `tempPath`, or -1 with errno set.
int CreateTemporaryFile(const QString &folder, QString &tempPath, int mode = 0600);

// Moves `from` to a fresh hidden name in its own folder and sets `tempPath`
// to it. Returns 0 or an errno value.
int MoveToTemporaryName(const QString &from, QString &tempPath);

// True when the two paths differ only in letter case: on a file system that
// ignores case they name the same file.
bool IsCaseOnlyChange(const QString &from, const QString &to);

// Moves `from` to `to` like RenameNoReplace; a change of letter case only
// goes through a temporary name so that it also works where names ignore
// case. On failure the file is back at `from` when that was possible;
// `where` says where it is in every case.
int MoveFile(const QString &from, const QString &to, QString *where = nullptr);

// The text of an errno value, as the system words it.
QString ErrorText(int error);

} // namespace ardl
