#pragma once

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
};

} // namespace ardl
