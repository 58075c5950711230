#include "TestSupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <ftw.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

QT_BEGIN_NAMESPACE
void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << '}';
}
QT_END_NAMESPACE

namespace ardl::test {

const QDateTime OldFileTime(QDate(2020, 1, 2), QTime(3, 4, 5));

namespace {

int removeEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return ::remove(path) == 0 || errno == ENOENT ? 0 : -1;
}

} // namespace

void RemoveTree(const QString &folder)
{
    const QByteArray bytes = QFile::encodeName(folder);
    if (!bytes.isEmpty())
        ::nftw(bytes.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

UnwritableFolder::UnwritableFolder(const QString &folder)
    : m_folder(QFile::encodeName(folder))
{
    const int fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
    }
    if (!m_immutable)
        ::chmod(m_folder.constData(), 0555);
    // See what a change now meets.
    const QByteArray probe = m_folder + "/.probe";
    if (::mkdir(probe.constData(), 0700) == 0)
        ::rmdir(probe.constData());
    else
        m_error = errno;
}

UnwritableFolder::~UnwritableFolder()
{
    if (m_immutable) {
        const int fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    } else {
        ::chmod(m_folder.constData(), 0755);
    }
}

TempDirTest::TempDirTest()
{
    tmp.setAutoRemove(false);
}

TempDirTest::~TempDirTest()
{
    RemoveTree(tmp.path());
}

QString TempDirTest::writeOldFile(const QString &relative, const QByteArray &content) const
{
    const QString p = writeFile(relative, content);
    SetFileTime(p, OldFileTime);
    return p;
}

QString TempDirTest::writeRawNamedFile(const QByteArray &relative, const QByteArray &content) const
{
    const QByteArray raw = QFile::encodeName(dir()) + relative;
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        ADD_FAILURE() << "cannot make " << raw.constData();
        return QFile::decodeName(raw);
    }
    if (::write(fd, content.constData(), size_t(content.size())) != content.size())
        ADD_FAILURE() << "cannot write " << raw.constData();
    ::close(fd);
    return QFile::decodeName(raw);
}

QByteArray TempDirTest::readRawNamedFile(const QByteArray &relative) const
{
    const QByteArray raw = QFile::encodeName(dir()) + relative;
    QByteArray content;
    const int fd = ::open(raw.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ADD_FAILURE() << "cannot open " << raw.constData();
        return content;
    }
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, got);
    ::close(fd);
    return content;
}

QStringList TempDirTest::listing() const
{
    return QDir(path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QUrl RawFileUrl(const QByteArray &path)
{
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"));
}

void SetFileTime(const QString &path, const QDateTime &when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QString TempDirTest::path(const QString &relative) const
{
    return relative.isEmpty() ? tmp.path() : tmp.filePath(relative);
}

QString TempDirTest::writeFile(const QString &relative, const QByteArray &content) const
{
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot write " << p.toStdString();
    f.write(content);
    return p;
}

QByteArray TempDirTest::readFile(const QString &relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString TempDirTest::makeDir(const QString &relative) const
{
    const QString p = path(relative);
    QDir().mkpath(p);
    return p;
}

UrlCatcher::UrlCatcher(const QStringList &schemes)
    : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void UrlCatcher::open(const QUrl &url)
{
    opened << url;
}

} // namespace ardl::test
