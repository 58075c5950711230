#include "RenameApply.h"

#include "PlanRunner.h"
#include "RenameLogWriter.h"

#include "common/core/FileNameCheck.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace ardl {

namespace {

// Room for every log line of a plan, in bytes, taken before the first
// rename: a line that found the disk full after its rename would leave that
// file out of the log, beyond the reach of Undo. A row's second path is its
// new one, its old one, or, where a rename was cut short between its two
// steps, a temporary name in its folder (shorter than 40 bytes).
qint64 logBytesFor(const RenamePlan &plan)
{
    constexpr qint64 TemporaryLeafRoom = 40;
    qint64 bytes = 0;
    for (const PlanRow &row : plan.rows) {
        const qint64 old = Utf8Size(row.oldPath);
        bytes += old + qMax(qMax(old, Utf8Size(row.newPath)), Utf8Size(row.oldFolder()) + TemporaryLeafRoom) + 6;
    }
    return bytes;
}

// Whether the row's line would name its file as it is on disk. A path that
// holds "->" or a line break could not be read back; a name that is not
// valid UTF-8 is known only by a look-alike; a file that is not there has
// nothing to undo. Such rows get no line.
bool lineNamesTheFile(const PlanRow &row, const RowOutcome &outcome)
{
    switch (row.problem) {
    case RowProblem::NotLoggable:
    case RowProblem::NotUtf8:
    case RowProblem::SourceMissing:
        return false;
    default:
        break;
    }
    switch (outcome.kind) {
    case RowOutcome::Failed:
        return outcome.error != ENOENT;
    case RowOutcome::Unchanged:
    case RowOutcome::Skipped: {
        // Nothing was tried, so nothing has shown whether the file is still
        // there since Preview.
        struct stat st;
        return ::lstat(QFile::encodeName(row.oldPath).constData(), &st) == 0;
    }
    case RowOutcome::Renamed:
        return true;
    }
    return true;
}

} // namespace

ApplyResult ApplyRenamePlan(const RenamePlan &plan, RenameLogWriter *log, const std::function<void(int done)> &progress)
{
    ApplyResult result;
    result.finalPaths.reserve(plan.rows.size());
    for (const PlanRow &row : plan.rows)
        result.finalPaths.push_back(row.oldPath);
    if (log) {
        for (const PlanRow &row : plan.rows) {
            if (row.moves()
                && (log->isNamed(row.oldFolder(), row.oldName()) || log->isNamed(row.newFolder, row.newName()))) {
                result.logError = FormatString(LoadResString(4121), log->path());
                return result;
            }
        }
    }
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
        if (log && row.problem == RowProblem::NotUtf8)
            ++result.notUtf8LeftOut;
        if (log && lineNamesTheFile(row, outcome) && !log->writeLine(row.oldPath, outcome.finalPath)) {
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
