#pragma once

#include "SyncTransfer.h"

#include "common/core/TargetFolder.h"

namespace ardl {

// Copies between two local folders, each copy kept inside its destination
// folder (see TargetFolder), with the source's modification time.
class LocalTransfer final : public SyncTransfer {
public:
    LocalTransfer(const QString &leftRoot, const QString &rightRoot);

    QString destinationText(const SyncTask &task) const override;
    bool destinationExists(const SyncTask &task, QString &error) override;
    QString copy(const SyncTask &task) override;
    bool takesName(const QString &name) const override;
    // Making many small files is mostly waiting on the file system: a few
    // copies at once keep it busy.
    int parallelCopies() const override;
    std::unique_ptr<SyncTransfer> worker() const override;

private:
    TargetFolder &destination(const SyncTask &task);
    const QString &sourceRoot(const SyncTask &task) const;

    TargetFolder m_left;
    TargetFolder m_right;
};

// The text of an errno value met while writing into a destination folder.
QString SyncWriteErrorText(int error);

} // namespace ardl
