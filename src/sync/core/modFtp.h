#pragma once

#include "FtpSite.h"
#include "SyncMessage.h"

#include "common/core/colFile.h"
#include "platform/ftp/FtpSession.h"

#include <functional>
#include <memory>
#include <vector>

// The Sync tool's remote side: connecting to a site, listing a remote folder
// tree, and the small operations a synchronisation needs.
namespace ardl {

// Told the folder being listed ("Scan Directory : /pub/"); a page shows it
// and lets pending events run.
using SyncStatusFn = std::function<void(const QString &)>;

// "" stays ""; otherwise the path with "/" appended unless it ends with one.
QString AddSlash(const QString &path);
// "" stays ""; otherwise the path without a leading "/".
QString StripLeadingSlash(const QString &path);

// The text of an FTP error code: the server's last reply for 12003 (the
// code's own text when there is none), the string-table text for the other
// codes of 12001-12037, "" for anything else.
QString GetInternetErrorText(int code);
// The text of the session's last failure; never empty.
QString FtpErrorText(const FtpSession &session);

// A session logged in to the site, or not (isOpen() false, the reason in
// its last error).
std::unique_ptr<FtpSession> FtpConnect(const FtpSite &site);

bool FtpFileExists(FtpSession &connection, const QString &path);
bool FtpSetDirectory(FtpSession &connection, const QString &folder);
// Makes one folder; an existing folder is no error for the callers.
void FtpMakeDir(FtpSession &connection, const QString &path);
// Makes each missing folder of `path` ("/pub/a/" makes "/pub/" then
// "/pub/a/"); a last step without a trailing "/" is not a folder. True when
// the folder exists afterwards.
bool FtpCreatePath(FtpSession &connection, const QString &path);

// One remote file of a listing.
struct RemoteFile {
    QString Name;             // relative to the listing's root, "/" between folders
    qint64 Size = -1;         // -1 when the server gave none
    QDateTime Date;           // UTC; invalid when unreadable
    DatePrecision Precision = DatePrecision::Second;
};

// What a remote listing found, and what it had to leave out.
struct RemoteScan {
    bool ok = false;
    SyncMessage failure;            // why it stopped, when !ok
    std::vector<RemoteFile> files;
    QStringList rejectedNames;      // names that would leave their folder
    QStringList undatedNames;       // listed, but with no readable date
    QStringList unreadableLines;    // listing lines not understood
    QStringList linkNames;          // links the listing shows as links, left out
};

// Lists the site's folder (and its sub-folders when Recursive) without
// showing anything. A failed login, a missing start folder or any folder that
// cannot be listed stops the listing with its message.
RemoteScan FtpListRemoteFolder(FtpSite &site, const SyncStatusFn &status = {});

// Walks from site.Dir; false with scan.failure set when a folder cannot be listed.
bool FtpWalkFolders(FtpSession &connection, FtpSite &site, RemoteScan &scan,
                    const SyncStatusFn &status = {});
// Adds the files of one listed folder (site.Dir) that match site.Filter.
void FtpAddFolderFiles(const FtpListing &listing, const FtpSite &site, RemoteScan &scan);

// FtpListRemoteFolder into `files` (local times), showing a failure in a
// message box. False when it failed.
bool FtpScanRemoteFolder(colFile &files, FtpSite &site, const SyncStatusFn &status = {});

} // namespace ardl
