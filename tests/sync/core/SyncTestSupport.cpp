#include "SyncTestSupport.h"

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
