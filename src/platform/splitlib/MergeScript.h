#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace ardl {

// A POSIX shell script that rebuilds `fileName` (`total` bytes) from the
// files `parts` in its own folder, of `sizes` bytes each: each part's size is
// checked, they are joined under a temporary name, the size is checked, and
// the result takes the name only when no file has it ("-f" replaces one).
QByteArray MergeScriptText(const QString &fileName, const QStringList &parts, const std::vector<qint64> &sizes,
                           qint64 total);

} // namespace ardl
