#include "ReadOnlyFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

qint64 modifiedNs(const struct stat &st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const QString &path)
    : m_path(path)
    , m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        m_error = errno;
    else if (!S_ISREG(st.st_mode))
        m_error = EINVAL;
    else {
        m_length = st.st_size;
        m_modified = modifiedNs(st);
    }
}

bool ReadOnlyFile::changed() const
{
    struct stat st {};
    struct stat now {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || ::stat(QFile::encodeName(m_path).constData(), &now) != 0)
        return true;
    return st.st_size != m_length || modifiedNs(st) != m_modified || st.st_dev != now.st_dev || st.st_ino != now.st_ino;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace ardl
