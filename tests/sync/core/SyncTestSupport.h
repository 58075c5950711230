#pragma once

#include "support/TestSupport.h"

#include "sync/core/CompareRun.h"

#include <QDateTime>
#include <QString>

#include <map>

namespace ardl::test {

// Local times used by the Sync tests; the tests run in a zone that is not UTC
// (set for the whole test program), so local and UTC times never coincide.
QDateTime Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);

// Compare requests as the Sync page makes them: every file, sub-folders
// included.
CompareRequest DirRequest(const QString &leftRoot, const QString &rightRoot);
CompareRequest FileRequest(const QString &syncFile, const QString &rightRoot);
// The left side is "/" of the test FTP server on `port`, logged in as its user.
CompareRequest FtpRequest(int port, const QString &rightRoot);

// Relative name -> class of every record of the compare set.
std::map<QString, int> ClassesOfSyncItems();

// A temporary folder with two trees to compare: left/ and right/.
class SyncTreeTest : public TempDirTest {
protected:
    // Writes left/<name> or right/<name> with `content` and last-write time `when`.
    QString left(const QString &name, const QByteArray &content, const QDateTime &when);
    QString right(const QString &name, const QByteArray &content, const QDateTime &when);
    QString leftRoot() const { return path(QStringLiteral("left/")); }
    QString rightRoot() const { return path(QStringLiteral("right")); }
};

} // namespace ardl::test
