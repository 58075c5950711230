#include "SyncTestSupport.h"

#include "platform/ftp/FtpTestServer.h"
#include "sync/core/modClass.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <ctime>

namespace {

// Before main(): every local time of this program is Paris time.
const bool g_zone = [] {
    ::setenv("TZ", "Europe/Paris", 1);
    ::tzset();
    return true;
}();

} // namespace

namespace ardl::test {

QDateTime Local(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
}

CompareRequest DirRequest(const QString &leftRoot, const QString &rightRoot)
{
    CompareRequest r;
    r.Kind = QStringLiteral("Dir");
    r.RootLeft = leftRoot;
    r.RootRight = rightRoot;
    r.Filter = QStringLiteral("*.*");
    r.Recursive = true;
    return r;
}

CompareRequest FileRequest(const QString &syncFile, const QString &rightRoot)
{
    CompareRequest r = DirRequest(syncFile, rightRoot);
    r.Kind = QStringLiteral("File");
    return r;
}

CompareRequest FtpRequest(int port, const QString &rightRoot)
{
    CompareRequest r = DirRequest(QStringLiteral("127.0.0.1"), rightRoot);
    r.Kind = QStringLiteral("Ftp");
    r.Login = QString::fromLatin1(FtpTestServer::UserName);
    r.Password = QString::fromLatin1(FtpTestServer::Password);
    r.RemoteDir = QStringLiteral("/");
    r.Port = QString::number(port);
    return r;
}

std::map<QString, int> ClassesOfSyncItems()
{
    std::map<QString, int> out;
    for (const clsList &item : SyncItems())
        out[item.bLeft ? item.L_File : item.R_File] = item.iOrginalType;
    return out;
}

QString SyncTreeTest::left(const QString &name, const QByteArray &content, const QDateTime &when)
{
    const QString p = writeFile(QStringLiteral("left/") + name, content);
    SetFileTime(p, when);
    return p;
}

QString SyncTreeTest::right(const QString &name, const QByteArray &content, const QDateTime &when)
{
    const QString p = writeFile(QStringLiteral("right/") + name, content);
    SetFileTime(p, when);
    return p;
}

} // namespace ardl::test
