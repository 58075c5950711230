#include "RenameApply.h"

#include "PlanRunner.h"
#include "RenameLogWriter.h"

namespace ardl {

ApplyResult ApplyRenamePlan(const RenamePlan &plan, RenameLogWriter *log,
                            const std::function<void(int done)> &progress)
{
    ApplyResult result;
    result.finalPaths.reserve(plan.rows.size());
    for (const PlanRow &row : plan.rows)
        result.finalPaths.push_back(row.oldPath);
    int done = 0;
    RunPlan(plan, [&](int i, const RowOutcome &outcome) {
        const PlanRow &row = plan.rows[size_t(i)];
        result.finalPaths[size_t(i)] = outcome.finalPath;
        if (outcome.kind == RowOutcome::Renamed)
            ++result.renamed;
        else if (outcome.kind == RowOutcome::Failed)
            result.failures.push_back({i, row.oldPath, row.newPath, outcome.error});
        // A row whose paths cannot stand in a log line was never touched.
        const bool loggable = row.problem != RowProblem::NotLoggable;
        if (log && loggable && !log->writeLine(row.oldPath, outcome.finalPath)) {
            result.logError = log->errorString();
            return false;
        }
        if (progress)
            progress(++done);
        return true;
    });
    return result;
}

} // namespace ardl
