#include "FtpSession.h"

#include "FtpErrorCodes.h"
#include "FtpListParser.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>

namespace ardl {

namespace {

thread_local QString tl_lastResponse;

// libcurl's own start-up, once per process; its result for every caller.
CURLcode initCurlOnce()
{
    static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
    return result;
}

// "/a b/" -> "/%2Fa%20b/": an absolute path in an ftp URL.
QByteArray urlPath(const QString &path)
{
    QString p = path;
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    return QByteArrayLiteral("/%2F") + QUrl::toPercentEncoding(p, "/");
}

QString absolute(const QString &path)
{
    return path.startsWith(u'/') ? path : u'/' + path;
}

QString asFolder(const QString &path)
{
    const QString p = absolute(path);
    return p.endsWith(u'/') ? p : p + u'/';
}

// "/a/b.txt" -> "/a/".
QString folderOf(const QString &path)
{
    const QString p = absolute(path);
    return p.left(p.lastIndexOf(u'/') + 1);
}

bool hasLineBreak(const QString &path)
{
    return path.contains(u'\r') || path.contains(u'\n') || path.contains(QChar(0));
}

// Owns a curl_slist.
class CommandList {
public:
    CommandList() = default;
    explicit CommandList(const QStringList &commands)
    {
        for (const QString &c : commands)
            m_list = curl_slist_append(m_list, c.toUtf8().constData());
    }
    ~CommandList() { curl_slist_free_all(m_list); }
    CommandList(const CommandList &) = delete;
    CommandList &operator=(const CommandList &) = delete;
    curl_slist *get() const { return m_list; }

private:
    curl_slist *m_list = nullptr;
};

} // namespace

struct FtpSession::Impl {
    CURL *curl = nullptr;
    CURLM *multi = nullptr; // holds the control connection between calls
    QByteArray base;        // "ftp://host:port"
    QByteArray user;
    QByteArray password;
    bool open = false;
    bool machineListing = true;
    QStringList features;

    CURLcode optionError = CURLE_OK; // the first option libcurl refused

    int error = FtpErrorCode::None;
    QString reply;          // the last complete reply
    QStringList replyLines; // lines of the reply being received
    QStringList received;   // every reply line of the current call
    QString localError;

    QByteArray *rawBody = nullptr; // a listing, taken as the server sent it
    QIODevice *sink = nullptr;
    qint64 sinkBytes = 0;  // received for the sink, buffered or written
    QByteArray sinkBuffer; // received, not yet written to the sink
    bool sinkFailed = false;
    QIODevice *source = nullptr;
    bool sourceFailed = false;
    qint64 idleWakeups = 0;

    ~Impl() { release(); }

    void release()
    {
        if (curl)
            curl_easy_cleanup(curl);
        if (multi)
            curl_multi_cleanup(multi);
        curl = nullptr;
        multi = nullptr;
        open = false;
    }

    static size_t onHeader(char *data, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<Impl *>(user);
        QString line = QString::fromUtf8(data, qsizetype(size * count));
        while (line.endsWith(u'\n') || line.endsWith(u'\r'))
            line.chop(1);
        self->received.push_back(line);
        self->replyLines.push_back(line);
        // "123 text" (or a bare "123") ends a reply; "123-text" starts a longer one.
        const bool final = line.size() >= 3 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit()
                           && (line.size() == 3 || line[3] == u' ');
        if (final) {
            self->reply = self->replyLines.join(u'\n').trimmed();
            self->replyLines.clear();
        }
        return size * count;
    }

    // A download reaches the sink in writes of SinkChunk bytes, not one
    // per piece libcurl hands over (whatever one read of the socket gave):
    // fewer, larger writes cost less than the copy into the buffer.
    static constexpr qsizetype SinkChunk = 256 * 1024;

    static size_t onWrite(char *data, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<Impl *>(user);
        const qint64 n = qint64(size * count);
        if (self->sink) {
            self->sinkBuffer.append(data, qsizetype(n));
            self->sinkBytes += n;
            if (self->sinkBuffer.size() >= SinkChunk && !self->flushSink())
                return 0;
            return size_t(n);
        }
        return size_t(n); // file facts, or a listing's converted text: not wanted
    }

    // Writes what is buffered for the sink; false, for good, once a write
    // failed.
    bool flushSink()
    {
        if (sinkFailed)
            return false;
        if (!sinkBuffer.isEmpty() && sink->write(sinkBuffer) != sinkBuffer.size())
            sinkFailed = true;
        sinkBuffer.resize(0); // keeps its room for the next chunk
        return !sinkFailed;
    }

