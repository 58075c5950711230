#include "modVbZip.h"

#include "EntryNames.h"
#include "ZipRun.h"

#include "platform/ziplib/ZipReader.h"

namespace ardl {

ZipOptionsRecord ZipOptions;
ZipNameList ZCL;
QString ZipMessage;
QString ZipPassword;
QString ZipComment;
ZipRunResult ZipLastRun;
std::function<void()> ZipKeepAlive;

void InitZip()
{
    ZCL.Names.clear();
    ZCL.RawNames.clear();
    ZipOptions.Date.clear();
    for (int16_t *flag : {&ZipOptions.fEncrypt, &ZipOptions.fSystem, &ZipOptions.fExtra, &ZipOptions.fNoDirEntries,
                          &ZipOptions.fRecurse, &ZipOptions.fGrow, &ZipOptions.fForce, &ZipOptions.fMove,
                          &ZipOptions.fDeleteEntries, &ZipOptions.fUpdate, &ZipOptions.fFreshen, &ZipOptions.fComment})
        *flag = 0;
    ZipOptions.fJunkDir = 1;
    ZipOptions.fLevel = '9';
}

int ZipArchive()
{
    return RunZip(ZipOptions, ZCL, ZipPassword, ZipComment, ZipLastRun, ZipMessage);
}

bool DeleteTakesEveryEntry(const QString &archive, const QStringList &names, const QList<QByteArray> &rawNames)
{
    ZipReader reader;
    if (!reader.open(archive) || reader.entries().empty())
        return false;
    return SelectEntries(reader.entries(), names, nullptr, rawNames).size() == reader.entries().size();
}

} // namespace ardl
