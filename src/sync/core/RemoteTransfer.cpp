#include "RemoteTransfer.h"

#include "LocalTransfer.h"
#include "modFtp.h"

#include "common/core/TemporaryFile.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace ardl {

namespace {

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// A name for an upload in progress beside its target: hidden, never one
// that a listing would pair with a local file, and short enough for any
// server that takes the target's own name.
QString temporaryRemoteName(const QString &path)
{
    return folderOf(path) + QLatin1String(TemporaryLeafName());
}

} // namespace

RemoteTransfer::RemoteTransfer(FtpSession &session, const FtpSite &site, const QString &rightRoot)
    : m_session(session)
    , m_remoteDir(AddSlash(site.Dir))
    , m_local(rightRoot)
{
}

RemoteTransfer::RemoteTransfer(std::unique_ptr<FtpSession> own, const QString &remoteDir, const QString &rightRoot)
    : m_own(std::move(own))
    , m_session(*m_own)
    , m_remoteDir(remoteDir)
    , m_local(rightRoot)
{
}

void RemoteTransfer::copyAlsoOver(std::vector<std::unique_ptr<FtpSession>> sessions)
{
    m_helpers.clear();
    m_parallel = 1;
    if (sessions.size() < 2)
        return; // one more session would only move the copies, not overlap them
    m_helpers = std::move(sessions);
    m_parallel = int(m_helpers.size());
}

int RemoteTransfer::parallelCopies() const
{
    return m_parallel;
}

std::unique_ptr<SyncTransfer> RemoteTransfer::worker() const
{
    if (m_helpers.empty())
        return nullptr;
    std::unique_ptr<FtpSession> session = std::move(m_helpers.back());
    m_helpers.pop_back();
    return std::unique_ptr<SyncTransfer>(new RemoteTransfer(std::move(session), m_remoteDir, m_local.root()));
}

QString RemoteTransfer::remotePath(const SyncTask &task) const
{
    return m_remoteDir + task.name;
}

QString RemoteTransfer::destinationText(const SyncTask &task) const
{
    return task.direction == SyncDirection::LeftToRight ? m_local.root() + task.name : remotePath(task);
}

bool RemoteTransfer::destinationExists(const SyncTask &task, QString &error)
{
    error.clear();
    if (task.direction == SyncDirection::RightToLeft) {
        return remoteFileExists(remotePath(task));
    }
    int failure = 0;
    const TargetFolder::Entry entry = m_local.entry(task.name, &failure);
    if (entry == TargetFolder::Entry::Folder)
        failure = EISDIR;
    if (failure != 0)
        error = SyncWriteErrorText(failure);
    return entry != TargetFolder::Entry::Missing;
}

QString RemoteTransfer::copy(const SyncTask &task)
{
    return task.direction == SyncDirection::LeftToRight ? download(task) : upload(task);
}

QString RemoteTransfer::download(const SyncTask &task)
{
    QString remoteError;
    const int error = m_local.writeFile(task.name, [&](int fd) {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return EBADF;
        // The listing's size and time, when it gave them exactly, spare
        // asking the server for them again.
        QDateTime modified = task.sourceTime;
        if (!m_session.getFile(remotePath(task), file, modified.isValid() ? nullptr : &modified, task.sourceSize)) {
            remoteError = FtpErrorText(m_session);
            return EIO;
        }
        if (!file.flush())
            return EIO;
        if (modified.isValid()) {
            const timespec times[2] = {{0, UTIME_OMIT}, {time_t(modified.toSecsSinceEpoch()), 0}};
            if (::futimens(fd, times) != 0)
                return errno;
        }
        return 0;
    });
    if (error == 0)
        return QString();
    return remoteError.isEmpty() ? SyncWriteErrorText(error) : remoteError;
}

bool RemoteTransfer::remoteFileExists(const QString &path)
{
    const QString folder = folderOf(path);
    auto listed = m_listed.find(folder);
    if (listed == m_listed.end()) {
        FtpListing listing;
        if (!m_session.list(folder, listing))
            return FtpFileExists(m_session, path); // no listing there: ask about the file itself
        QSet<QString> names;
        for (const FtpEntry &entry : listing.entries)
            if (entry.type != FtpEntry::Type::Folder)
                names.insert(entry.name);
        m_knownFolders.insert(folder);
        listed = m_listed.insert(folder, names);
    }
    return listed->contains(fileNameOf(path));
}

void RemoteTransfer::uploaded(const QString &path)
{
    const auto listed = m_listed.find(folderOf(path));
    if (listed != m_listed.end())
        listed->insert(fileNameOf(path));
}

bool RemoteTransfer::ensureRemoteFolder(const QString &folder)
{
    if (m_knownFolders.contains(folder))
        return true;
    if (!FtpSetDirectory(m_session, folder) && !FtpCreatePath(m_session, folder))
        return false;
    m_knownFolders.insert(folder);
    return true;
}

QString RemoteTransfer::upload(const SyncTask &task)
{
    const QString target = remotePath(task);
    if (!ensureRemoteFolder(folderOf(target)))
        return FtpErrorText(m_session);
    const QString temporary = temporaryRemoteName(target);
    if (!m_session.putFile(m_local.root() + task.name, temporary)) {
        const QString why = FtpErrorText(m_session);
        m_session.removeFile(temporary); // what arrived of it, if anything
        return why;
    }
    if (m_session.rename(temporary, target)) {
        uploaded(target);
        return QString();
    }
    // Some servers refuse to rename onto an existing file: take it away
    // first. Once it is gone the temporary file is the only copy left, so it
    // stays when the second rename fails too.
    const QString why = FtpErrorText(m_session);
    if (!m_session.fileExists(target) || !m_session.removeFile(target)) {
        m_session.removeFile(temporary); // the old file stays; ours is not wanted
        return why;
    }
    if (m_session.rename(temporary, target)) {
        uploaded(target);
        return QString();
    }
    return FtpErrorText(m_session) + QLatin1String("\r\n")
           + FormatString(LoadResString(SyncText::UploadKeptAs), temporary);
}

} // namespace ardl