    // libcurl fetches every listing in text mode and, on this system, turns
    // each CR into a line break before the body reaches onWrite: a name
    // holding a CR would come apart into a shorter name and a stray line.
    // The data as it came off the wire is handed here first, so listings
    // are taken from here, byte for byte.
    static int onDebug(CURL *, curl_infotype type, char *data, size_t size, void *user)
    {
        auto *self = static_cast<Impl *>(user);
        if (type == CURLINFO_DATA_IN && self->rawBody)
            self->rawBody->append(data, qsizetype(size));
        return 0;
    }

    static size_t onRead(char *buffer, size_t size, size_t count, void *user)
    {
        auto *self = static_cast<Impl *>(user);
        if (!self->source)
            return 0;
        const qint64 n = self->source->read(buffer, qint64(size * count));
        if (n < 0) {
            self->sourceFailed = true;
            return CURL_READFUNC_ABORT;
        }
        return size_t(n);
    }

    // Sets one option of the handle; the first one refused fails the call.
    template <typename T>
    void set(CURLoption option, T value)
    {
        const CURLcode code = curl_easy_setopt(curl, option, value);
        if (optionError == CURLE_OK)
            optionError = code;
    }

    bool ensureHandle()
    {
        if (curl)
            return true;
        if (const CURLcode init = initCurlOnce(); init != CURLE_OK)
            return fail(FtpErrorCode::InternalError, QString::fromUtf8(curl_easy_strerror(init)));
        curl = curl_easy_init();
        multi = curl_multi_init();
        if (!curl || !multi) {
            release();
            return fail(FtpErrorCode::InternalError, QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
        }
        optionError = CURLE_OK;
        set(CURLOPT_NOSIGNAL, 1L);
        set(CURLOPT_CONNECTTIMEOUT, 20L);
        set(CURLOPT_SERVER_RESPONSE_TIMEOUT, 60L);
        set(CURLOPT_LOW_SPEED_LIMIT, 1L);
        set(CURLOPT_LOW_SPEED_TIME, 60L);
        set(CURLOPT_TCP_KEEPALIVE, 1L);
        // Large reads: a download takes a tenth of the system calls of the
        // 16 KiB default.
        set(CURLOPT_BUFFERSIZE, 256L * 1024);
        // Each call first changes to its folder by absolute path (curl skips
        // that when the folder is the one of the call before), so a current
        // folder left by an earlier call never matters.
        set(CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
        set(CURLOPT_HEADERFUNCTION, &Impl::onHeader);
        set(CURLOPT_HEADERDATA, this);
        set(CURLOPT_WRITEFUNCTION, &Impl::onWrite);
        set(CURLOPT_WRITEDATA, this);
        set(CURLOPT_READFUNCTION, &Impl::onRead);
        set(CURLOPT_READDATA, this);
        set(CURLOPT_DEBUGFUNCTION, &Impl::onDebug);
        set(CURLOPT_DEBUGDATA, this);
        if (optionError != CURLE_OK) {
            const CURLcode refused = optionError;
            release();
            return fail(FtpErrorCode::InternalError, QString::fromUtf8(curl_easy_strerror(refused)));
        }
        return true;
    }

    struct Call {
        QByteArray path = "/"; // URL path, encoded
        bool noBody = false;
        bool upload = false;
        qint64 uploadSize = -1;
        bool fileTime = false;
        bool skipSize = false; // no SIZE before a download
        const char *customRequest = nullptr;
        QStringList quote;
        QStringList postQuote;
    };

    bool perform(const Call &call)
    {
        error = FtpErrorCode::None;
        reply.clear();
        replyLines.clear();
        received.clear();
        localError.clear();
        if (!ensureHandle())
            return false;
        const QByteArray url = base + call.path;
        CommandList quote(call.quote);
        CommandList postQuote(call.postQuote);
        optionError = CURLE_OK;
        set(CURLOPT_URL, url.constData());
        set(CURLOPT_USERNAME, user.constData());
        set(CURLOPT_PASSWORD, password.constData());
        set(CURLOPT_NOBODY, call.noBody ? 1L : 0L);
        set(CURLOPT_UPLOAD, call.upload ? 1L : 0L);
        set(CURLOPT_INFILESIZE_LARGE, curl_off_t(call.uploadSize));
        set(CURLOPT_FILETIME, call.fileTime ? 1L : 0L);
        set(CURLOPT_IGNORE_CONTENT_LENGTH, call.skipSize ? 1L : 0L);
        set(CURLOPT_CUSTOMREQUEST, call.customRequest);
        set(CURLOPT_QUOTE, quote.get());
        set(CURLOPT_POSTQUOTE, postQuote.get());
        // The debug callback, which sees the raw data, is called only in
        // verbose mode.
        set(CURLOPT_VERBOSE, rawBody ? 1L : 0L);
        CURLcode code = optionError == CURLE_OK ? run() : optionError;
        if (code != CURLE_OK && closedWhileIdle()) {
            // The same call once more, on a connection of its own.
            reply.clear();
            replyLines.clear();
            received.clear();
            set(CURLOPT_FRESH_CONNECT, 1L);
            code = optionError == CURLE_OK ? run() : optionError;
            curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 0L);
        }
        // The lists are freed on return; clearing a list option cannot fail.
        curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
        curl_easy_setopt(curl, CURLOPT_POSTQUOTE, nullptr);
        if (code == CURLE_OK)
            return true;
        error = FtpErrorCode::FromCurl(int(code), reply);
        if (error != FtpErrorCode::ExtendedError && (code == CURLE_WRITE_ERROR || code == CURLE_READ_ERROR))
            error = FtpErrorCode::InternalError;
        tl_lastResponse = reply;
        return false;
    }

    // Servers close a control connection left idle (after a few minutes,
    // while the user reads a question or picks a folder) with a 421 reply
    // that waits unread until the next command. When that reply is all the
    // call got, the server carried out nothing of it and nothing moved, so
    // the call can be made again.
    bool closedWhileIdle() const
    {
        if (received.isEmpty() || (sink && sinkBytes != 0) || (rawBody && !rawBody->isEmpty())
            || (source && source->pos() != 0))
            return false;
        return std::all_of(received.cbegin(), received.cend(),
                           [](const QString &line) { return line.startsWith(QLatin1String("421")); });
    }

    // Runs the prepared call to its end, waiting on libcurl's sockets and
    // timer in between. libcurl 7.88 sometimes reads a passive-mode reply in
    // the same round in which it sent the command and then names neither a
    // socket nor a timer to wait for: a wait would sleep its whole length
    // (a second) before the data connection is opened. Such a round is run
    // again at once instead.
    CURLcode run()
    {
        constexpr long MaxWaitMs = 1000;
        // Rounds in a row without a socket before the wait below is used
        // after all (libcurl leaves out of its fd_set any socket numbered
        // FD_SETSIZE or higher; curl_multi_poll still waits on those).
        constexpr int MaxRoundsWithoutSocket = 3;
        if (curl_multi_add_handle(multi, curl) != CURLM_OK)
            return CURLE_FAILED_INIT;
        int running = 1;
        int roundsWithoutSocket = 0;
        CURLMcode state = CURLM_OK;
        while (state == CURLM_OK) {
            state = curl_multi_perform(multi, &running);
            if (state != CURLM_OK || running == 0)
                break;
            fd_set readable;
            fd_set writable;
            fd_set failed;
            FD_ZERO(&readable);
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            int highest = -1;
            state = curl_multi_fdset(multi, &readable, &writable, &failed, &highest);
            if (state != CURLM_OK)
                break;
            if (highest < 0 && ++roundsWithoutSocket < MaxRoundsWithoutSocket)
                continue;
            roundsWithoutSocket = 0;
            long wait = -1;
            if (curl_multi_timeout(multi, &wait) != CURLM_OK || wait < 0 || wait > MaxWaitMs)
                wait = MaxWaitMs;
            if (wait == 0)
                continue; // libcurl has work due now
            int ready = 0;
            state = curl_multi_poll(multi, nullptr, 0, int(wait), &ready);
            if (state == CURLM_OK && ready == 0)
                ++idleWakeups;
        }
        CURLcode result = state == CURLM_OK ? CURLE_OK : CURLE_OUT_OF_MEMORY;
        int queued = 0;
        while (CURLMsg *message = curl_multi_info_read(multi, &queued))
            if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
                result = message->data.result;
        // Only fails for a handle that is not in the stack; it was added above.
        curl_multi_remove_handle(multi, curl);
        return result;
    }

    bool fail(int code, const QString &why = QString())
    {
        error = code;
        reply.clear();
        localError = why;
        tl_lastResponse.clear();
        return false;
    }

    // Features named at login: the indented lines of the FEAT reply.
    void readFeatures()
    {
        features.clear();
        bool inFeat = false;
        for (const QString &line : std::as_const(received)) {
            if (line.startsWith(QLatin1String("211-"))) {
                inFeat = true;
            } else if (inFeat && line.startsWith(u' ')) {
                features.push_back(line.trimmed().section(u' ', 0, 0).toUpper());
            } else if (inFeat) {
                inFeat = false;
            }
        }
    }
};

FtpSession::FtpSession()
    : d(std::make_unique<Impl>())
{
}

FtpSession::~FtpSession() = default;

bool FtpSession::open(const QString &server, int port, const QString &user, const QString &password)
{
    close();
    QString host = server.trimmed();
    if (host.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive))
        host = host.mid(6);
    while (host.endsWith(u'/'))
        host.chop(1);
    if (port < 1 || port > 65535 || host.isEmpty() || host.contains(u'/') || host.contains(u'@'))
        return d->fail(FtpErrorCode::InvalidUrl);
    if (host.contains(u':') && !host.startsWith(u'['))
        host = u'[' + host + u']'; // an IPv6 address
    d->base = "ftp://" + host.toUtf8() + ':' + QByteArray::number(port);
    d->user = user.toUtf8();
    d->password = password.toUtf8();

