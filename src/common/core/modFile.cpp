#include "modFile.h"

#include <QDir>
#include <QFileInfo>

namespace ardl {

namespace {

constexpr QChar Sep = u'/';

// Position of the "." that starts the extension of the file-name part, or -1.
qsizetype extensionDot(const QString &path)
{
    const qsizetype nameStart = path.lastIndexOf(Sep) + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > nameStart ? dot : -1;
}

} // namespace

bool FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString GetFileBaseName(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

QString GetFileExtension(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QString GetFileName(const QString &path)
{
    return path.mid(path.lastIndexOf(Sep) + 1);
}

QString PathWithOutFile(const QString &path)
{
    return path.left(path.lastIndexOf(Sep) + 1);
}

QString GetDirPart(const QString &path)
{
    return PathWithOutFile(path);
}

QString AddBackslash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(Sep))
        return path;
    return path + Sep;
}

QString LastPath(const QString &path)
{
    const qsizetype p = path.lastIndexOf(Sep);
    if (p < 0)
        return path;
    const QString folder = path.left(p);
    return folder.mid(folder.lastIndexOf(Sep) + 1);
}

bool CreateFolderTree(const QString &path)
{
    for (qsizetype p = path.indexOf(Sep, 1); p >= 0; p = path.indexOf(Sep, p + 1)) {
        const QString prefix = path.left(p);
        if (prefix.isEmpty() || FolderExists(prefix))
            continue;
        if (!QDir().mkdir(prefix) && !FolderExists(prefix))
            return false;
    }
    return true;
}

QString StripDriveRoot(const QString &path)
{
    return path.startsWith(Sep) ? path.mid(1) : path;
}

} // namespace ardl
