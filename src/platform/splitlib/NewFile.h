#pragma once

#include <QString>

namespace ardl {

// A file made under a temporary name in its folder and given its name only
// once it is complete, never in place of another file. Left unfinished, the
// temporary file is removed.
class NewFile {
public:
    // `mode` before the user's umask: 0666 for data, 0777 for programs.
    NewFile(const QString &folder, int mode);
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    // 0, or the errno value of the create.
    int error() const { return m_error; }
    int fd() const { return m_fd; }
    // Writes `bytes` at `offset`; returns 0 or an errno value.
    int write(const QByteArray &bytes, qint64 offset);
    // Flushes the file to disk first when `durable`, then gives it the name
    // `target`. Returns 0 or an errno value (EEXIST when the name is taken).
    int finish(const QString &target, bool durable);

private:
    QString m_temp;
    int m_fd = -1;
    int m_error = 0;
};

// Flushes a folder's entries to disk (after files got their names in it).
int SyncFolder(const QString &folder);

} // namespace ardl
