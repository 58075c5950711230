#include "UndoRun.h"

#include "common/core/modFile.h"

namespace ardl {

RenamePlan PlanUndo(const std::vector<UndoEntry> &entries)
{
    std::vector<PlanRow> rows;
    rows.reserve(entries.size());
    for (const UndoEntry &entry : entries)
        rows.push_back(MakePlanRow(entry.current, PathWithOutFile(entry.restore), GetFileName(entry.restore)));
    return PlanRenames(std::move(rows));
}

bool RunUndo(const RenamePlan &plan, const RowDone &rowDone)
{
    return RunPlan(plan, rowDone);
}

} // namespace ardl
