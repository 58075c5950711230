#include "FileDialogs.h"

#include "modFile.h"

#include <QDir>
#include <QHash>

namespace ardl {

namespace {

// Dialog name -> folder of the file last chosen in it. The dialogs are asked
// from the window's thread only.
QHash<QString, QString> &lastFolders()
{
    static QHash<QString, QString> folders;
    return folders;
}

QString absoluteIn(const QString &folder, const QString &chosen)
{
    if (chosen.isEmpty() || QDir::isAbsolutePath(chosen))
        return chosen;
    return AddBackslash(folder) + chosen;
}

// Fills in where the dialog opens and says where that is.
QString prepare(const QString &dialog, FileDialogRequest &request)
{
    if (request.initialFolder.isEmpty())
        request.initialFolder = FileDialogFolder(dialog);
    return request.initialFolder;
}

void remember(const QString &dialog, const QString &chosen)
{
    if (!chosen.isEmpty())
        lastFolders().insert(dialog, PathWithOutFile(chosen));
}

} // namespace

QString FileDialogFolder(const QString &dialog)
{
    const QString last = lastFolders().value(dialog);
    return !last.isEmpty() && FolderExists(last) ? last : AddBackslash(QDir::homePath());
}

QStringList AskOpenFileNames(const QString &dialog, FileDialogRequest request)
{
    const QString folder = prepare(dialog, request);
    QStringList chosen = prompter().openFileNames(request);
    for (QString &file : chosen)
        file = absoluteIn(folder, file);
    if (!chosen.isEmpty())
        remember(dialog, chosen.front());
    return chosen;
}

QString AskSaveFileName(const QString &dialog, FileDialogRequest request)
{
    const QString folder = prepare(dialog, request);
    const QString chosen = absoluteIn(folder, prompter().saveFileName(request));
    remember(dialog, chosen);
    return chosen;
}

void ForgetFileDialogFolders()
{
    lastFolders().clear();
}

} // namespace ardl
