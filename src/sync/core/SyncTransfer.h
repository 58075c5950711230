#pragma once

#include "RelativeNames.h"
#include "SyncPlan.h"

#include <QString>

#include <memory>

namespace ardl {

// How the files of one kind of run travel: between two local folders, or
// between a remote folder and a local one. A run asks it about each task's
// destination, then has it copy the file.
class SyncTransfer {
public:
    virtual ~SyncTransfer() = default;

    // Where the task's file goes, as the overwrite question names it.
    virtual QString destinationText(const SyncTask &task) const = 0;
    // Whether the destination is there already; "" in `error` unless it
    // could not be told.
    virtual bool destinationExists(const SyncTask &task, QString &error) = 0;
    // Copies the file; "" on success, else why it failed.
    virtual QString copy(const SyncTask &task) = 0;
    // Whether `name` joined to the roots stays below them. A server may
    // take "\" for a folder separator and a line break for the end of a
    // command, so by default neither passes.
    virtual bool takesName(const QString &name) const { return IsSafeRelativePath(name); }

    // How many copies may run at once, each on a transfer of its own that
    // worker() makes; 1 keeps every copy on the caller's thread.
    virtual int parallelCopies() const { return 1; }
    virtual std::unique_ptr<SyncTransfer> worker() const { return nullptr; }
};

} // namespace ardl
