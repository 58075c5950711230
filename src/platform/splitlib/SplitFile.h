#pragma once

#include "SplitFault.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ardl {

struct SplitFileOptions {
    // Flush every file to disk before it gets its name (when the source is
    // to be deleted afterwards).
    bool durable = false;
    // Called after each part with the parts written and the parts in all.
    std::function<void(qint64 done, qint64 count)> progress;
};

struct SplitFileOutput {
    SplitProblem problem;
    std::vector<qint64> partSizes;   // of the parts written, part 0 first
    qint64 total = 0;                // the source's length
    QStringList parts;               // full paths of the parts written
    QString script;                  // full path of the merge script

    bool ok() const { return problem.ok(); }
    qint64 partCount() const { return qint64(partSizes.size()); }
};

// Cuts the file `sourcePath` (named `fileName`) into the parts
// baseName & n & ".kos", n from 0, in `destFolder`: part 0 holds at most
// `firstSize` bytes, every other part at most `partSize` (both above 0).
// Then writes the merge script beside them. Each file is written under a
// temporary name and takes its name only when complete; no existing file is
// ever replaced (the problem is then EEXIST on that name). A source that
// changes while it is read fails the split (SourceChanged). On any failure
// the files this call wrote are removed again. An empty source gives no
// parts and no script. Holes of a sparse source stay holes in the parts.
SplitFileOutput SplitFile(const QString &sourcePath, const QString &fileName, const QString &destFolder,
                          const QString &baseName, qint64 firstSize, qint64 partSize,
                          const SplitFileOptions &options = {});

} // namespace ardl
