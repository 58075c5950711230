#include "frmExtractZip.h"

#include "ZipFilesFrame.h"
#include "ZipRecords.h"
#include "frmNewFolder.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/PathBox.h"
#include "common/ui/modListView.h"
#include "platform/foldertree/FolderTree.h"
#include "platform/settings/modRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

namespace {

const QString ExtractKey = QStringLiteral("Option\\Extract");
const QString RecentKey = QStringLiteral("UnZip\\Dir");
constexpr int RecentEntries = 10;

} // namespace

frmExtractZip::frmExtractZip(QWidget *parent)
    : QDialog(parent)
    , lblExtractTo(new QLabel(this))
    , cboFolder(new QComboBox(this))
    , FTZip(new FolderTree(this))
    , fraFiles(new ZipFilesFrame(this))
    , chkOverFile(new QCheckBox(this))
    , chkSkip(new QCheckBox(this))
    , chkUseName(new QCheckBox(this))
    , cmdExtract(new QPushButton(this))
    , cmdCancel(new QPushButton(this))
    , cmdNewFolder(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmExtractZip"));
    const std::pair<QWidget *, const char *> names[] = {
        {lblExtractTo, "lblExtractTo"}, {cboFolder, "cboFolder"},   {FTZip, "FTZip"},
        {chkOverFile, "chkOverFile"},   {chkSkip, "chkSkip"},       {chkUseName, "chkUseName"},
        {cmdExtract, "cmdExtract"},     {cmdCancel, "cmdCancel"},   {cmdNewFolder, "cmdNewFolder"},
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    MakePathBox(cboFolder);
    // Enter in the folder box looks the folder up; it must not extract.
    for (QPushButton *button : {cmdExtract, cmdCancel, cmdNewFolder})
        button->setAutoDefault(false);

    auto *right = new QVBoxLayout;
    right->addWidget(fraFiles);
    right->addWidget(chkOverFile);
    right->addWidget(chkSkip);
    right->addWidget(chkUseName);
    right->addStretch();
    right->addWidget(cmdExtract);
    right->addWidget(cmdNewFolder);
    right->addWidget(cmdCancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(lblExtractTo, 0, 0);
    layout->addWidget(cboFolder, 1, 0);
    layout->addWidget(FTZip, 2, 0);
    layout->addLayout(right, 0, 1, 3, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);
    resize(620, 420);

    ShowNewFolderDialog = [this] {
        frmNewFolder dialog(this);
        dialog.exec();
    };
    connect(FTZip, &FolderTree::folderPicked, this, [this](const QString &folder) { FTZip_FolderChanged(folder); });
    connect(cboFolder, &QComboBox::activated, this, [this] { cmdSelect(); });
    connect(cboFolder->lineEdit(), &QLineEdit::returnPressed, this, [this] { cmdSelect(); });
    connect(cmdNewFolder, &QPushButton::clicked, this, [this] { cmdNewFolder_Click(); });
    connect(cmdExtract, &QPushButton::clicked, this, [this] { cmdExtract_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmExtractZip::Form_Load()
{
    ExtractConfirmed = false;
    setWindowTitle(LoadResString(286));
    lblExtractTo->setText(LoadResString(287));
    fraFiles->LoadCaptions();
    chkOverFile->setText(LoadResString(291));
    chkSkip->setText(LoadResString(292));
    chkUseName->setText(LoadResString(293));
    cmdExtract->setText(LoadResString(264));
    cmdCancel->setText(LoadResString(104));
    cmdNewFolder->setText(LoadResString(290));
    LoadRecentList(cboFolder, RecentKey, RecentEntries);
    fraFiles->SetChoice(ExtractParam.WhichFiles, ExtractParam.NoSelection);
    LoadCheckOption(chkOverFile, QStringLiteral("Overwrite"), ExtractKey);
    LoadCheckOption(chkSkip, QStringLiteral("Skipolder"), ExtractKey);
    LoadCheckOption(chkUseName, QStringLiteral("UseFolder"), ExtractKey);
    // The last folder used is where the tree starts, else the home folder.
    QString start = cboFolder->count() > 0 ? cboFolder->itemText(0) : QString();
    if (!FolderExists(start))
        start = QDir::homePath();
    cboFolder->setEditText(start);
    FTZip->setSelectedFolder(start);
    cmdNewFolder->setEnabled(FolderExists(start));
}

void frmExtractZip::FTZip_FolderChanged(const QString &folder)
{
    cboFolder->setEditText(folder);
    SaveDirectory(cboFolder, ProgramKey + RecentKey);
    cmdNewFolder->setEnabled(FolderExists(cboFolder->currentText()));
}

void frmExtractZip::cmdSelect()
{
    const QString folder = cboFolder->currentText();
    if (FolderExists(folder)) {
        FTZip->setSelectedFolder(folder);
        cmdNewFolder->setEnabled(true);
        return;
    }
    prompter().message(FormatString(LoadResString(295), folder), AppInfo::Title(), MsgIcon::Exclamation,
                       MsgButtons::Ok);
}

void frmExtractZip::cmdNewFolder_Click()
{
    NewFolderConfirmed = false;
    ShowNewFolderDialog();
    if (!NewFolderConfirmed)
        return;
    const QString folder = AddBackslash(AddBackslash(FTZip->selectedFolder()) + NewFolderName);
    CreateFolderTree(folder);
    FTZip->refresh();
    FTZip->setSelectedFolder(folder);
    FTZip_FolderChanged(QDir::cleanPath(folder));
}

void frmExtractZip::cmdExtract_Click()
{
    // The exact name: a folder picked in the tree may end in a blank, and
    // the one without it is another folder.
    const QString folder = cboFolder->currentText();
    if (folder.trimmed().isEmpty() || !QDir::isAbsolutePath(folder) || !CreateFolderTree(AddBackslash(folder))
        || !FolderExists(folder)) {
        prompter().message(FormatString(LoadResString(295), folder), AppInfo::Title(), MsgIcon::Exclamation,
                           MsgButtons::Ok);
        return;
    }
    ExtractParam.Overwrite = chkOverFile->isChecked();
    ExtractParam.SkipOlder = chkSkip->isChecked();
    ExtractParam.UseFolderNames = chkUseName->isChecked();
    ExtractParam.WhichFiles = fraFiles->Choice();
    ExtractParam.FileSpec = fraFiles->txtFiles->text();
    ExtractParam.Folder = folder;
    SaveDirectory(cboFolder, ProgramKey + RecentKey);
    ExtractConfirmed = true;
    accept();
}

void frmExtractZip::cmdCancel_Click()
{
    ExtractConfirmed = false;
    reject();
}

void frmExtractZip::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmExtractZip::Form_Unload()
{
    SaveCheckOption(chkOverFile, QStringLiteral("Overwrite"), ExtractKey);
    SaveCheckOption(chkSkip, QStringLiteral("Skipolder"), ExtractKey);
    SaveCheckOption(chkUseName, QStringLiteral("UseFolder"), ExtractKey);
}

} // namespace ardl
