#pragma once

#include "RenameItem.h"
#include "RenameOptions.h"
#include "RenamePlan.h"

#include <vector>

namespace ardl {

// The outcome of Preview: each listed file's new name, the checked plan that
// Apply carries out, and for each row the text of its status.
struct RenamePreview {
    std::vector<RenameItem> items;   // the new names, one per listed file, same order
    RenamePlan plan;

    int errorCount() const { return plan.errorCount(); }
};

// Runs the rules over the files from the first to the last (numbering starts
// at options.StartNumber) and checks the result.
RenamePreview PreviewRenames(const std::vector<RenameItem> &files, RenameOptions &options);

// Only the rule engine's part of PreviewRenames: the new names.
std::vector<RenameItem> ApplyRulesToList(const std::vector<RenameItem> &files, RenameOptions &options);

// "Ok" or "Err", the status column's text.
QString StatusText(const PlanRow &row);
// Why a row is "Err", in words; "" for a row that is not.
QString ProblemText(RowProblem problem);

// The item of a path as the file list shows it: folder, base name, extension.
// Its FullName() is always `fullPath` itself.
RenameItem ItemFromPath(const QString &fullPath);

} // namespace ardl
