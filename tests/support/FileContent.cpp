#include "FileContent.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ardl::test {

namespace {

using Extent = std::pair<qint64, qint64>;

// The stretches of a file that hold data.
std::vector<Extent> dataExtents(int fd, qint64 size)
{
    std::vector<Extent> extents;
    for (qint64 at = 0; at < size;) {
        const off_t data = ::lseek(fd, at, SEEK_DATA);
        if (data < 0)
            break;
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        extents.emplace_back(data, hole < 0 ? size : hole);
        at = hole < 0 ? size : hole;
    }
    return extents;
}

struct Fd {
    explicit Fd(const QString &path) : fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd;
};

} // namespace

QByteArray PatternBytes(qint64 n, quint32 seed)
{
    QByteArray bytes(n, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), n / 4);
    for (qint64 i = n / 4 * 4; i < n; ++i)
        bytes[i] = char(random.generate());
    return bytes;
}

bool SameContent(const QString &a, const QString &b, QString *why)
{
    const Fd fa(a), fb(b);
    struct stat sa {}, sb {};
    if (fa.fd < 0 || fb.fd < 0 || ::fstat(fa.fd, &sa) != 0 || ::fstat(fb.fd, &sb) != 0) {
        if (why)
            *why = QStringLiteral("cannot open");
        return false;
    }
    if (sa.st_size != sb.st_size) {
        if (why)
            *why = QStringLiteral("sizes %1 and %2").arg(sa.st_size).arg(sb.st_size);
        return false;
    }
    std::vector<Extent> extents = dataExtents(fa.fd, sa.st_size);
    const std::vector<Extent> more = dataExtents(fb.fd, sb.st_size);
    extents.insert(extents.end(), more.begin(), more.end());
    std::sort(extents.begin(), extents.end());
    constexpr qint64 Chunk = 1 << 20;
    QByteArray ba(Chunk, Qt::Uninitialized), bb(Chunk, Qt::Uninitialized);
    qint64 done = 0;   // everything before this is compared
    for (const auto &[from, to] : extents) {
        for (qint64 at = std::max(from, done); at < to; at += Chunk) {
            const size_t n = size_t(std::min(Chunk, to - at));
            if (::pread(fa.fd, ba.data(), n, at) != ssize_t(n) || ::pread(fb.fd, bb.data(), n, at) != ssize_t(n)
                || std::memcmp(ba.constData(), bb.constData(), n) != 0) {
                if (why)
                    *why = QStringLiteral("bytes differ within %1 bytes from %2").arg(n).arg(at);
                return false;
            }
        }
        done = std::max(done, to);
    }
    return true;
}

bool MakeSparseFile(const QString &path, qint64 length, const QList<qint64> &offsets, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(length))
        return false;
    for (qint64 offset : offsets) {
        if (!file.seek(offset) || file.write(data) != data.size())
            return false;
    }
    return file.size() == length;
}

qint64 AllocatedBlocks(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_blocks) : -1;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
    : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN))
{
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_old = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ADD_FAILURE() << "cannot limit the size of files";
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_old);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace ardl::test
