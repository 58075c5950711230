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
