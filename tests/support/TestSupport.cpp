#include "TestSupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

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
