#include "ExtractFolder.h"

#include "common/core/FileRenamer.h"
#include "common/core/TemporaryFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ardl {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// Folders kept open during one extraction, at most.
constexpr qsizetype MaxKnownFolders = 256;

// Unnamed files are named through their /proc entry.
bool ProcFdAvailable()
{
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

QByteArray Native(const QString &part)
{
    return QFile::encodeName(part);
}

bool CreateTemporary(int parent, QByteArray &temporary, Descriptor &file, QString *error)
{
    file.reset(CreateTemporaryFileAt(parent, QByteArray(), temporary, O_WRONLY | O_NOFOLLOW, 0600));
    if (file.get() >= 0)
        return true;
    *error = ErrorText(errno);
    return false;
}

// Gives the unnamed file `fd` its name. A file already there is replaced in
// one step: the new one is named under a temporary name and renamed over it.
bool NameUnnamed(int parent, int fd, const QByteArray &name, int *error)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), parent, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != EEXIST) {
        *error = errno;
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = TemporaryLeafName();
        if (::linkat(AT_FDCWD, self.constData(), parent, temporary.constData(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            *error = errno;
            return false;
        }
        if (::renameat(parent, temporary.constData(), parent, name.constData()) == 0)
            return true;
        *error = errno;
        ::unlinkat(parent, temporary.constData(), 0);
        return false;
    }
    *error = EEXIST;
    return false;
}

} // namespace

ExtractFolder::~ExtractFolder()
{
    forgetFolders();
    if (m_root >= 0)
        ::close(m_root);
}

void ExtractFolder::forgetFolders()
{
    std::lock_guard lock(m_foldersLock);
    for (int fd : std::as_const(m_folders))
        ::close(fd);
    m_folders.clear();
}

bool ExtractFolder::open(const QString &folder, QString *error)
{
    forgetFolders();
    if (m_root >= 0)
        ::close(m_root);
    m_root = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_root < 0) {
        *error = ErrorText(errno);
        return false;
    }
    return true;
}

int ExtractFolder::openParent(const QStringList &parts, bool create, QString *error) const
{
    // Most entries of an archive share their folders: each is walked once.
    const QString key = parts.mid(0, parts.size() - 1).join(u'/');
    {
        std::lock_guard lock(m_foldersLock);
        const auto known = m_folders.constFind(key);
        if (known != m_folders.cend())
            return ::dup(*known);
    }
    const int fd = walkToParent(parts, create, error);
    if (fd >= 0) {
        std::lock_guard lock(m_foldersLock);
        if (m_folders.size() < MaxKnownFolders && !m_folders.contains(key))
            m_folders.insert(key, ::dup(fd));
    }
    return fd;
}

int ExtractFolder::walkToParent(const QStringList &parts, bool create, QString *error) const
{
    Descriptor current(::dup(m_root));
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QByteArray name = Native(parts[i]);
        int next = ::openat(current.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && create) {
            if (::mkdirat(current.get(), name.constData(), 0777) != 0 && errno != EEXIST) {
                *error = ErrorText(errno);
                return -1;
            }
            next = ::openat(current.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (next < 0) {
            *error = (errno == ELOOP || errno == ENOTDIR)
                ? QStringLiteral("%1 is a link or a file, not a folder").arg(parts.mid(0, i + 1).join(u'/'))
                : ErrorText(errno);
            return -1;
        }
        current.reset(next);
    }
    return current.release();
}

ExtractFolder::Existing ExtractFolder::probe(const QStringList &parts) const
{
    Existing existing;
    QString ignored;
    Descriptor parent(openParent(parts, false, &ignored));
    struct stat st {};
    if (parent.get() < 0 || ::fstatat(parent.get(), Native(parts.last()).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return existing;
    existing.exists = true;
    existing.isFolder = S_ISDIR(st.st_mode);
    existing.modifiedSecs = qint64(st.st_mtim.tv_sec);
    existing.version = FileVersion::Of(st);
    return existing;
}

bool ExtractFolder::makeFolders(const QStringList &parts, QString *error)
{
    Descriptor parent(openParent(parts + QStringList(QStringLiteral(".")), true, error));
    return parent.get() >= 0;
}

bool ExtractFolder::writeFile(const QStringList &parts, quint32 mode, qint64 modifiedSecs, const Fill &fill,
                              QString *error)
{
    Descriptor parent(openParent(parts, true, error));
    if (parent.get() < 0)
        return false;
    const QByteArray name = Native(parts.last());
    // An unnamed file in the target's folder, named only once it is whole;
    // where the file system has none, a file under a temporary name.
    Descriptor file(ProcFdAvailable() ? ::openat(parent.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1);
    const bool unnamed = file.get() >= 0;
    QByteArray temporary;
    if (!unnamed && !CreateTemporary(parent.get(), temporary, file, error))
        return false;

    int writeError = 0;
    const bool filled = fill([&](const char *data, qint64 length) {
        writeError = WriteAll(file.get(), data, length);
        return writeError == 0;
    });
    bool done = filled && writeError == 0;
    if (done) {
        const struct timespec times[2] = {{time_t(modifiedSecs), 0}, {time_t(modifiedSecs), 0}};
        // The file is our own and new: only a file system without modes or
        // such times (FAT) refuses these, and the file then keeps the ones it
        // has, as Info-ZIP's unzip leaves it; its content is whole either way.
        ::fchmod(file.get(), mode_t(mode & 07777));
        ::futimens(file.get(), times);
        if (unnamed) {
            done = NameUnnamed(parent.get(), file.get(), name, &writeError);
        } else if (::close(file.release()) != 0
                   || ::renameat(parent.get(), temporary.constData(), parent.get(), name.constData()) != 0) {
            writeError = errno;
            done = false;
        }
    }
    if (!done) {
        file.reset();
        if (!unnamed)
            ::unlinkat(parent.get(), temporary.constData(), 0);
        if (writeError != 0)
            *error = ErrorText(writeError);
    }
    return done;
}

} // namespace ardl
