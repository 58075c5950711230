#pragma once

#include <QString>

// Path splitting, existence tests and folder creation. Paths use "/" as the
// separator; a folder path "with separator" ends in "/".
namespace ardl {

// True when `path` names an existing file (a link to a file counts; a folder
// does not). Empty path: false.
bool FileExists(const QString &path);
// True when `path` names an existing folder. Never changes the current folder.
bool FolderExists(const QString &path);

// The path without the extension of its file name: "a.b.c" gives "a.b". Only
// the file-name part is looked at, so "/x.y/file" stays whole, and a name
// whose only "." is its first character (".cfg") has no extension.
QString GetFileBaseName(const QString &path);
// The extension of the file name without the ".": "archive.tar.gz" gives
// "gz"; "" for no ".", a leading "." only, or a trailing ".".
QString GetFileExtension(const QString &path);
// Text after the last "/"; the whole text when there is none; "" when the
// text ends with "/".
QString GetFileName(const QString &path);
// Text up to and including the last "/"; "" when there is none.
QString PathWithOutFile(const QString &path);
QString GetDirPart(const QString &path);
// The text with "/" appended unless it is empty or already ends with one.
QString AddBackslash(const QString &path);
// Name of the folder holding the file: "/a/b/f.txt" gives "b"; a path
// without "/" is returned whole; "/f.txt" gives "".
QString LastPath(const QString &path);
// Creates each missing folder along `path` up to its last "/": "/a/b/" creates
// "/a" and "/a/b", "/a/b" only "/a". Returns false when one cannot be created.
bool CreateFolderTree(const QString &path);
// The path with its root separator removed: "/a/b" gives "a/b"; a relative
// path is returned whole.
QString StripDriveRoot(const QString &path);

} // namespace ardl
