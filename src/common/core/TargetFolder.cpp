#include "TargetFolder.h"

#include "TemporaryFile.h"
#include "modFile.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd); // a folder or a read-only file: nothing to lose on close
    fd = -1;
}

// One step of a relative name that stays where it is joined.
bool isPlainStep(const QString &step)
{
    return !step.isEmpty() && step != QLatin1String(".") && step != QLatin1String("..") && !step.contains(QChar(0));
}

// Opens the folder `name` inside `dirFd` without following a link; makes
// it first when it is missing and `create` is set.
int openStep(int dirFd, const QByteArray &name, bool create, int &error)
{
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::openat(dirFd, name.constData(), flags);
        if (fd >= 0)
            return fd;
        error = errno;
        if (error != ENOENT || !create)
            return -1;
        if (::mkdirat(dirFd, name.constData(), 0777) != 0 && errno != EEXIST) {
            error = errno;
            return -1;
        }
    }
    return -1;
}

// The data of `in` appended to `out`: the kernel's copy where the file
// systems allow it, else through a buffer.
int copyContent(int in, int out)
{
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != ENOTSUP
            && errno != EBADF && errno != EPERM)
            return errno;
        break; // the offsets moved with what was copied: go on from there
    }
    constexpr size_t BufferSize = 256 * 1024;
    QByteArray buffer(BufferSize, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), BufferSize);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (const int error = WriteAll(out, buffer.constData(), n))
            return error;
    }
}

} // namespace

TargetFolder::TargetFolder(const QString &root)
    : m_root(root)
{
}

TargetFolder::~TargetFolder()
{
    forgetFolder();
    closeFd(m_rootFd);
}

void TargetFolder::forgetFolder()
{
    if (m_folderFd != m_rootFd)
        closeFd(m_folderFd);
    m_folderFd = -1;
    m_folder.clear();
}

int TargetFolder::openRoot(int &error)
{
    if (m_rootFd < 0) {
        m_rootFd = ::open(QFile::encodeName(m_root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_rootFd < 0)
            error = errno;
    }
    return m_rootFd;
}

int TargetFolder::folderOf(const QString &relative, bool create, int &error)
{
    const qsizetype slash = relative.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : relative.left(slash);
    if (m_folderFd >= 0 && folder == m_folder)
        return m_folderFd;
    if (openRoot(error) < 0)
        return -1;

    // Walk from the folder kept open when the new one lies below it.
    int fd = m_rootFd;
    QString rest = folder;
    if (m_folderFd >= 0 && !m_folder.isEmpty() && folder.startsWith(m_folder + u'/')) {
        fd = m_folderFd;
        rest = folder.mid(m_folder.size() + 1);
        m_folderFd = -1; // now owned by this walk
    } else {
        forgetFolder();
    }
    if (!rest.isEmpty()) {
        for (const QString &step : rest.split(u'/')) {
            if (!isPlainStep(step)) {
                error = EINVAL;
                if (fd != m_rootFd)
                    closeFd(fd);
                return -1;
            }
            const int next = openStep(fd, QFile::encodeName(step), create, error);
            if (fd != m_rootFd)
                closeFd(fd);
            if (next < 0)
                return -1;
            fd = next;
        }
    }
    m_folder = folder;
    m_folderFd = fd;
    return fd;
}

TargetFolder::Entry TargetFolder::entry(const QString &relative, int *error)
{
    int failure = 0;
    const QString name = GetFileName(relative);
    const int dirFd = isPlainStep(name) ? folderOf(relative, false, failure) : -1;
    if (dirFd < 0) {
        if (!isPlainStep(name))
            failure = EINVAL;
        if (error)
            *error = failure == ENOENT ? 0 : failure;
        return failure == ENOENT ? Entry::Missing : Entry::Other;
    }
    struct stat st {};
    if (::fstatat(dirFd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        failure = errno;
        if (error)
            *error = failure == ENOENT ? 0 : failure;
        return failure == ENOENT ? Entry::Missing : Entry::Other;
    }
    if (error)
        *error = 0;
    if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
        return Entry::File;
    return S_ISDIR(st.st_mode) ? Entry::Folder : Entry::Other;
}

int TargetFolder::copyFile(const QString &source, const QString &relative)
{
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat st {};
    int error = ::fstat(in, &st) == 0 ? 0 : errno;
    if (error == 0 && !S_ISREG(st.st_mode))
        error = EINVAL;
    if (error == 0) {
        const timespec modified = st.st_mtim;
        error = writeEntry(
            relative, int(st.st_mode & 0777), [in](int out) { return copyContent(in, out); }, modified);
    }
    ::close(in); // read-only: nothing to lose on close
    return error;
}

int TargetFolder::writeFile(const QString &relative, const FillFn &fill, const std::optional<timespec> &modified)
{
    return writeEntry(relative, 0666, fill, modified);
}

int TargetFolder::writeEntry(const QString &relative, int mode, const FillFn &fill,
                             const std::optional<timespec> &modified)
{
    const QString name = GetFileName(relative);
    if (!isPlainStep(name))
        return EINVAL;
    int error = 0;
    const int dirFd = folderOf(relative, true, error);
    if (dirFd < 0)
        return error;
    return writeInto(dirFd, QFile::encodeName(name), mode, fill, modified);
}

int TargetFolder::writeInto(int dirFd, const QByteArray &name, int mode, const FillFn &fill,
                            const std::optional<timespec> &modified)
{
    // A file that is replaced keeps its permissions.
    struct stat old {};
    const bool replacing = ::fstatat(dirFd, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return EISDIR;

    QByteArray temp;
    const int fd = CreateTemporaryFileAt(dirFd, QByteArray(), temp, O_WRONLY, mode);
    if (fd < 0)
        return errno;

    int error = fill(fd);
    if (error == 0 && replacing && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && modified) {
        const timespec times[2] = {{0, UTIME_OMIT}, *modified};
        if (::futimens(fd, times) != 0)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::renameat(dirFd, temp.constData(), dirFd, name.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlinkat(dirFd, temp.constData(), 0); // our own temporary file; the target is untouched
    return error;
}

int CopyFileSafely(const QString &source, const QString &target)
{
    const QString folder = GetDirPart(target);
    TargetFolder into(folder.isEmpty() ? QStringLiteral(".") : folder);
    return into.copyFile(source, GetFileName(target));
}

} // namespace ardl
