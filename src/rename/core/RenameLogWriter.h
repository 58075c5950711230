#pragma once

#include "common/core/FileVersion.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

namespace ardl {

// The default rename log: "Log.log" in the program's data folder.
QString DefaultRenameLogPath();

// True when a path can stand in a log line and be read back: no "->" and
// no line break.
bool IsLoggablePath(const QString &path);

// "old -> new" CR LF, in UTF-8.
QByteArray RenameLogLine(const QString &oldPath, const QString &newPath);

// Writes a rename log line by line while the renames happen.
//
// The new log is made under a temporary name beside the target before the
// first rename, so a log that cannot be made stops the run before it starts.
// It takes the place of the old log, whole, with the first line that records
// a change of name, written as soon as that rename happened; a run in which
// no file changes its name leaves the old log as it was, and close() removes
// the temporary file.
//
// Lines go into a shared memory map of the file, so each one is in the
// system's hands the moment it is written (a run cut short, even by a crash
// of the program, keeps every line written so far) without a system call per
// line. Room is reserved on disk ahead of the lines, so a full disk is seen
// as an error, before the run for what reserve() covers. Until close() the
// file ends in unused zero bytes, which readers of the log ignore. Where the
// file cannot be mapped, each line is written with its own system call.
class RenameLogWriter {
public:
    RenameLogWriter() = default;
    ~RenameLogWriter();
    RenameLogWriter(const RenameLogWriter &) = delete;
    RenameLogWriter &operator=(const RenameLogWriter &) = delete;

    bool open(const QString &path);
    // Makes sure `bytes` more bytes of lines fit without asking the disk again.
    bool reserve(qint64 bytes);
    // Refuses a path that IsLoggablePath rejects. A line whose paths differ
    // first puts the log in place of the old one.
    bool writeLine(const QString &oldPath, const QString &newPath);
    // Cuts the file to the lines written, flushes it to disk and closes it;
    // a log that records no change of name is removed instead. One that
    // could not take the log's name stays under its temporary name, which
    // the error of writeLine() gave.
    bool close();

    // Whether `name` in `folder` (a path ending in "/") is the log's own
    // name, however the folder is spelt: the log takes that name with a
    // rename that replaces whatever is there.
    bool isNamed(QStringView folder, QStringView name) const;

    bool isOpen() const { return m_fd >= 0; }
    // Whether this log replaced the old one (it recorded a change of name).
    bool wasPutInPlace() const { return m_placed; }
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    bool fail(int error);
    bool putInPlace();
    bool useDirectWrites();
    void release();

    int m_fd = -1;
    char *m_map = nullptr;
    bool m_direct = false;  // lines written with write(), not through the map
    bool m_placed = false;  // the file has the log's name
    bool m_changed = false; // a line records a change of name: the file is kept
    qint64 m_capacity = 0;
    qint64 m_used = 0;
    QString m_path;
    QByteArray m_target; // the log's path and the temporary one, as given to the system
    QByteArray m_temp;
    QString m_leaf;          // the log's file name
    FileVersion m_folder;    // the log's folder, to know it by any spelling
    QString m_error;
    // Each path on its own: half a surrogate pair at the end of one is never
    // joined to what follows.
    QStringEncoder m_utf8{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

} // namespace ardl
