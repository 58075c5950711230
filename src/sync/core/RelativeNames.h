#pragma once

#include <QString>

// Roots and the names relative to them, and the names that may be trusted
// to stay inside their root.
namespace ardl {

// The folder with "." and ".." steps and doubled separators resolved and
// exactly one trailing "/": "/a/b" and "/a/b/" both give "/a/b/". "" stays "".
QString NormalizedRoot(const QString &root);

// `path` without `normalizedRoot` in front; the path itself when it does not
// start with the root.
QString RelativeName(const QString &path, const QString &normalizedRoot);

// A name of one folder entry that can be joined to its folder safely: not
// empty, not "." or "..", and no "/", "\", NUL or line break in it.
bool IsSafeEntryName(const QString &name);

// A relative path ("sub/a.txt") whose every step is a safe entry name, so
// that joined to a root it stays below that root.
bool IsSafeRelativePath(const QString &path);

// A relative path that stays below a local folder it is joined to: every
// step not empty, not "." or "..", and without NUL. "\" and line breaks are
// plain characters of a local name.
bool IsSafeLocalPath(const QString &path);

} // namespace ardl
