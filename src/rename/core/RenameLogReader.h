#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace ardl {

// One line of a rename log, read back for Undo.
struct UndoEntry {
    QString current; // the new path the line names: where the file is now
    QString restore; // the old path: where Undo puts it back
};

struct RenameLogContents {
    std::vector<UndoEntry> entries; // in file order
    int skippedLines = 0;           // lines that could not be read as a pair of paths
};

// Reads "old -> new" lines (CR LF or LF). A line is split at its "->"; the
// blanks the separator puts around it are dropped and so are blanks before
// a path, while blanks at the end of a name belong to it. "\" is taken for
// "/" in a path that has no "/" at all. Lines without exactly one "->" or
// without two absolute paths, and lines that are not valid UTF-8, are
// skipped, never guessed at. A byte order mark at the start is passed over.
// Blank lines and the zero bytes a log cut short ends in are not counted as
// skipped.
RenameLogContents ParseRenameLog(const QByteArray &bytes);

// Reads the log file; false (and `error` set) when it cannot be read.
bool ReadRenameLog(const QString &path, RenameLogContents &contents, QString *error = nullptr);

} // namespace ardl
