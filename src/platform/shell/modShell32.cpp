#include "modShell32.h"

#include "common/core/ErrorReport.h"
#include "common/core/modFile.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ardl {

namespace {

constexpr int kDestinationFolder = 165;   // "Destination Folder"

// Asks which program opens `target` and starts it with `target` appended to
// the program's own arguments.
bool openWithChosenProgram(const QString &target, const QString &folder)
{
    const std::optional<QString> command = prompter().inputBox(
        QStringLiteral("No program is set to open %1.\nOpen it with which program?").arg(target),
        QStringLiteral("Open with"), QString());
    if (!command || command->trimmed().isEmpty())
        return false;
    QStringList arguments = QProcess::splitCommand(*command);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return false;   // only quotes: no program named
    const QString program = arguments.takeFirst();
    arguments << target;
    if (StartProgram(program, arguments, folder))
        return true;
    MsgBox(QStringLiteral("The program %1 could not be started.").arg(program), QStringLiteral("Open with"),
           MsgIcon::Exclamation);
    return false;
}

// What to hand to the desktop: an existing local file or folder wins over a
// name that merely looks like an address ("notes:2024.txt").
QUrl targetOf(const QString &file, const QString &folder)
{
    const QString path = QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(file);
    if (QFileInfo::exists(path))
        return QUrl::fromLocalFile(path);
    const QUrl url(file, QUrl::StrictMode);
    if (url.isLocalFile())
        return QFileInfo::exists(url.toLocalFile()) ? url : QUrl();
    return url.isValid() && url.scheme().size() > 1 ? url : QUrl();
}

bool shellOpen(const QString &file, const QString &folder)
{
    if (file.isEmpty())
        return false;
    const QUrl target = targetOf(file, folder);
    if (target.isEmpty())
        return false;
    if (QDesktopServices::openUrl(target))
        return true;
    return openWithChosenProgram(target.isLocalFile() ? target.toLocalFile() : target.toString(), folder);
}

} // namespace

QString BrowseForFolder(const QString &startFolder)
{
    const QString chosen = prompter().browseForFolder(LoadResString(kDestinationFolder),
                                                      startFolder.isEmpty() ? QDir::homePath() : startFolder);
    if (chosen.isEmpty() || !QDir::isAbsolutePath(chosen))
        return QString();
    return AddBackslash(QDir::cleanPath(chosen));
}

bool RunShellExecute(const QString &operation, const QString &file, const QString &folder)
{
    return Guarded(QStringLiteral("in modShell32.RunShellExecute."), false, [&] {
        if (!operation.isEmpty() && operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
            return false;
        return shellOpen(file, folder);
    });
}

bool StartProgram(const QString &program, const QStringList &arguments, const QString &folder)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments, folder);
}

} // namespace ardl
