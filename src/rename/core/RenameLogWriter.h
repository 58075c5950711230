#pragma once

#include <QByteArray>
#include <QString>

namespace ardl {

// The default rename log: "Log.log" in the program's data folder.
QString DefaultRenameLogPath();

// True when a path can stand in a log line and be read back: no "->" and
// no line break.
bool IsLoggablePath(const QString &path);

// "old -> new" CR LF, in UTF-8.
QByteArray RenameLogLine(const QString &oldPath, const QString &newPath);

// Writes a rename log line by line while the renames happen. The new log is
// made under a temporary name beside the target and put in place of the old
// one before the first rename, so that a log that cannot be written stops
// the run before it starts, the old log is replaced whole, and a run that is
// cut short still leaves every line written so far under the log's name.
class RenameLogWriter {
public:
    RenameLogWriter() = default;
    ~RenameLogWriter();
    RenameLogWriter(const RenameLogWriter &) = delete;
    RenameLogWriter &operator=(const RenameLogWriter &) = delete;

    bool open(const QString &path);
    // Hands the line to the system at once. Refuses a path that IsLoggablePath rejects.
    bool writeLine(const QString &oldPath, const QString &newPath);
    // Flushes the log to disk and closes it.
    bool close();

    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    bool fail(int error);

    int m_fd = -1;
    QString m_path;
    QString m_error;
};

} // namespace ardl
