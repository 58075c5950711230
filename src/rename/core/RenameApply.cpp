#include "RenameApply.h"

#include "PlanRunner.h"
#include "RenameLogWriter.h"

namespace ardl {

namespace {

// Room for the log lines of a plan, counted in UTF-16 units: enough for
// plain ASCII names; the log grows if it needs more.
qint64 logBytesFor(const RenamePlan &plan)
{
    qint64 bytes = 0;
    for (const PlanRow &row : plan.rows)
        bytes += row.oldPath.size() + qMax(row.oldPath.size(), row.newPath.size()) + 6;
    return bytes;
}

} // namespace

ApplyResult ApplyRenamePlan(const RenamePlan &plan, RenameLogWriter *log,
                            const std::function<void(int done)> &progress)
{
    ApplyResult result;
    result.finalPaths.reserve(plan.rows.size());
    for (const PlanRow &row : plan.rows)
        result.finalPaths.push_back(row.oldPath);
    if (log && !log->reserve(logBytesFor(plan))) {
        result.logError = log->errorString();
        return result;
    }
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
