#pragma once

#include <QString>

#include <QtGlobal>

struct stat;

namespace ardl {

// What tells one version of a file from another without reading it: the
// file itself (device and inode), its size and its modification time to the
// nanosecond. Equal versions are taken for the same content; a file replaced
// by another, or written to, has another version.
struct FileVersion {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    // The file at `path` now, links followed; `exists` false when there is
    // none or it cannot be looked at.
    static FileVersion Of(const QString &path);
    static FileVersion Of(const struct stat &st);

    bool operator==(const FileVersion &other) const = default;
    // Both are the one file (another name of it counts), whatever its
    // content now.
    bool isSameFile(const FileVersion &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
};

} // namespace ardl
