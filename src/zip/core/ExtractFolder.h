#pragma once

#include "common/core/FileVersion.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <mutex>

namespace ardl {

// The folder an extraction writes into. Every path below it is walked one
// folder at a time without following links, so nothing lands outside it
// even when a link inside points elsewhere. A file is written to a
// temporary name beside its target and renamed into place when complete.
// Several threads may write files through one ExtractFolder at once.
class ExtractFolder {
public:
    ExtractFolder() = default;
    ~ExtractFolder();
    ExtractFolder(const ExtractFolder &) = delete;
    ExtractFolder &operator=(const ExtractFolder &) = delete;

    bool open(const QString &folder, QString *error);

    struct Existing {
        bool exists = false;
        bool isFolder = false;
        qint64 modifiedSecs = 0;
        FileVersion version; // the entry itself, not what a link leads to
    };
    // What is at `parts` (folders, then a name) now; a link counts as a file.
    Existing probe(const QStringList &parts) const;

    // Creates each missing folder of `parts`.
    bool makeFolders(const QStringList &parts, QString *error);

    using Sink = std::function<bool(const char *data, qint64 length)>;
    // Takes a sink and feeds it the file's bytes; false when the data could
    // not be had (the caller knows why).
    using Fill = std::function<bool(const Sink &sink)>;
    // Writes the file `parts` (creating missing folders) with the bytes of
    // `fill`, the permission bits `mode` and the time `modifiedSecs`, then
    // puts it in place of whatever file has that name. On any failure the
    // partial file is removed and what was there stays.
    bool writeFile(const QStringList &parts, quint32 mode, qint64 modifiedSecs, const Fill &fill, QString *error);

private:
    // A descriptor of the folder holding the last part, or -1.
    int openParent(const QStringList &parts, bool create, QString *error) const;
    int walkToParent(const QStringList &parts, bool create, QString *error) const;
    void forgetFolders();

    int m_root = -1;
    mutable std::mutex m_foldersLock;
    mutable QHash<QString, int> m_folders;   // folders met, by path below the root
};

} // namespace ardl
