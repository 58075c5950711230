#include "ArchiveFile.h"

#include "common/core/FileVersion.h"
#include "common/core/TemporaryFile.h"
#include "common/core/modFile.h"

#include <zip.h>

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

// The file an archive name stands for: the archive a symbolic link leads
// to, so that a change is written there, beside it, and the link stays; any
// other name as it is.
QString ArchiveItself(const QString &archive)
{
    const QByteArray native = QFile::encodeName(archive);
    struct stat sb {};
    if (::lstat(native.constData(), &sb) != 0 || !S_ISLNK(sb.st_mode))
        return archive;
    char *resolved = ::realpath(native.constData(), nullptr);
    if (!resolved)
        return archive; // a link to nothing yet: a new archive takes its place
    const QByteArray bytes(resolved);
    ::free(resolved);
    // A name that the text would not give back byte for byte stays the link.
    const QString target = QFile::decodeName(bytes);
    return QFile::encodeName(target) == bytes ? target : archive;
}

// The archive's file: read where it is, written under a temporary name.
struct ArchiveFileState {
    QString path;
    QByteArray nativePath;
    int readFd = -1;
    int writeFd = -1;
    QString tempPath;
    zip_error_t error;
    // The file as libzip first saw it: a new archive is put in its place
    // only while that is still the file under its name (or still none).
    bool identityKnown = false;
    FileVersion identity;

    explicit ArchiveFileState(const QString &archive)
        : path(ArchiveItself(archive))
        , nativePath(QFile::encodeName(path))
    {
        zip_error_init(&error);
    }
    ~ArchiveFileState()
    {
        if (readFd >= 0)
            ::close(readFd); // read only: nothing to lose
        dropTemporary();
        zip_error_fini(&error);
    }
    ArchiveFileState(const ArchiveFileState &) = delete;
    ArchiveFileState &operator=(const ArchiveFileState &) = delete;

    zip_int64_t fail(int zipCode, int systemCode = errno)
    {
        zip_error_set(&error, zipCode, systemCode);
        return -1;
    }
    void dropTemporary()
    {
        if (writeFd < 0)
            return;
        // The temporary file is ours and unfinished: the archive stays as it was.
        ::close(writeFd);
        ::unlink(QFile::encodeName(tempPath).constData());
        writeFd = -1;
        tempPath.clear();
    }

    zip_int64_t stat(void *data, zip_uint64_t length);
    zip_int64_t read(void *data, zip_uint64_t length);
    zip_int64_t beginWrite();
    zip_int64_t write(const void *data, zip_uint64_t length);
    zip_int64_t commitWrite();
    zip_int64_t seek(int fd, void *data, zip_uint64_t length);
    zip_int64_t tell(int fd);
    bool replacedSinceOpened() const;
};

// Another program that replaced or rewrote the archive (or created one)
// while this run read it: the run's archive, made from what it read, must
// not take the place of that program's.
bool ArchiveFileState::replacedSinceOpened() const
{
    return !identityKnown || FileVersion::Of(path) != identity;
}

zip_int64_t ArchiveFileState::stat(void *data, zip_uint64_t length)
{
    auto *st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error);
    if (!st)
        return -1;
    struct stat sb {};
    // libzip takes a missing file (ZIP_ER_READ with ENOENT) for a new archive.
    const bool exists = ::stat(nativePath.constData(), &sb) == 0;
    if (!identityKnown) {
        identityKnown = true;
        identity = exists ? FileVersion::Of(sb) : FileVersion();
    }
    if (!exists)
        return fail(ZIP_ER_READ);
    zip_stat_init(st);
    st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
    st->size = zip_uint64_t(sb.st_size);
    st->mtime = sb.st_mtime;
    return sizeof(*st);
}

zip_int64_t ArchiveFileState::read(void *data, zip_uint64_t length)
{
    for (;;) {
        const ssize_t n = ::read(readFd, data, size_t(std::min<zip_uint64_t>(length, SSIZE_MAX)));
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return fail(ZIP_ER_READ);
    }
}

zip_int64_t ArchiveFileState::beginWrite()
{
    dropTemporary();
    // New archives take the usual mode (0666 less the umask, which the
    // create applies); a rewritten one keeps its own.
    writeFd = CreateTemporaryFile(PathWithOutFile(path), tempPath, 0666);
    if (writeFd < 0)
        return fail(ZIP_ER_TMPOPEN);
    struct stat sb {};
    if (::stat(nativePath.constData(), &sb) == 0 && ::fchmod(writeFd, sb.st_mode & 07777) != 0) {
        const int why = errno;
        dropTemporary();
        return fail(ZIP_ER_TMPOPEN, why);
    }
    return 0;
}

