#include "RenameLogWriter.h"

#include "common/core/FileRenamer.h"
#include "common/core/TemporaryFile.h"

#include "common/core/FileVersion.h"
#include "common/core/ProgramFolders.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/core/StringTable.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

constexpr qint64 InitialCapacity = 64 * 1024;

// The folder of `path` (or `path` itself when it ends in "/"), "." for none.
QString folderOf(const QString &path)
{
    const QString folder = PathWithOutFile(path);
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

bool isLackOfSpace(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO;
}

} // namespace

QString DefaultRenameLogPath()
{
    return DataFolder() + QStringLiteral("Log.log");
}

bool IsLoggablePath(const QString &path)
{
    // One pass: this runs twice for every line of a run.
    const QChar *c = path.constData();
    const QChar *end = c + path.size();
    for (; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u == u'\n' || u == u'\r' || (u == u'-' && c + 1 != end && c[1] == u'>'))
            return false;
    }
    return true;
}

QByteArray RenameLogLine(const QString &oldPath, const QString &newPath)
{
    return oldPath.toUtf8() + " -> " + newPath.toUtf8() + "\r\n";
}

RenameLogWriter::~RenameLogWriter()
{
    close();
}

bool RenameLogWriter::fail(int error)
{
    m_error = m_path + QStringLiteral(": ") + ErrorText(error);
    return false;
}

void RenameLogWriter::release()
{
    if (m_map)
        ::munmap(m_map, size_t(m_capacity));
    if (m_fd >= 0)
        ::close(m_fd);
    m_map = nullptr;
    m_fd = -1;
    m_direct = false;
    m_capacity = m_used = 0;
}

bool RenameLogWriter::useDirectWrites()
{
    if (m_map)
        ::munmap(m_map, size_t(m_capacity));
    m_map = nullptr;
    m_direct = true;
    if (::ftruncate(m_fd, off_t(m_used)) != 0 || ::lseek(m_fd, off_t(m_used), SEEK_SET) < 0)
        return fail(errno);
    return true;
}

bool RenameLogWriter::open(const QString &path)
{
    close();
    m_path = path;
    m_error.clear();
    m_placed = false;
    m_changed = false;
    m_target = QFile::encodeName(path);
    // The log takes its name in the middle of the run, when a file has
    // already moved: what would refuse it then is refused now.
    struct stat st;
    if (::stat(m_target.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    // A short name beside the log, so a log whose own name is as long as
    // names get can still be written.
    QString temp;
    m_fd = CreateTemporaryFile(PathWithOutFile(path), temp, 0666);
    if (m_fd < 0)
        return fail(errno);
    m_temp = QFile::encodeName(temp);
    m_leaf = GetFileName(path);
    m_folder = FileVersion::Of(folderOf(path));
    if (!m_folder.exists) {
        const int error = errno;
        release();
        ::unlink(m_temp.constData()); // our own empty file
        return fail(error);
    }
    if (!reserve(InitialCapacity)) {
        release();
        ::unlink(m_temp.constData()); // our own empty file; the failure to reserve is what is reported
        return false;
    }
    return true;
}

bool RenameLogWriter::isNamed(QStringView folder, QStringView name) const
{
    if (name != m_leaf)
        return false;
    return FileVersion::Of(folderOf(folder.toString())).isSameFile(m_folder);
}

bool RenameLogWriter::putInPlace()
{
    if (m_placed)
        return true;
    if (::rename(m_temp.constData(), m_target.constData()) != 0) {
        // A file has moved already: its line stays where it is, and the
        // user is told where that is.
        m_error = FormatString(LoadResString(4122), m_path, ErrorText(errno), QFile::decodeName(m_temp));
        return false;
    }
    m_placed = true;
    return true;
}

bool RenameLogWriter::reserve(qint64 bytes)
{
    if (m_fd < 0)
        return false;
    if (m_direct || m_used + bytes <= m_capacity)
        return true;
    // Twice the room, to grow seldom; on a disk that has no room for that,
    // just what is asked for.
    qint64 capacity = qMax(m_used + bytes, 2 * m_capacity);
    int error = ::posix_fallocate(m_fd, 0, off_t(capacity));
    if (error != 0 && isLackOfSpace(error) && capacity > m_used + bytes) {
        capacity = m_used + bytes;
        error = ::posix_fallocate(m_fd, 0, off_t(capacity));
    }
    if (error != 0)
        return isLackOfSpace(error) ? fail(error) : useDirectWrites();
    void *map = m_map ? ::mremap(m_map, size_t(m_capacity), size_t(capacity), MREMAP_MAYMOVE)
                      : ::mmap(nullptr, size_t(capacity), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (map == MAP_FAILED)
        return useDirectWrites();
    m_map = static_cast<char *>(map);
    m_capacity = capacity;
    return true;
}

bool RenameLogWriter::writeLine(const QString &oldPath, const QString &newPath)
{
    if (m_fd < 0)
        return false;
    if (!IsLoggablePath(oldPath) || !IsLoggablePath(newPath))
        return fail(EINVAL);
    // Room for the longest UTF-8 form of the line; near the end of the room
    // reserved, for its exact form, so the log is not made larger than it needs.
    qint64 room = m_utf8.requiredSpace(oldPath.size()) + m_utf8.requiredSpace(newPath.size()) + 6;
    if (m_used + room > m_capacity)
        room = RenameLogLine(oldPath, newPath).size();
    if (!reserve(room))
        return false;
    if (m_direct) { // also when reserve() had to fall back to plain writes
        const QByteArray line = RenameLogLine(oldPath, newPath);
        if (const int error = WriteAll(m_fd, line.constData(), line.size()))
            return fail(error);
    } else {
        // Encoded straight into the map, without a copy of the line.
        char *const start = m_map + m_used;
        char *out = m_utf8.appendToBuffer(start, oldPath);
        out = std::copy_n(" -> ", 4, out);
        out = m_utf8.appendToBuffer(out, newPath);
        out = std::copy_n("\r\n", 2, out);
        m_used += out - start;
    }
    // The line is in the file when the file takes the log's name.
    if (oldPath == newPath)
        return true;
    m_changed = true;
    return putInPlace();
}

bool RenameLogWriter::close()
{
    if (m_fd < 0)
        return true;
    if (!m_changed) {
        // Nothing changed its name: the old log stays, and so does its name.
        release();
        return ::unlink(m_temp.constData()) == 0 || fail(errno);
    }
    int error = 0;
    if (!m_direct) {
        if (m_map)
            ::munmap(m_map, size_t(m_capacity));
        m_map = nullptr;
        error = ::ftruncate(m_fd, off_t(m_used)) == 0 ? 0 : errno;
    }
    // A log on something that cannot be synced is still written.
    if (error == 0 && ::fdatasync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        error = errno;
    if (::close(m_fd) != 0 && error == 0)
        error = errno;
    m_fd = -1;
    m_direct = false;
    m_capacity = m_used = 0;
    return error == 0 || fail(error);
}

} // namespace ardl
