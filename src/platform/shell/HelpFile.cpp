#include "HelpFile.h"

#include "common/core/modFile.h"
#include "common/core/ProgramFolders.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"

#include <QDesktopServices>
#include <QUrl>

namespace ardl {

QString HelpFilePath()
{
    return ProgramFolder() + QStringLiteral("ardl.html");
}

bool ShowHelpFile(const QString &path)
{
    if (!FileExists(path)) {
        MsgBox(QStringLiteral("The help file %1 is missing.").arg(path), LoadResString(223),
               MsgIcon::Exclamation);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        MsgBox(QStringLiteral("The help file %1 could not be opened: no web browser was found.").arg(path),
               LoadResString(223), MsgIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace ardl
