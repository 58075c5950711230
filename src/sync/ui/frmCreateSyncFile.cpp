#include "frmCreateSyncFile.h"

#include "SyncKeys.h"

#include "common/core/FileDialogs.h"
#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/WidgetNames.h"
#include "common/ui/modListView.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/modShell32.h"
#include "sync/core/SyncFile.h"
#include "sync/core/SyncMessage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ardl {

namespace {

constexpr int FilterCount = 5;

} // namespace

frmCreateSyncFile::frmCreateSyncFile(QWidget *parent)
    : QDialog(parent)
    , lblDir(named(new QLabel(this), "lblDir"))
    , txtDst(named(new QLineEdit(this), "txtDst"))
    , cmdBrowseFolder(named(new QPushButton(this), "cmdBrowseFolder"))
    , lblFilter(named(new QLabel(this), "lblFilter"))
    , cboFilter(named(new QComboBox(this), "cboFilter"))
    , chkRecursive(named(new QCheckBox(this), "chkRecursive"))
    , cmdCreate(named(new QPushButton(this), "cmdCreate"))
    , cmdAnnuler(named(new QPushButton(this), "cmdAnnuler"))
{
    setObjectName(QStringLiteral("frmCreateSyncFile"));
    cboFilter->setEditable(true);
    cboFilter->setInsertPolicy(QComboBox::NoInsert);
    cboFilter->setEditText(QStringLiteral("*.*"));
    // A compare against the file takes the other folder with its sub-folders:
    // a file of the top folder alone would make every file below it look
    // missing there.
    chkRecursive->setChecked(true);
    // Enter creates the file; without this the browse button, first in
    // the Tab order, would take Enter.
    cmdCreate->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(lblDir, 0, 0);
    grid->addWidget(txtDst, 0, 1);
    grid->addWidget(cmdBrowseFolder, 0, 2);
    grid->addWidget(lblFilter, 1, 0);
    grid->addWidget(cboFilter, 1, 1);
    grid->addWidget(chkRecursive, 2, 1);
    grid->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCreate);
    buttons->addWidget(cmdAnnuler);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    connect(cmdBrowseFolder, &QPushButton::clicked, this, [this] { cmdBrowseFolder_Click(); });
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
}

void frmCreateSyncFile::Form_Load()
{
    const QString folder = QueryValue(SyncKey(), QStringLiteral("DirFileSync")).toString();
    if (!folder.isEmpty())
        txtDst->setText(folder);
    else
        CreateNewKey(SyncKey());
    setWindowTitle(LoadResString(197));
    lblDir->setText(LoadResString(196));
    cmdBrowseFolder->setText(LoadResString(169));
    lblFilter->setText(LoadResString(142));
    chkRecursive->setText(LoadResString(139));
    cmdCreate->setText(LoadResString(192));
    cmdAnnuler->setText(LoadResString(104));
    LoadRecentList(cboFilter, QStringLiteral("Sync\\Filter"), FilterCount);
}

void frmCreateSyncFile::cmdBrowseFolder_Click()
{
    const QString folder = BrowseForFolder(txtDst->text());
    if (folder.isEmpty())
        return;
    txtDst->setText(folder);
    SetKeyValue(SyncKey(), QStringLiteral("DirFileSync"), folder, REG_SZ);
}

void frmCreateSyncFile::cmdCreate_Click()
{
    SaveDirectory(cboFilter, ProgramKey + QStringLiteral("Sync\\Filter"));
    FileDialogRequest request;
    request.filter = QStringLiteral("Synchronize File|*.syn");
    request.filterIndex = 1;
    const QString path = AskSaveFileName(QStringLiteral("Sync\\CreateFile"), request);
    QCoreApplication::processEvents();
    if (path.isEmpty())
        return;
    const QString folder = txtDst->text();
    if (folder.isEmpty() || !FolderExists(folder)) {
        MsgBox(FormatString(LoadResString(SyncText::FolderInvalid), folder), AppInfo::Title(), MsgIcon::Information);
        return;
    }
    if (FileExists(path)
        && prompter().message(FormatString(LoadResString(SyncText::OverwriteFile), path), AppInfo::Title(),
                              MsgIcon::Question, MsgButtons::YesNo)
               != MsgAnswer::Yes)
        return;
    SyncFileWriteResult written;
    {
        WaitCursor wait;
        written = CreateSyncFile(path, folder, cboFilter->currentText(), chkRecursive->isChecked());
    }
    if (!written.ok) {
        MsgBox(written.error, AppInfo::Title(), MsgIcon::Exclamation);
        return;
    }
    // The file holds every other name; one message tells of all those left out.
    if (!written.skipped.isEmpty())
        MsgBox(written.skipped.message(SyncText::NamesLeftOutOfSyncFile), AppInfo::Title(), MsgIcon::Exclamation);
    accept();
}

void frmCreateSyncFile::cmdAnnuler_Click()
{
    reject();
}

} // namespace ardl
