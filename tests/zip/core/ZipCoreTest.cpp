#include "ZipCoreTest.h"

#include "platform/ziplib/ZipReader.h"
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"

#include <QDirIterator>
#include <QFileInfo>

namespace ardl::test {

ZipCoreTest::ZipCoreTest()
{
    InitZip();
    ZipOptions = {};
    InitZip();
    ZCL = {};
    ZipMessage.clear();
    ZipPassword.clear();
    ZipComment.clear();
    UnzipOptions = {};
    IncludeNames.clear();
    IncludeRawNames.clear();
    ExcludeNames.clear();
    UnzipMessage.clear();
    ZipFileList.reset();
}

ZipCoreTest::~ZipCoreTest() = default;

int ZipCoreTest::zipFiles(const QStringList &names, bool junkFolders)
{
    InitZip();
    ZCL.Archive = archive();
    ZipOptions.fGrow = 1;
    ZipOptions.fJunkDir = junkFolders ? 1 : 0;
    for (const QString &name : names)
        ZCL.Names << path(name);
    ZipMessage.clear();
    return ZipArchive();
}

QStringList ZipCoreTest::entryNames(const QString &zipPath) const
{
    ZipReader reader;
    QStringList names;
    if (!reader.open(zipPath))
        return names;
    for (const ZipEntry &e : reader.entries())
        names << e.name;
    return names;
}

QByteArray ZipCoreTest::entryData(const QString &zipPath, const QString &entryName, const QByteArray &password) const
{
    ZipReader reader;
    if (!reader.open(zipPath))
        return {};
    for (const ZipEntry &e : reader.entries()) {
        if (e.name != entryName)
            continue;
        QByteArray data;
        QString error;
        reader.readEntry(e.index, password, [&](const char *p, qint64 n) {
            data.append(p, n);
            return true;
        }, &error);
        return data;
    }
    return {};
}

QStringList ZipCoreTest::tree(const QString &folder) const
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString name = base.relativeFilePath(info.filePath());
        if (info.isSymLink())
            name += u'@';
        else if (info.isDir())
            name += u'/';
        out << name;
    }
    out.sort();
    return out;
}

} // namespace ardl::test
