#include "LocalTransfer.h"

#include "SyncMessage.h"

#include "common/core/FileRenamer.h"
#include "common/core/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace ardl {

QString SyncWriteErrorText(int error)
{
    switch (error) {
    case ELOOP:
    case ENOTDIR:
        return LoadResString(SyncText::LinkOnTheWay);
    case EISDIR:
        return LoadResString(SyncText::FolderInTheWay);
    default:
        return ErrorText(error);
    }
}

LocalTransfer::LocalTransfer(const QString &leftRoot, const QString &rightRoot)
    : m_left(leftRoot)
    , m_right(rightRoot)
{
}

TargetFolder &LocalTransfer::destination(const SyncTask &task)
{
    return task.direction == SyncDirection::LeftToRight ? m_right : m_left;
}

const QString &LocalTransfer::sourceRoot(const SyncTask &task) const
{
    return task.direction == SyncDirection::LeftToRight ? m_left.root() : m_right.root();
}

QString LocalTransfer::destinationText(const SyncTask &task) const
{
    const TargetFolder &to = task.direction == SyncDirection::LeftToRight ? m_right : m_left;
    return to.root() + task.name;
}

bool LocalTransfer::destinationExists(const SyncTask &task, QString &error)
{
    int failure = 0;
    const TargetFolder::Entry entry = destination(task).entry(task.name, &failure);
    if (entry == TargetFolder::Entry::Folder)
        failure = EISDIR;
    error = failure == 0 ? QString() : SyncWriteErrorText(failure);
    return entry != TargetFolder::Entry::Missing;
}

QString LocalTransfer::copy(const SyncTask &task)
{
    const int error = destination(task).copyFile(sourceRoot(task) + task.name, task.name);
    return error == 0 ? QString() : SyncWriteErrorText(error);
}

bool LocalTransfer::takesName(const QString &name) const
{
    return IsSafeLocalPath(name);
}

int LocalTransfer::parallelCopies() const
{
    constexpr unsigned MaxCopies = 4;
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, MaxCopies));
}

std::unique_ptr<SyncTransfer> LocalTransfer::worker() const
{
    return std::make_unique<LocalTransfer>(m_left.root(), m_right.root());
}

} // namespace ardl
