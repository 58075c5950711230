#include "ReadOnlyFile.h"

#include "common/core/FileVersion.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

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
        m_opened = FileVersion::Of(st);
    }
}

bool ReadOnlyFile::changed() const
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return true;
    return FileVersion::Of(st) != m_opened || FileVersion::Of(m_path) != m_opened;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace ardl