    Impl::Call call;
    call.noBody = true;
    call.quote = {QStringLiteral("*FEAT"), QStringLiteral("*OPTS UTF8 ON")};
    if (!d->perform(call))
        return false;
    d->readFeatures();
    d->open = true;
    return true;
}

bool FtpSession::isOpen() const
{
    return d->open;
}

void FtpSession::close()
{
    d->release();
    d->features.clear();
}

bool FtpSession::offers(const QString &feature) const
{
    return d->features.contains(feature.toUpper());
}

void FtpSession::setMachineListing(bool allowed)
{
    d->machineListing = allowed;
}

bool FtpSession::usesMachineListing() const
{
    return d->machineListing && offers(QStringLiteral("MLST"));
}

bool FtpSession::list(const QString &folder, FtpListing &listing)
{
    listing = FtpListing{};
    if (hasLineBreak(folder))
        return d->fail(FtpErrorCode::InvalidUrl);
    const bool machine = usesMachineListing();
    QByteArray body;
    Impl::Call call;
    call.path = urlPath(asFolder(folder));
    call.customRequest = machine ? "MLSD" : nullptr;
    d->rawBody = &body;
    const bool ok = d->perform(call);
    d->rawBody = nullptr;
    if (!ok)
        return false;
    listing = FtpListParser::ParseListing(body, machine, QDateTime::currentDateTimeUtc());
    return true;
}

bool FtpSession::folderExists(const QString &folder)
{
    if (hasLineBreak(folder))
        return d->fail(FtpErrorCode::InvalidUrl);
    Impl::Call call;
    call.path = urlPath(asFolder(folder));
    call.noBody = true;
    return d->perform(call);
}

bool FtpSession::fileExists(const QString &path)
{
    if (hasLineBreak(path) || path.endsWith(u'/'))
        return d->fail(FtpErrorCode::InvalidUrl);
    if (offers(QStringLiteral("SIZE"))) {
        Impl::Call call;
        call.path = urlPath(absolute(path));
        call.noBody = true;
        return d->perform(call);
    }
    // Without SIZE, look for the name in its folder's listing.
    const QString full = absolute(path);
    const qsizetype slash = full.lastIndexOf(u'/');
    FtpListing listing;
    if (!list(full.left(slash + 1), listing))
        return false;
    const QString name = full.mid(slash + 1);
    for (const FtpEntry &e : listing.entries)
        if (e.name == name && e.type != FtpEntry::Type::Folder)
            return true;
    return d->fail(FtpErrorCode::ItemNotFound);
}

bool FtpSession::makeDir(const QString &path)
{
    if (hasLineBreak(path))
        return d->fail(FtpErrorCode::InvalidUrl);
    Impl::Call call;
    call.noBody = true;
    call.quote = {QStringLiteral("MKD ") + absolute(path)};
    return d->perform(call);
}

bool FtpSession::rename(const QString &from, const QString &to)
{
    if (hasLineBreak(from) || hasLineBreak(to))
        return d->fail(FtpErrorCode::InvalidUrl);
    Impl::Call call;
    call.path = urlPath(folderOf(to)); // stays in the folder the next call is likely to use
    call.noBody = true;
    call.quote = {QStringLiteral("RNFR ") + absolute(from), QStringLiteral("RNTO ") + absolute(to)};
    return d->perform(call);
}

bool FtpSession::removeFile(const QString &path)
{
    if (hasLineBreak(path))
        return d->fail(FtpErrorCode::InvalidUrl);
    Impl::Call call;
    call.path = urlPath(folderOf(path));
    call.noBody = true;
    call.quote = {QStringLiteral("DELE ") + absolute(path)};
    return d->perform(call);
}

bool FtpSession::getFile(const QString &remote, const QString &local)
{
    if (hasLineBreak(remote) || remote.endsWith(u'/'))
        return d->fail(FtpErrorCode::InvalidUrl);
    QSaveFile file(local);
    if (!file.open(QIODevice::WriteOnly))
        return d->fail(FtpErrorCode::InternalError, file.errorString());
    QDateTime when;
    if (!getFile(remote, file, &when)) {
        file.cancelWriting();
        return false;
    }
    if (!file.flush())
        return d->fail(FtpErrorCode::InternalError, file.errorString());
    // A copy without the server's time would show as different at every
    // compare: it does not replace the file that is there.
    if (when.isValid() && !file.setFileTime(when, QFileDevice::FileModificationTime)) {
        const QString why = FormatString(LoadResString(4007), file.errorString());
        file.cancelWriting();
        return d->fail(FtpErrorCode::InternalError, why);
    }
    if (!file.commit())
        return d->fail(FtpErrorCode::InternalError, file.errorString());
    return true;
}

bool FtpSession::getFile(const QString &remote, QIODevice &sink, QDateTime *modified, qint64 expectedSize)
{
    if (modified)
        *modified = QDateTime();
    if (hasLineBreak(remote) || remote.endsWith(u'/'))
        return d->fail(FtpErrorCode::InvalidUrl);
    Impl::Call call;
    call.path = urlPath(absolute(remote));
    call.fileTime = modified != nullptr;
    // A size known beforehand is checked here; else the server is asked.
    call.skipSize = expectedSize >= 0;
    d->sink = &sink;
    d->sinkBytes = 0;
    d->sinkBuffer.reserve(Impl::SinkChunk);
    d->sinkFailed = false;
    bool ok = d->perform(call);
    if (ok && !d->flushSink())
        ok = d->fail(FtpErrorCode::InternalError);
    d->sink = nullptr;
    d->sinkBuffer.clear();
    if (!ok) {
        if (d->sinkFailed)
            d->localError = sink.errorString();
        return false;
    }
    if (expectedSize >= 0 && d->sinkBytes != expectedSize)
        return d->fail(FtpErrorCode::ConnectionAborted,
                       QStringLiteral("%1 bytes received, %2 expected").arg(d->sinkBytes).arg(expectedSize));
    if (!modified)
        return true;
    // -1 is libcurl's "the server gave no time"; any other value is the
    // file's time, dates before 1970 included.
    curl_off_t when = -1;
    if (const CURLcode info = curl_easy_getinfo(d->curl, CURLINFO_FILETIME_T, &when); info != CURLE_OK)
        return d->fail(FtpErrorCode::InternalError, QString::fromUtf8(curl_easy_strerror(info)));
    if (when != -1)
        *modified = QDateTime::fromSecsSinceEpoch(qint64(when), Qt::UTC);
    return true;
}

bool FtpSession::putFile(const QString &local, const QString &remote)
{
    if (hasLineBreak(remote) || remote.endsWith(u'/'))
        return d->fail(FtpErrorCode::InvalidUrl);
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        return d->fail(FtpErrorCode::InternalError, file.errorString());
    Impl::Call call;
    call.path = urlPath(absolute(remote));
    call.upload = true;
    call.uploadSize = file.size();
    if (offers(QStringLiteral("MFMT"))) {
        const QDateTime when = QFileInfo(file).lastModified().toUTC();
        call.postQuote = {QStringLiteral("*MFMT ") + when.toString(QStringLiteral("yyyyMMddHHmmss")) + u' '
                          + absolute(remote)};
    }
    d->source = &file;
    d->sourceFailed = false;
    const bool ok = d->perform(call);
    d->source = nullptr;
    if (!ok && d->sourceFailed)
        d->localError = file.errorString();
    return ok;
}

int FtpSession::lastError() const
{
    return d->error;
}

QString FtpSession::lastReply() const
{
    return d->error == FtpErrorCode::None ? QString() : d->reply;
}

qint64 FtpSession::idleWakeups() const
{
    return d->idleWakeups;
}

QString FtpSession::lastErrorDetail() const
{
    if (d->error == FtpErrorCode::None)
        return QString();
    // A failure on this side comes with whatever the server said last
    // ("150 Opening data connection"), which is not its reason.
    return d->reply.isEmpty() || !d->localError.isEmpty() ? d->localError : d->reply;
}

QString FtpLastResponseInfo()
{
    return tl_lastResponse;
}

} // namespace ardl
