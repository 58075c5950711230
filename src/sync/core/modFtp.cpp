#include "modFtp.h"

#include "RelativeNames.h"

#include "common/core/AppInfo.h"
#include "common/core/FileMask.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "platform/ftp/FtpErrorCodes.h"

namespace ardl {

namespace {

QString absolute(const QString &path)
{
    return path.startsWith(u'/') ? path : u'/' + path;
}

// A folder to list, and the identities the server gave the folders above
// it, so that a link back up the tree is not walked round and round.
struct PendingFolder {
    QString folder;
    QStringList above;
};

SyncMessage failureOf(const FtpSession &session)
{
    return SyncMessage{session.lastError(), FtpErrorText(session), MsgIcon::Information};
}

// A refusal by the server (a 5xx reply) as opposed to a lost connection.
bool refused(const FtpSession &session)
{
    return session.lastError() == FtpErrorCode::ExtendedError && session.lastReply().startsWith(u'5');
}

} // namespace

FtpSite &FtpBrowseSite()
{
    static FtpSite site;
    return site;
}

QString AddSlash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString StripLeadingSlash(const QString &path)
{
    return path.startsWith(u'/') ? path.mid(1) : path;
}

QString GetInternetErrorText(int code)
{
    if (code == FtpErrorCode::ExtendedError) {
        const QString reply = FtpLastResponseInfo();
        return reply.isEmpty() ? LoadResString(code) : reply;
    }
    if (code >= FtpErrorCode::First && code <= FtpErrorCode::Last)
        return LoadResString(code);
    return QString();
}

QString FtpErrorText(const FtpSession &session)
{
    const int code = session.lastError();
    const QString detail = session.lastErrorDetail();
    if (code == FtpErrorCode::ExtendedError && !session.lastReply().isEmpty())
        return session.lastReply();
    QString text = LoadResString(code);
    if (text.isEmpty())
        text = LoadResString(FtpErrorCode::InternalError);
    if (!detail.isEmpty())
        text += QLatin1String("\r\n") + detail;
    return text;
}

std::unique_ptr<FtpSession> FtpConnect(const FtpSite &site)
{
    auto session = std::make_unique<FtpSession>();
    session->open(site.Server, site.Port, site.User, site.Password);
    return session;
}

bool FtpFileExists(FtpSession &connection, const QString &path)
{
    return connection.fileExists(absolute(path));
}

bool FtpSetDirectory(FtpSession &connection, const QString &folder)
{
    return connection.folderExists(absolute(folder));
}

void FtpMakeDir(FtpSession &connection, const QString &path)
{
    connection.makeDir(absolute(path));
}

bool FtpCreatePath(FtpSession &connection, const QString &path)
{
    const QString full = absolute(path);
    QString last = QStringLiteral("/");
    for (qsizetype slash = full.indexOf(u'/', 1); slash >= 0; slash = full.indexOf(u'/', slash + 1)) {
        last = full.left(slash + 1);
        if (!connection.folderExists(last))
            connection.makeDir(last);
    }
    return connection.folderExists(last);
}

void FtpAddFolderFiles(const FtpListing &listing, const FtpSite &site, RemoteScan &scan)
{
    const QString folder = AddSlash(absolute(site.Dir));
    const qsizetype rootLength = AddSlash(absolute(site.RootDir)).size();
    const FileMask mask(site.Filter);
    for (const QString &line : listing.unreadableLines)
        scan.unreadableLines.push_back(line);
    for (const FtpEntry &entry : listing.entries) {
        if (entry.type == FtpEntry::Type::Folder)
            continue;
        const QString relative = folder.mid(rootLength) + entry.name;
        if (!IsSafeEntryName(entry.name)) {
            scan.rejectedNames.push_back(relative);
            continue;
        }
        if (!mask.matches(entry.name))
            continue;
        // A link listed as a link carries its own size and time, not those
        // of what it points to, and may point to a folder.
        if (entry.type == FtpEntry::Type::Link) {
            scan.linkNames.push_back(relative);
            continue;
        }
        if (!entry.modified.isValid())
            scan.undatedNames.push_back(relative);
        scan.files.push_back(RemoteFile{relative, entry.size, entry.modified, entry.precision});
    }
}

bool FtpWalkFolders(FtpSession &connection, FtpSite &site, RemoteScan &scan, const SyncStatusFn &status)
{
    const qsizetype rootLength = AddSlash(absolute(site.RootDir)).size();
    std::vector<PendingFolder> stack;
    PendingFolder current{AddSlash(absolute(site.Dir)), {}};
    for (;;) {
        site.Dir = current.folder;
        const QString scanning = FormatString(LoadResString(SyncText::ScanDirectory), current.folder);
        if (status)
            status(scanning);
        FtpListing listing;
        if (!connection.list(current.folder, listing)) {
            scan.failure = failureOf(connection);
            scan.failure.text += QLatin1String("\r\n") + scanning;
            return false;
        }
        FtpAddFolderFiles(listing, site, scan);
        for (const FtpEntry &entry : listing.entries) {
            if (!site.Recursive || entry.type != FtpEntry::Type::Folder)
                continue;
            if (!IsSafeEntryName(entry.name)) {
                scan.rejectedNames.push_back(current.folder.mid(rootLength) + entry.name);
                continue;
            }
            if (!entry.unique.isEmpty() && current.above.contains(entry.unique))
                continue;
            PendingFolder next{current.folder + entry.name + u'/', current.above};
            if (!entry.unique.isEmpty())
                next.above.push_back(entry.unique);
            stack.push_back(std::move(next));
        }
        if (stack.empty())
            return true;
        current = std::move(stack.back());
        stack.pop_back();
    }
}

RemoteScan FtpListRemoteFolder(FtpSite &site, const SyncStatusFn &status)
{
    RemoteScan scan;
    const std::unique_ptr<FtpSession> session = FtpConnect(site);
    if (!session->isOpen()) {
        scan.failure = failureOf(*session);
        return scan;
    }
    const QString start = absolute(site.Dir);
    if (!FtpSetDirectory(*session, start)) {
        scan.failure = refused(*session)
            ? MakeSyncMessage(SyncText::RemoteDirMissing, MsgIcon::Exclamation, {site.Dir})
            : failureOf(*session);
        return scan;
    }
    site.Dir = start;
    site.RootDir = AddSlash(start);
    scan.ok = FtpWalkFolders(*session, site, scan, status);
    if (!scan.ok)
        scan.files.clear();
    return scan;
}

bool FtpScanRemoteFolder(colFile &files, FtpSite &site, const SyncStatusFn &status)
{
    const RemoteScan scan = FtpListRemoteFolder(site, status);
    if (!scan.ok) {
        prompter().message(scan.failure.text, AppInfo::Title(), scan.failure.icon, MsgButtons::Ok);
        return false;
    }
    files.reserve(files.Count() + qsizetype(scan.files.size()));
    for (const RemoteFile &f : scan.files)
        files.Add(f.Name, f.Size, f.Date.toLocalTime());
    return true;
}

} // namespace ardl
