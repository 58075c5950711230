#pragma once

#include "SyncTransfer.h"

#include "common/core/TargetFolder.h"
#include "platform/ftp/FtpSession.h"

#include <QHash>
#include <QSet>

namespace ardl {

// Downloads from a remote folder (the left side) and uploads to it, over one
// FTP session. A download is written beside its local target and renamed
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

private:
    QString remotePath(const SyncTask &task) const;
    QString download(const SyncTask &task);
    QString upload(const SyncTask &task);
    // Makes sure the remote folder (with its trailing "/") exists.
    bool ensureRemoteFolder(const QString &folder);
    // Whether a remote file exists, from one listing of its folder per run.
    bool remoteFileExists(const QString &path);
    // Notes a file uploaded into a folder listed before.
    void uploaded(const QString &path);

    FtpSession &m_session;
    QString m_remoteDir;
    TargetFolder m_local;
    QSet<QString> m_knownFolders;
    QHash<QString, QSet<QString>> m_listed; // folder -> its file names
};

} // namespace ardl
