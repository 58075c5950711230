#pragma once

#include "PlanRunner.h"
#include "RenameLogReader.h"

namespace ardl {

// The renames that put the files of a log back: each entry's current path
// to its old one, checked and ordered like Apply's renames, so that chains
// and swaps come back whole and nothing in the way is ever replaced. An
// entry whose two paths are equal has nothing to undo and is left alone,
// never reported, even when its name could not be renamed.
RenamePlan PlanUndo(const std::vector<UndoEntry> &entries);

// Renames back. `rowDone` hears of every entry (plan rows are the entries,
// in order) and may stop the run, for instance after a failure.
bool RunUndo(const RenamePlan &plan, const RowDone &rowDone);

} // namespace ardl
