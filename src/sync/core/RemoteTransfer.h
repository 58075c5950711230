#pragma once

#include "SyncTransfer.h"

#include "common/core/TargetFolder.h"
#include "platform/ftp/FtpSession.h"

#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

namespace ardl {

// Downloads from a remote folder (the left side) and uploads to it, over one
// FTP session, or side by side over sessions of their own. A download is written beside its local target and renamed
// into place with the server's time; an upload goes to a temporary name in
// its remote folder, takes the local file's time where the server can set
// times, and is renamed into place. Missing remote folders are made.
class RemoteTransfer final : public SyncTransfer {
public:
    // `session` is open; `site.Dir` is the remote folder with its trailing "/".
    RemoteTransfer(FtpSession &session, const FtpSite &site, const QString &rightRoot);

    QString destinationText(const SyncTask &task) const override;
    bool destinationExists(const SyncTask &task, QString &error) override;
    QString copy(const SyncTask &task) override;

    // Open sessions to the same site for copies made side by side, one per
    // copy at a time; the run's session then only answers the checks. With
    // fewer than two, every copy stays on the run's session.
    void copyAlsoOver(std::vector<std::unique_ptr<FtpSession>> sessions);
    int parallelCopies() const override;
    // A transfer over the next of those sessions, which it owns.
    std::unique_ptr<SyncTransfer> worker() const override;

private:
    RemoteTransfer(std::unique_ptr<FtpSession> own, const QString &remoteDir, const QString &rightRoot);
    QString remotePath(const SyncTask &task) const;
    QString download(const SyncTask &task);
    QString upload(const SyncTask &task);
    // Makes sure the remote folder (with its trailing "/") exists.
    bool ensureRemoteFolder(const QString &folder);
    // Whether a remote file exists, from one listing of its folder per run.
    bool remoteFileExists(const QString &path);
    // Notes a file uploaded into a folder listed before.
    void uploaded(const QString &path);

    std::unique_ptr<FtpSession> m_own; // a worker's session
    FtpSession &m_session;
    mutable std::vector<std::unique_ptr<FtpSession>> m_helpers; // sessions not yet handed to a worker
    int m_parallel = 1;
    QString m_remoteDir;
    TargetFolder m_local;
    QSet<QString> m_knownFolders;
    QHash<QString, QSet<QString>> m_listed; // folder -> its file names
};

} // namespace ardl
