#pragma once

#include "SyncMessage.h"
#include "SyncPlan.h"

#include <functional>
#include <optional>
#include <vector>

namespace ardl {

class SyncTransfer;

// What a synchronisation asks of the page while it runs.
struct SyncRunHooks {
    // The overwrite question for an existing destination: one of
    // OverwriteAnswer (0 when it was closed without an answer).
    std::function<int(const QString &message)> askOverwrite;
    // Told before each copy ("Synchronize File : a.txt (3/10)"); the page
    // shows it and lets pending events run.
    std::function<void(const QString &status)> progress;
};

struct SyncFailure {
    QString name;
    QString reason;
    int position = 0; // of the task's row
};

struct SyncRunReport {
    int copied = 0;
    std::vector<SyncFailure> failures;
    // Cancel in the overwrite question ended the run early.
    bool cancelled = false;
    // The run could not start (no connection): why.
    std::optional<SyncMessage> stopped;
};

// Carries out the tasks of a "Dir" or "Ftp" plan in order (local copies
// may overlap; the failures come back in the order of the rows). Each task whose
// destination exists is first put to the overwrite question (All stops the
// questions for the rest of the run, No and a closed question skip the file,
// Cancel ends the run before it); each copy that fails is named with its
// reason and the run goes on. `rowCount` is the number of rows shown, for
// the progress text.
SyncRunReport RunSync(const SyncPlan &plan, const std::vector<SyncTask> &tasks, int rowCount,
                      const SyncRunHooks &hooks);

// The loop of RunSync over any transfer.
SyncRunReport RunSyncTasks(SyncTransfer &transfer, const std::vector<SyncTask> &tasks, int rowCount,
                           const SyncRunHooks &hooks);

// The full local paths of the right-side files a "File" plan's tasks send to
// the folder its sync file describes (right to left tasks only).
QStringList SyncFileRunPaths(const SyncPlan &plan, const std::vector<SyncTask> &tasks);

// The status text after a run: how many files were copied and how many failed.
QString SyncRunSummary(const SyncRunReport &report);
// The failures of a run, one line each ("name : reason"), for a message.
SyncMessage SyncFailureMessage(const SyncRunReport &report);

} // namespace ardl
