#include "TemporaryFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace ardl {

QByteArray TemporaryLeafName()
{
    return ".ardl-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, '0')
           + ".tmp";
}

QString TemporaryNameIn(const QString &folder)
{
    return folder + QLatin1String(TemporaryLeafName());
}

int CreateTemporaryFileAt(int dirFd, const QByteArray &folder, QByteArray &path, int flags, int mode)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + TemporaryLeafName();
        const int fd = ::openat(dirFd, path.constData(), flags | O_CREAT | O_EXCL | O_CLOEXEC, mode_t(mode));
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    path.clear();
    errno = error;
    return -1;
}

int CreateTemporaryFile(const QString &folder, QString &tempPath, int mode)
{
    const QByteArray native = QFile::encodeName(folder);
    QByteArray path;
    const int fd = CreateTemporaryFileAt(AT_FDCWD, native, path, O_RDWR, mode);
    tempPath = fd >= 0 ? folder + QLatin1String(path.mid(native.size())) : QString();
    return fd;
}

int WriteAll(int fd, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(length, SSIZE_MAX)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        length -= n;
    }
    return 0;
}

} // namespace ardl
