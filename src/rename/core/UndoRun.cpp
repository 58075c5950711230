#include "UndoRun.h"

#include "common/core/modFile.h"

namespace ardl {

RenamePlan PlanUndo(const std::vector<UndoEntry> &entries)
{
    std::vector<PlanRow> rows;
    rows.reserve(entries.size());
    for (const UndoEntry &entry : entries)
        rows.push_back(MakePlanRow(entry.current, PathWithOutFile(entry.restore), GetFileName(entry.restore)));
    RenamePlan plan = PlanRenames(std::move(rows));
    // A pair whose two paths are equal has nothing to undo, whatever its
    // name: it is passed over without a look at the disk.
    for (PlanRow &row : plan.rows) {
        if (row.oldPath == row.newPath)
            row.problem = RowProblem::None;
    }
    return plan;
}

bool RunUndo(const RenamePlan &plan, const RowDone &rowDone)
{
    return RunPlan(plan, rowDone);
}

} // namespace ardl
