#include "NewFile.h"

#include "common/core/FileRenamer.h"
#include "common/core/TemporaryFile.h"
#include "common/core/modFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ardl {

NewFile::NewFile(const QString &folder, int mode)
{
    m_fd = CreateTemporaryFile(AddBackslash(folder), m_temp, mode);
    m_error = m_fd < 0 ? errno : 0;
}

NewFile::~NewFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.isEmpty() && m_error == 0)
        ::unlink(QFile::encodeName(m_temp).constData());
}

int NewFile::write(const QByteArray &bytes, qint64 offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), offset + done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += put;
    }
    return 0;
}

int NewFile::finish(const QString &target, bool durable)
{
    if (m_error)
        return m_error;
    if (durable && ::fsync(m_fd) != 0)
        return errno;
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return errno;
    const int error = RenameNoReplace(m_temp, target);
    if (error == 0)
        m_temp.clear();
    return error;
}

int SyncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace ardl
