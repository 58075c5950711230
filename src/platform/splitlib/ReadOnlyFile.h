#pragma once

#include "common/core/FileVersion.h"

#include <QString>

namespace ardl {

// A regular file opened for reading, closed with the object.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString &path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    int fd() const { return m_fd; }
    // 0, or the errno value of the open (EINVAL: no regular file).
    int error() const { return m_error; }
    // Its length when it was opened; -1 when it could not be.
    qint64 length() const { return m_length; }
    // True when its length or modification time is no longer what it was
    // when it was opened, or its path now names another file (one saved
    // over it), or this cannot be told: what was read from it may then be a
    // mix of old and new bytes, or not what the path holds now.
    bool changed() const;

private:
    QString m_path;
    int m_fd;
    int m_error = 0;
    qint64 m_length = -1;
    FileVersion m_opened;
};

} // namespace ardl
