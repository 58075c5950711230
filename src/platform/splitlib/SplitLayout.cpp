#include "SplitLayout.h"

#include "common/core/ProgramFolders.h"
#include "common/core/modFile.h"

#include <QFile>

namespace ardl {

SplitName SplitName::FromFileName(const QString &fileName)
{
    SplitName name;
    name.base = GetFileBaseName(fileName);
    name.extension = GetFileExtension(fileName);
    name.hasDot = name.base.size() < fileName.size();
    return name;
}

QString SplitName::fileName() const
{
    return hasDot ? base + u'.' + extension : base;
}

qint64 SelfMergeOverhead(const SplitName &name)
{
    return MergeProgramReserve + MergeRecordSize + QFile::encodeName(name.base).size()
         + QFile::encodeName(name.extension).size();
}

QString PartFileName(const QString &baseName, qint64 n)
{
    return baseName + QString::number(n) + QStringLiteral(".kos");
}

QString MergeScriptName(const QString &baseName)
{
    return baseName + QStringLiteral("-merge.sh");
}

QString MergeProgramName(const QString &baseName)
{
    return baseName + QStringLiteral("-merge");
}

QString MergeProgramPath()
{
    return ProgramFolder() + QStringLiteral("ardl-merge");
}

qint64 PartCount(qint64 length, qint64 firstSize, qint64 partSize)
{
    if (length <= 0)
        return 0;
    if (length <= firstSize)
        return 1;
    const qint64 rest = length - firstSize;
    return 1 + rest / partSize + (rest % partSize != 0 ? 1 : 0);
}

qint64 PartLength(qint64 length, qint64 firstSize, qint64 partSize, qint64 k)
{
    if (k == 0)
        return qMin(length, firstSize);
    const qint64 start = firstSize + (k - 1) * partSize;
    return qMin(partSize, length - start);
}

} // namespace ardl
