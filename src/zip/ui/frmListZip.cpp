#include "frmListZip.h"

#include "common/core/FileDialogs.h"
#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/WaitCursor.h"
#include "zip/core/modVbZip.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

frmListZip::frmListZip(QWidget *parent)
    : QDialog(parent)
    , lstList(new QListWidget(this))
    , cmdCreate(new QPushButton(this))
    , cmdAnnuler(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmListZip"));
    lstList->setObjectName(QStringLiteral("lstList"));
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstList, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCreate);
    buttons->addWidget(cmdAnnuler);
    layout->addLayout(buttons);
    resize(560, 360);
    connect(cmdCreate, &QPushButton::clicked, this, [this] { cmdCreate_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
    Form_Load();
}

void frmListZip::Form_Load()
{
    setWindowTitle(LoadResString(205));
    cmdCreate->setText(LoadResString(207));
    cmdAnnuler->setText(LoadResString(104));
}

void frmListZip::AddItem(const QString &fullPath)
{
    lstList->addItem(fullPath);
}

void frmListZip::cmdCreate_Click()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Zip File|*.zip");
    request.filterIndex = 1;
    const QString archive = AskSaveFileName(QStringLiteral("Zip\\List"), request);
    if (archive.isEmpty())
        return;
    const bool exists = FileExists(archive);
    if (exists
        && prompter().message(FormatString(LoadResString(251), archive), AppInfo::Title(), MsgIcon::Question,
                              MsgButtons::YesNo)
               != MsgAnswer::Yes)
        return;

    // The Zip page's archive and options stay as they were.
    const ZipOptionsRecord pageOptions = ZipOptions;
    const ZipNameList pageNames = ZCL;
    {
        WaitCursor wait;
        ZipOptions = {};
        ZipOptions.fNoDirEntries = 1;
        ZipOptions.fJunkDir = 0;
        ZipOptions.fLevel = '9';
        // The list is the compare's files bound for the other machine, each
        // one to be packed: those whose names start with "." too.
        ZipOptions.fSystem = 1;
        ZCL = {};
        ZCL.Archive = archive;
        // Yes to "overwrite ?" replaces the archive rather than adding to it.
        ZCL.StartEmpty = exists;
        for (int i = 0; i < lstList->count(); ++i)
            ZCL.Names << lstList->item(i)->text();
        ZipMessage.clear();
        const int result = ZipArchive();
        if (result != 0)
            prompter().message(ZipMessage.trimmed(), AppInfo::Title(), MsgIcon::None, MsgButtons::Ok);
    }
    ZipOptions = pageOptions;
    ZCL = pageNames;
    accept();
}

void frmListZip::cmdAnnuler_Click()
{
    reject();
}

} // namespace ardl
