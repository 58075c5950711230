#include "modMP3.h"

#include "common/core/FileRenamer.h"
#include "common/core/StringTable.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

// An open file, closed on every way out.
class FileHandle {
public:
    FileHandle(const QString &fileName, int flags)
        // Never waits on a pipe or device put in place of the file.
        : m_fd(::open(QFile::encodeName(fileName).constData(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK))
        , m_error(m_fd < 0 ? errno : 0)
    {
    }
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    int fd() const { return m_fd; }
    int openError() const { return m_error; }

    // Closes now, for a write whose end must be known (errno or 0).
    int close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
    int m_error;
};

TagIoResult systemFault(int error)
{
    return {TagFault::System, error, {}};
}

// Opens the file and finds where its tag would start.
TagIoResult locateTag(const FileHandle &file, off_t &tagOffset)
{
    if (file.fd() < 0)
        return systemFault(file.openError());
    struct stat st {};
    if (::fstat(file.fd(), &st) != 0)
        return systemFault(errno);
    TagIoResult located;
    located.file = {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
    if (!S_ISREG(st.st_mode))
        located.fault = TagFault::NotRegular;
    else if (st.st_size < off_t(ID3Tag::Size))
        located.fault = TagFault::TooShort;
    tagOffset = st.st_size - off_t(ID3Tag::Size);
    return located;
}

// Reads exactly `count` bytes at `offset`; a short read is an I/O error.
int readAt(int fd, char *to, std::size_t count, off_t offset)
{
    while (count > 0) {
        const ssize_t n = ::pread(fd, to, count, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        to += n;
        count -= std::size_t(n);
        offset += n;
    }
    return 0;
}

int writeAt(int fd, const char *from, std::size_t count, off_t offset)
{
    while (count > 0) {
        const ssize_t n = ::pwrite(fd, from, count, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        from += n;
        count -= std::size_t(n);
        offset += n;
    }
    return 0;
}

} // namespace

QString TagFaultText(const TagIoResult &result)
{
    switch (result.fault) {
    case TagFault::None: return QString();
    case TagFault::System: return ErrorText(result.error);
    case TagFault::NotRegular: return LoadResString(4400);
    case TagFault::TooShort: return LoadResString(4401);
    case TagFault::NoTag: return LoadResString(4402);
    case TagFault::Replaced: return LoadResString(4410);
    }
    return QString();
}

TagIoResult ReadID3Tag(const QString &fileName, ID3Tag &tag)
{
    const FileHandle file(fileName, O_RDONLY);
    off_t offset = 0;
    TagIoResult result = locateTag(file, offset);
    if (!result)
        return result;
    ID3Tag::Bytes bytes;
    if (const int error = readAt(file.fd(), bytes.data(), bytes.size(), offset))
        return systemFault(error);
    tag = ID3Tag::FromBytes(bytes);
    if (!tag.HasHeader())
        result.fault = TagFault::NoTag;
    return result;
}

TagIoResult WriteID3Tag(const QString &fileName, ID3Tag &tag, const TagFileId *expected)
{
    tag.SetHeader();
    FileHandle file(fileName, O_RDWR);
    off_t offset = 0;
    TagIoResult result = locateTag(file, offset);
    if (result && expected && result.file != *expected)
        result.fault = TagFault::Replaced;
    if (!result)
        return result;
    // The check and the write go through one open file, so nothing can put
    // another file under the name between them.
    ID3Tag present;
    if (const int error = readAt(file.fd(), present.Header.data(), present.Header.size(), offset))
        return systemFault(error);
    if (!present.HasHeader()) {
        result.fault = TagFault::NoTag;
        return result;
    }
    const ID3Tag::Bytes bytes = tag.ToBytes();
    int error = writeAt(file.fd(), bytes.data(), bytes.size(), offset);
    const int closeError = file.close();
    if (error == 0)
        error = closeError;
    if (error != 0)
        return systemFault(error);
    return result;
}

} // namespace ardl
