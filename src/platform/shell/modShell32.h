#pragma once

#include <QString>
#include <QStringList>

namespace ardl {

// Asks for a folder, starting in `startFolder` (the home folder when empty).
// Returns the chosen folder with one trailing "/", or "" when the user
// cancels or picks something that is not a local folder.
QString BrowseForFolder(const QString &startFolder = QString());

// Opens `file` the way the desktop opens it: a document or folder with the
// program associated with its type, a web or mail address ("https://...",
// "mailto:...") with the browser or mail program. When the desktop has
// nothing to open it with, asks which program to use and starts that one,
// in `folder`, with the file as its last argument (never through a shell).
// A relative file is looked up in `folder`. `operation` is the verb: "open"
// or "" (nothing else is offered). Returns whether something was started.
bool RunShellExecute(const QString &operation, const QString &file, const QString &folder = QString());

// Starts the program at `program` with `arguments`, each handed over as it
// stands (never through a shell), in `folder` (the current folder when
// empty), and does not wait for it. Returns whether it started.
bool StartProgram(const QString &program, const QStringList &arguments = {}, const QString &folder = QString());

} // namespace ardl
