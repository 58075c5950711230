#include "RenameLogWriter.h"

#include "FileRenamer.h"

#include "common/core/ProgramFolders.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace ardl {

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

QString DefaultRenameLogPath()
{
    return DataFolder() + QStringLiteral("Log.log");
}

bool IsLoggablePath(const QString &path)
{
    return !path.contains(QLatin1String("->")) && !path.contains(u'\n') && !path.contains(u'\r');
}

QByteArray RenameLogLine(const QString &oldPath, const QString &newPath)
{
    return oldPath.toUtf8() + " -> " + newPath.toUtf8() + "\r\n";
}

RenameLogWriter::~RenameLogWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RenameLogWriter::fail(int error)
{
    m_error = m_path + QStringLiteral(": ") + ErrorText(error);
    return false;
}

bool RenameLogWriter::open(const QString &path)
{
    m_path = path;
    m_error.clear();
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp;
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        temp = target + QByteArray(".tmp-") + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        m_fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        return fail(errno);
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        ::unlink(temp.constData());
        return fail(error);
    }
    return true;
}

bool RenameLogWriter::writeLine(const QString &oldPath, const QString &newPath)
{
    if (m_fd < 0)
        return false;
    if (!IsLoggablePath(oldPath) || !IsLoggablePath(newPath))
        return fail(EINVAL);
    return writeAll(m_fd, RenameLogLine(oldPath, newPath)) || fail(errno);
}

bool RenameLogWriter::close()
{
    if (m_fd < 0)
        return true;
    // A log on something that cannot be synced (a pipe, say) is still written.
    const bool synced = ::fdatasync(m_fd) == 0 || errno == EINVAL || errno == EROFS;
    const int syncError = errno;
    const bool closed = ::close(m_fd) == 0;
    const int closeError = errno;
    m_fd = -1;
    if (!synced)
        return fail(syncError);
    return closed || fail(closeError);
}

} // namespace ardl
