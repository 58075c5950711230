#pragma once

#include "FtpEntry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;

namespace ardl {

// One logged-in FTP session: one control connection, reused by every call,
// with passive-mode data connections. Every path on the server is absolute
// ("/pub/a.txt"); a path without the leading "/" is taken from the root, so
// no call depends on a current folder. Names travel as UTF-8.
//
// Each call returns false on failure and leaves lastError() (a FtpErrorCode)
// and lastReply() (the server's last reply, "" when none came) describing it.
class FtpSession {
public:
    FtpSession();
    ~FtpSession();
    FtpSession(const FtpSession &) = delete;
    FtpSession &operator=(const FtpSession &) = delete;

    // Connects to `server` ("host", "ftp://host" or an address) on `port`
    // (1-65535) and logs in.
    bool open(const QString &server, int port, const QString &user, const QString &password);
    bool isOpen() const;
    void close();

    // Whether the server named `feature` (such as "MLST", "SIZE", "MFMT")
    // among its features at login.
    bool offers(const QString &feature) const;
    // Machine listings (MLSD) are used when the server offers them; false
    // keeps to LIST. On by default.
    void setMachineListing(bool allowed);
    bool usesMachineListing() const;

    // The entries of `folder`, parsed.
    bool list(const QString &folder, FtpListing &listing);
    bool folderExists(const QString &folder);
    bool fileExists(const QString &path);
    bool makeDir(const QString &path);
    // Renames a file (RNFR, RNTO); most servers replace an existing target.
    bool rename(const QString &from, const QString &to);
    bool removeFile(const QString &path);
    // Downloads to a temporary file beside `local`, renamed into place when
    // complete; the file takes the server's time when the server gives one.
    bool getFile(const QString &remote, const QString &local);
    // Downloads into `sink`; `modified`, when given, receives the server's
    // time of the file (UTC), or stays invalid when the server gives none.
    // With an `expectedSize` (known from a listing) the server is not asked
    // for the size and a download of another length fails.
    bool getFile(const QString &remote, QIODevice &sink, QDateTime *modified = nullptr, qint64 expectedSize = -1);
    // Uploads; the server file takes the local file's time when the server
    // can set times.
    bool putFile(const QString &local, const QString &remote);

    int lastError() const;
    QString lastReply() const;
    // The reply, or for a failure on this side (a local file that cannot be
    // read or written) its reason; "" when there is neither.
    QString lastErrorDetail() const;

    // How many times, over the session's life, a wait for the server ended
    // with nothing to do: neither a reply nor data had come, only the wait's
    // own time had run out. Transfers that flow keep this at 0.
    qint64 idleWakeups() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The server's reply to the last failed call on this thread, "" when none.
QString FtpLastResponseInfo();

} // namespace ardl
