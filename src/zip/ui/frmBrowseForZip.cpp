#include "frmBrowseForZip.h"

#include "ZipRecords.h"
#include "frmPassword.h"

#include "common/core/ListCells.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"
#include "common/ui/ListView.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/modListView.h"
#include "platform/foldertree/FolderTree.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/FileIcons.h"
#include "zip/core/modVBUnzBas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace ardl {

namespace {

const QString FilterKey = QStringLiteral("AddZip\\Filter");
constexpr int RecentEntries = 10;
constexpr int MinWidth = 563;
constexpr int MinHeight = 454;
// The levels of the compression list, in its order.
constexpr int Levels[] = {9, 6, 4, 2, 0};

struct CheckSetting {
    QCheckBox *frmBrowseForZip::*box;
    const char *name;
};

const CheckSetting CheckSettings[] = {
    {&frmBrowseForZip::chkRecursive, "RecDir"},
    {&frmBrowseForZip::chkDosName, "DosFormatName"},
    {&frmBrowseForZip::chkIncludeSubDir, "IncSubDir"},
    {&frmBrowseForZip::chkSaveExtratDir, "SaveExtrat"},
    {&frmBrowseForZip::chkIncludeOnlyArchive, "IncOnlyArchiv"},
    {&frmBrowseForZip::chkSystemFile, "IncSysFile"},
};

} // namespace

frmBrowseForZip::frmBrowseForZip(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBrowseForZip"));
    createControls();
    ShowPasswordDialog = [this] {
        frmPassword dialog(this);
        dialog.exec();
    };
    Form_Load();
}

