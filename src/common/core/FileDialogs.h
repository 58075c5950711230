#pragma once

#include "Prompter.h"

#include <QString>
#include <QStringList>

// File dialogs that remember where they were used: each one, named by the
// caller, opens in the folder of the file last chosen in it during this
// session, else in the user's home folder; never in the process's current
// folder, which is wherever the program happened to be started.
namespace ardl {

// The folder the dialog `dialog` opens in next.
QString FileDialogFolder(const QString &dialog);

// Ask through the installed prompter. A request without a folder opens in
// FileDialogFolder(dialog). A name given back without a folder (typed plain
// into a dialog that does not complete it) is in the folder the dialog was
// showing. The folder of the chosen file is remembered for the next opening.
QStringList AskOpenFileNames(const QString &dialog, FileDialogRequest request);
QString AskSaveFileName(const QString &dialog, FileDialogRequest request);

// Forgets every remembered folder: for tests that each start afresh.
void ForgetFileDialogFolders();

} // namespace ardl
