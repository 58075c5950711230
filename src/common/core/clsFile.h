#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ardl {

// One listed file: a local path, a path relative to a remote root, or an
// entry name inside an archive, as the filler gives it.
struct clsFile {
    QString Name;
    qint64 Size = 0;             // bytes
    QDateTime Date;              // last write, local time, whole seconds
    qint64 CompressedSize = 0;   // zip entries only
    qint32 Ratio = 0;            // zip entries only: compression in percent
    // The local path as the file system spells it, set only when it is not
    // valid UTF-8: Name then shows the bytes it cannot decode as U+FFFD, so
    // it names no file on disk and may look like another file's name. For
    // an archive entry, the bytes of its name when Name does not spell them.
    QByteArray RawName;

    // Name gives the file's path back exactly.
    bool NameIsExact() const { return RawName.isEmpty(); }
};

} // namespace ardl
