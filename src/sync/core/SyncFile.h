#pragma once

#include "common/core/LeftOutNames.h"
#include "common/core/colFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The sync file: a text snapshot of a folder tree, carried to another machine
// and compared there. UTF-8, CR LF lines; line 1 the folder with a trailing
// separator; then one line per file: relative name "|" size "|" date, the
// date as local time "dd/MM/yyyy HH:mm:ss".
namespace ardl {

// The date as the file holds it.
QString SyncFileDateText(const QDateTime &date);
// A date as sync files hold it, also the forms older files used: day, month
// and year ("/", "." or "-" between them, two-digit years by the usual
// century rule), or year-month-day; a time with or without seconds and AM/PM,
// or none (midnight). Month-first order is taken when the day cannot be the
// first number or the time has AM/PM. Invalid when it cannot be read.
QDateTime ParseSyncFileDate(const QString &text);

// The line of one file.
QString SyncFileLine(const QString &relativeName, qint64 size, const QDateTime &date);

struct SyncFileWriteResult {
    bool ok = false;
    QString error;              // why it could not be written
    LeftOutNames skipped;       // names a line cannot hold (line breaks, "\", not UTF-8)
};

// Writes the files of `files` (full paths below `root`, as a folder scan
// gives them) to `path`, through a temporary file renamed into place.
SyncFileWriteResult WriteSyncFile(const QString &path, const QString &root, const colFile &files);

// Scans `folder` with `mask` (and its sub-folders when `recursive`) and writes
// the sync file; a folder of the tree that cannot be read fails it, naming
// that folder, and nothing is written.
SyncFileWriteResult CreateSyncFile(const QString &path, const QString &folder, const QString &mask,
                                   bool recursive);

// One file of a loaded sync file.
struct SyncFileEntry {
    QString name;              // relative, "/" between folders
    qint64 size = 0;
    bool sizeLow32 = false;    // an older file's negative size: only the low 32 bits are known
    QDateTime date;            // local; invalid when unreadable
};

struct SyncFileContents {
    bool ok = false;            // false: the file could not be read
    QString error;
    QString header;             // line 1
    std::vector<SyncFileEntry> entries;
    int malformedLines = 0;     // lines without name, size and date, or with a bad size
    QStringList rejectedNames;  // names that would leave their folder
    QStringList undatedNames;   // read, but with a date that could not be read
};

// Reads a sync file. Each line splits at its last two "|", so names may hold
// "|"; "\" in names reads as a folder separator and a leading one is dropped.
SyncFileContents ReadSyncFile(const QString &path);

// Reads a sync file into the left side of the compare set (SyncItems).
struct SyncFileLoadReport {
    SyncFileContents contents;
    QStringList duplicateNames;   // names already in the set, skipped
};
SyncFileLoadReport LoadSyncFile(const QString &path);

} // namespace ardl
