#pragma once

#include "RenamePlan.h"

#include <functional>

namespace ardl {

// What became of one row of a plan.
struct RowOutcome {
    enum Kind {
        Renamed,     // the file has its new name
        Unchanged,   // the rules left the name as it was
        Skipped,     // the plan marked the row: nothing was tried
        Failed,      // the rename was tried and did not happen
    };
    Kind kind = Unchanged;
    QString finalPath;   // where the file is now
    int error = 0;       // errno of a failure
};

// Carries out a plan: rows are visited in list order, and a moving row
// brings its whole group with it, in the group's order. A failure inside a
// cycle puts every file of the cycle back where it was. `rowDone` hears of
// each row once, as soon as its outcome is final; it returns false to stop
// the run (a cycle already started is finished or put back first).
// Returns false when the run was stopped.
using RowDone = std::function<bool(int row, const RowOutcome &outcome)>;
bool RunPlan(const RenamePlan &plan, const RowDone &rowDone);

} // namespace ardl
