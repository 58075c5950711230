#pragma once

#include "SplitFault.h"
#include "SplitLayout.h"

namespace ardl {

struct CreateExeOutput {
    SplitProblem problem;
    QString program;      // full path of the self-merging program made
    qint64 size = 0;      // its size in bytes
    qint64 total = 0;     // the length of the file it rebuilds
    quint64 checksum = 0; // of that file

    bool ok() const { return problem.ok(); }
};

// Makes the self-merging program MergeProgramName(base) in `destFolder`
// from the merge program `mergeProgram` and the `partCount` parts of `name`
// written there by SplitFile with `firstSize` and `partSize`. The parts are
// checked first (each must be there with the size the split gives it) and
// summed; the program carries part 0, the sizes and the checksum, so it
// rebuilds the file from itself and parts 1 to partCount - 1. Written under
// a temporary name and given its name only when complete, never in place of
// another file. Part 0 and the merge script are left for the caller.
CreateExeOutput CreateExe(const QString &mergeProgram, const QString &destFolder, const SplitName &name,
                          qint64 partCount, qint64 firstSize, qint64 partSize, bool durable = false);

} // namespace ardl
