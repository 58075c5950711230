#include "ProgramFolders.h"

#include "modFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace ardl {

QString ProgramFolder()
{
    return AddBackslash(QCoreApplication::applicationDirPath());
}

QString DataFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = QDir(base).filePath(QStringLiteral("Tolvern/ARDL"));
    QDir().mkpath(folder);
    return AddBackslash(folder);
}

} // namespace ardl