void frmBrowseForZip::createControls()
{
    FTBrowseZip = new FolderTree(this);
    LVZipAdd = new ListView(this);
    lblFilter = new QLabel(this);
    cboFilter = new QComboBox(this);
    chkRecursive = new QCheckBox(this);
    lblAction = new QLabel(this);
    cboAction = new QComboBox(this);
    lblCompression = new QLabel(this);
    cboCompression = new QComboBox(this);
    fraFolder = new QGroupBox(this);
    chkIncludeSubDir = new QCheckBox(fraFolder);
    chkSaveExtratDir = new QCheckBox(fraFolder);
    chkDosName = new QCheckBox(fraFolder);
    fraAttr = new QGroupBox(this);
    chkIncludeOnlyArchive = new QCheckBox(fraAttr);
    chkSystemFile = new QCheckBox(fraAttr);
    cmdAdd = new QPushButton(this);
    cmdAddWildcard = new QPushButton(this);
    cmdPassword = new QPushButton(this);
    cmdCancel = new QPushButton(this);

    const std::pair<QWidget *, const char *> names[] = {
        {FTBrowseZip, "FTBrowseZip"},     {LVZipAdd, "LVZipAdd"},           {lblFilter, "lblFilter"},
        {cboFilter, "cboFilter"},         {chkRecursive, "chkRecursive"},   {lblAction, "lblAction"},
        {cboAction, "cboAction"},         {lblCompression, "lblCompression"}, {cboCompression, "cboCompression"},
        {fraFolder, "fraFolder"},         {chkIncludeSubDir, "chkIncludeSubDir"},
        {chkSaveExtratDir, "chkSaveExtratDir"}, {chkDosName, "chkDosName"}, {fraAttr, "fraAttr"},
        {chkIncludeOnlyArchive, "chkIncludeOnlyArchive"}, {chkSystemFile, "chkSystemFile"},
        {cmdAdd, "cmdAdd"},               {cmdAddWildcard, "cmdAddWildcard"}, {cmdPassword, "cmdPassword"},
        {cmdCancel, "cmdCancel"},
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    cboFilter->setEditable(true);
    cboFilter->setInsertPolicy(QComboBox::NoInsert);
    LVZipAdd->setColumns(QList<ListColumn>(3));
    const int widths[] = {220, 90, 140};
    for (int i = 0; i < 3; ++i)
        LVZipAdd->header()->resizeSection(i, widths[i]);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(FTBrowseZip);
    splitter->addWidget(LVZipAdd);
    splitter->setStretchFactor(1, 1);

    auto *folderBox = new QVBoxLayout(fraFolder);
    folderBox->addWidget(chkIncludeSubDir);
    folderBox->addWidget(chkSaveExtratDir);
    folderBox->addWidget(chkDosName);
    auto *attrBox = new QVBoxLayout(fraAttr);
    attrBox->addWidget(chkIncludeOnlyArchive);
    attrBox->addWidget(chkSystemFile);

    auto *choices = new QGridLayout;
    choices->addWidget(lblFilter, 0, 0);
    choices->addWidget(cboFilter, 0, 1);
    choices->addWidget(chkRecursive, 0, 2);
    choices->addWidget(lblAction, 1, 0);
    choices->addWidget(cboAction, 1, 1, 1, 2);
    choices->addWidget(lblCompression, 2, 0);
    choices->addWidget(cboCompression, 2, 1, 1, 2);
    choices->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {cmdAdd, cmdAddWildcard, cmdPassword, cmdCancel})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *frames = new QVBoxLayout;
    frames->addWidget(fraFolder);
    frames->addWidget(fraAttr);

    auto *bottom = new QHBoxLayout;
    bottom->addLayout(choices, 1);
    bottom->addLayout(frames);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    setMinimumSize(MinWidth, MinHeight);
    resize(860, 620);

    connect(FTBrowseZip, &FolderTree::folderChanged, this,
            [this](const QString &folder) { FTBrowseZip_FolderChanged(folder); });
    connect(LVZipAdd, &ListView::ColumnClick, this, [this](int column) { LVZipAdd_ColumnClick(column); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdAddWildcard, &QPushButton::clicked, this, [this] { cmdAddWildcard_Click(); });
    connect(cmdPassword, &QPushButton::clicked, this, [this] { cmdPassword_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmBrowseForZip::SetCaption()
{
    setWindowTitle(LoadResString(110).remove(u'&'));
    chkRecursive->setText(LoadResString(139));
    lblFilter->setText(LoadResString(142));
    lblAction->setText(LoadResString(266));
    lblCompression->setText(LoadResString(271));
    fraFolder->setTitle(LoadResString(278));
    fraAttr->setTitle(LoadResString(281));
    chkDosName->setText(LoadResString(277));
    chkIncludeSubDir->setText(LoadResString(279));
    chkSaveExtratDir->setText(LoadResString(280));
    chkIncludeOnlyArchive->setText(LoadResString(284));
    chkSystemFile->setText(LoadResString(285));
    cmdAdd->setText(LoadResString(110));
    cmdAddWildcard->setText(LoadResString(283));
    cmdCancel->setText(LoadResString(104));
    cmdPassword->setText(LoadResString(282));
    LVZipAdd->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(195), QString(), Qt::AlignLeft},
    });
    cboAction->clear();
    for (int id : {267, 268, 269, 270})
        cboAction->addItem(LoadResString(id));
    cboAction->setCurrentIndex(0);
    cboCompression->clear();
    for (int id : {272, 273, 274, 275, 276})
        cboCompression->addItem(LoadResString(id));
    cboCompression->setCurrentIndex(0);
}

void frmBrowseForZip::Form_Load()
{
    SetCaption();
    LoadFormSize(this, QStringLiteral("AddZipWidth"), QStringLiteral("AddZipHeight"));
    LoadColumnWidth(LVZipAdd, 1, QStringLiteral("AddZipFile"));
    LoadColumnWidth(LVZipAdd, 2, QStringLiteral("AddZipSize"));
    LoadColumnWidth(LVZipAdd, 3, QStringLiteral("AddZipDate"));
    for (const CheckSetting &setting : CheckSettings)
        LoadCheckOption(this->*setting.box, QLatin1String(setting.name));
    LoadRecentList(cboFilter, FilterKey, RecentEntries);
    cboFilter->setEditText(cboFilter->count() > 0 ? cboFilter->itemText(0) : QStringLiteral("*.*"));
    FTBrowseZip->setSelectedFolder(QDir::homePath());
}

void frmBrowseForZip::FTBrowseZip_FolderChanged(const QString &folder)
{
    WaitCursor wait;
    m_folder = folder;
    colFile files;
    ScanOptions scan;
    scan.Path = folder;
    GetFileInformation(files, scan);
    std::vector<ListRow> rows;
    rows.reserve(size_t(files.Count()));
    for (const clsFile &file : files) {
        ListRow row;
        const QString name = GetFileName(file.Name);
        row.cells = QStringList({name, FormatSizeCell(file.Size), FormatDateCell(file.Date)});
        row.icon = vbAddFileItemIcon(name);
        row.key = file.Name;
        row.rawKey = file.RawName;
        rows.push_back(std::move(row));
    }
    LVZipAdd->rows().clear();
    LVZipAdd->rows().addRows(std::move(rows));
}

void frmBrowseForZip::LVZipAdd_ColumnClick(int column)
{
    SortListView(LVZipAdd, LastSortAdd, column, 2, LVZipAdd->rows().column(column - 1).tag, QStringLiteral("L|R|L"));
}

void frmBrowseForZip::rememberFilter()
{
    SaveDirectory(cboFilter, ProgramKey + FilterKey);
}

void frmBrowseForZip::cmdAdd_Click()
{
    if (LVZipAdd->rows().rowCount() == 0)
        return;
    rememberFilter();
    if (!ZipFileList)
        ZipFileList = std::make_unique<colFile>();
    // A row keeps the file's exact path: its text may read like another
    // file's name; the page leaves out and reports a file it cannot name.
    for (int index : LVZipAdd->selectedRows()) {
        const ListRow &row = LVZipAdd->rows().row(index);
        ZipFileList->Add(clsFile{row.key, ParseSizeCell(row.cells.value(1)), ParseDateCell(row.cells.value(2)), 0, 0,
                                 row.rawKey});
    }
    GetZipAddParam();
    AddConfirmed = true;
    accept();
}

void frmBrowseForZip::cmdAddWildcard_Click()
{
    rememberFilter();
    if (!ZipFileList)
        ZipFileList = std::make_unique<colFile>();
    ScanOptions scan;
    scan.Recursive = chkRecursive->isChecked();
    scan.Path = m_folder;
    scan.Mask = cboFilter->currentText();
    {
        WaitCursor wait;
        SearchForFilesArray(*ZipFileList, scan);
    }
    GetZipAddParam();
    AddConfirmed = true;
    accept();
}

void frmBrowseForZip::GetZipAddParam()
{
    ZipAddParam.DosFormatName = chkDosName->isChecked();
    ZipAddParam.IncludeSubDir = chkIncludeSubDir->isChecked();
    ZipAddParam.SaveExtraDir = chkSaveExtratDir->isChecked();
    ZipAddParam.IncludeOnlyArchive = chkIncludeOnlyArchive->isChecked();
    ZipAddParam.SystemFiles = chkSystemFile->isChecked();
    ZipAddParam.Action = cboAction->currentIndex();
    const int level = cboCompression->currentIndex();
    if (level >= 0 && level < int(std::size(Levels)))
        ZipAddParam.Level = Levels[level];
}

void frmBrowseForZip::cmdPassword_Click()
{
    ShowPasswordDialog();
}

void frmBrowseForZip::cmdCancel_Click()
{
    reject();
}

void frmBrowseForZip::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmBrowseForZip::Form_Unload()
{
    SaveFormSize(this, QStringLiteral("AddZipWidth"), QStringLiteral("AddZipHeight"));
    SaveColumnWidth(LVZipAdd, 1, QStringLiteral("AddZipFile"));
    SaveColumnWidth(LVZipAdd, 2, QStringLiteral("AddZipSize"));
    SaveColumnWidth(LVZipAdd, 3, QStringLiteral("AddZipDate"));
    for (const CheckSetting &setting : CheckSettings)
        SaveCheckOption(this->*setting.box, QLatin1String(setting.name));
}

} // namespace ardl
