#pragma once

#include "RenamePlan.h"

#include <QString>

#include <functional>
#include <vector>

namespace ardl {

class RenameLogWriter;

// A row whose rename was tried and did not happen.
struct RenameFailure {
    int row = -1;
    QString oldPath;
    QString newPath;
    int error = 0;   // errno
};

struct ApplyResult {
    int renamed = 0;                       // files that now have their new names
    std::vector<QString> finalPaths;       // per row: where the file is now
    std::vector<RenameFailure> failures;
    QString logError;                      // set when the log stopped the run
    int notUtf8LeftOut = 0;                // rows left out of the log: names not valid UTF-8
};

// Carries out the plan that Preview showed. With a log (already opened),
// each row gets its line as soon as its outcome is final: "old -> new" for
// a rename, "old -> old" for a row left alone or one that failed. A row
// whose line would name no file on disk (a name that is not valid UTF-8, a
// missing file, a path a line cannot hold) gets no line. When a
// line cannot be written the run stops there; when the log has no room for
// the plan's lines, before the first rename. Rows marked in the plan are
// left alone. `progress` (may be empty) hears the number of rows done.
ApplyResult ApplyRenamePlan(const RenamePlan &plan, RenameLogWriter *log,
                            const std::function<void(int done)> &progress = {});

} // namespace ardl
