#include "modVBUnzBas.h"

#include "UnzipRun.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"

namespace ardl {

UnzipOptionsRecord UnzipOptions;
QStringList IncludeNames;
QList<QByteArray> IncludeRawNames;
QStringList ExcludeNames;
QString UnzipMessage;
int16_t PasswordRefused = 0;
std::unique_ptr<colFile> ZipFileList;
UnzipRunResult UnzipLastRun;

int UnzipArchive()
{
    bool refused = false;
    const int code = RunUnzip(UnzipOptions, IncludeNames, IncludeRawNames, ExcludeNames, ZipFileList.get(), UnzipLastRun,
                              UnzipMessage, &refused);
    PasswordRefused = refused ? 1 : 0;
    if (code != 0)
        prompter().message(UnzipMessage.trimmed(), AppInfo::Title(), MsgIcon::Exclamation, MsgButtons::Ok);
    return code;
}

} // namespace ardl