zip_int64_t ArchiveFileState::write(const void *data, zip_uint64_t length)
{
    if (const int error = WriteAll(writeFd, static_cast<const char *>(data), qint64(length)))
        return fail(ZIP_ER_WRITE, error);
    return zip_int64_t(length);
}

zip_int64_t ArchiveFileState::commitWrite()
{
    if (replacedSinceOpened()) {
        dropTemporary();
        return fail(ZIP_ER_CHANGED, 0);
    }
    const int fd = writeFd;
    writeFd = -1;
    const QByteArray temp = QFile::encodeName(tempPath);
    // On disk before it takes the archive's name: a crash then leaves the
    // old archive or the new one, never an empty file under its name.
    if (::fdatasync(fd) != 0) {
        const int why = errno;
        ::close(fd);
        ::unlink(temp.constData()); // our unfinished copy; the archive is untouched
        tempPath.clear();
        return fail(ZIP_ER_WRITE, why);
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), nativePath.constData()) != 0) {
        const int why = errno;
        ::unlink(temp.constData()); // our unfinished copy; the archive is untouched
        tempPath.clear();
        return fail(ZIP_ER_RENAME, why);
    }
    tempPath.clear();
    return 0;
}

zip_int64_t ArchiveFileState::seek(int fd, void *data, zip_uint64_t length)
{
    auto *args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &error);
    if (!args)
        return -1;
    if (::lseek(fd, off_t(args->offset), args->whence) < 0)
        return fail(ZIP_ER_SEEK);
    return 0;
}

zip_int64_t ArchiveFileState::tell(int fd)
{
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    return at < 0 ? fail(ZIP_ER_TELL) : zip_int64_t(at);
}

zip_int64_t callback(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto *s = static_cast<ArchiveFileState *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        s->readFd = ::open(s->nativePath.constData(), O_RDONLY | O_CLOEXEC);
        return s->readFd < 0 ? s->fail(ZIP_ER_OPEN) : 0;
    case ZIP_SOURCE_READ:
        return s->read(data, length);
    case ZIP_SOURCE_CLOSE:
        if (s->readFd >= 0)
            ::close(s->readFd); // read only: nothing to lose
        s->readFd = -1;
        return 0;
    case ZIP_SOURCE_STAT:
        return s->stat(data, length);
    case ZIP_SOURCE_SEEK:
        return s->seek(s->readFd, data, length);
    case ZIP_SOURCE_TELL:
        return s->tell(s->readFd);
    case ZIP_SOURCE_BEGIN_WRITE:
        return s->beginWrite();
    case ZIP_SOURCE_WRITE:
        return s->write(data, length);
    case ZIP_SOURCE_SEEK_WRITE:
        return s->seek(s->writeFd, data, length);
    case ZIP_SOURCE_TELL_WRITE:
        return s->tell(s->writeFd);
    case ZIP_SOURCE_COMMIT_WRITE:
        return s->commitWrite();
    case ZIP_SOURCE_ROLLBACK_WRITE:
        s->dropTemporary();
        return 0;
    case ZIP_SOURCE_REMOVE:
        // The last entry is gone: an archive without entries is no file.
        // Whatever another program put under its name meanwhile stays.
        if (s->replacedSinceOpened())
            return s->fail(ZIP_ER_CHANGED, 0);
        return ::unlink(s->nativePath.constData()) == 0 ? 0 : s->fail(ZIP_ER_REMOVE);
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, length);
    case ZIP_SOURCE_FREE:
        delete s;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_BEGIN_WRITE,
                                              ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE,
                                              ZIP_SOURCE_COMMIT_WRITE, ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_REMOVE,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
        return s->fail(ZIP_ER_OPNOTSUPP, 0);
    }
}

} // namespace

zip *OpenArchiveFile(const QString &path, int flags, zip_error *error)
{
    auto *state = new ArchiveFileState(path);
    zip_source_t *source = zip_source_function_create(&callback, state, error);
    if (!source) {
        delete state;
        return nullptr;
    }
    zip *za = zip_open_from_source(source, flags, error);
    if (!za)
        zip_source_free(source); // frees the state too
    return za;
}

} // namespace ardl
