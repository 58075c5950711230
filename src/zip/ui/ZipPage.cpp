#include "ZipPage.h"

#include "ZipRecords.h"
#include "frmBrowseForZip.h"
#include "frmComment.h"
#include "frmDeleteZip.h"
#include "frmExtractZip.h"

#include "common/core/FileDialogs.h"
#include "common/core/AppInfo.h"
#include "common/core/ListCells.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"
#include "common/core/modString.h"
#include "common/units/Twips.h"
#include "common/ui/BusyPage.h"
#include "common/ui/FileDrag.h"
#include "common/ui/HoverHelp.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "platform/shell/FileIcons.h"
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>

namespace ardl {

namespace {

// Design places in twips.
constexpr int Margin = 60;
constexpr int ButtonWidth = 1200;
constexpr int ButtonHeight = 375;
constexpr int ButtonGap = 120;

int px(int twips)
{
    return TwipsToPixels(twips);
}

const QString ZipFilter = QStringLiteral("Zip File|*.zip");

// Status and question texts.
constexpr int MsgOverwrite = 251;
constexpr int MsgCreated = 258;
constexpr int MsgOpened = 259;
constexpr int MsgDeleted = 260;
constexpr int MsgExtracted = 261;
constexpr int MsgAdded = 299;
constexpr int MsgDeleteAll = 4330;
constexpr int MsgDeleteArchive = 4331;
constexpr int MsgArchiveRemoved = 4332;

ListRow EntryRow(const clsFile &entry)
{
    ListRow row;
    const QString name = GetFileName(entry.Name);
    row.cells = QStringList({name, FormatDateCell(entry.Date), FormatSizeCell(entry.Size), QString::number(entry.Ratio),
                             FormatSizeCell(entry.CompressedSize), PathWithOutFile(entry.Name)});
    row.icon = vbAddFileItemIcon(name);
    row.key = entry.Name;
    row.rawKey = entry.RawName;
    return row;
}

} // namespace

ZipPage::ZipPage(QWidget *parent)
    : QWidget(parent)
    , LVZip(new ListView(this))
    , cmdZipNew(new QPushButton(this))
    , cmdZipOpen(new QPushButton(this))
    , cmdZipAdd(new QPushButton(this))
    , cmdZipDelete(new QPushButton(this))
    , cmdZipExtract(new QPushButton(this))
    , cmdZipComment(new QPushButton(this))
{
    setObjectName(QStringLiteral("picZip"));
    LVZip->setObjectName(QStringLiteral("LVZip"));
    const std::pair<QPushButton *, const char *> buttons[] = {
        {cmdZipNew, "cmdZipNew"},       {cmdZipOpen, "cmdZipOpen"},       {cmdZipAdd, "cmdZipAdd"},
        {cmdZipDelete, "cmdZipDelete"}, {cmdZipExtract, "cmdZipExtract"}, {cmdZipComment, "cmdZipComment"},
    };
    for (const auto &[button, name] : buttons)
        button->setObjectName(QLatin1String(name));
    LVZip->setColumns(QList<ListColumn>(6));
    // Widths until the stored ones are restored.
    const int widths[] = {190, 140, 90, 70, 90, 200};
    for (int i = 0; i < 6; ++i)
        LVZip->header()->resizeSection(i, widths[i]);
    for (QPushButton *button : {cmdZipAdd, cmdZipDelete, cmdZipExtract, cmdZipComment})
        button->setEnabled(false);

    ShowAddDialog = [this] {
        frmBrowseForZip dialog(this);
        dialog.exec();
    };
    ShowDeleteDialog = [this] {
        frmDeleteZip dialog(this);
        dialog.exec();
    };
    ShowExtractDialog = [this] {
        frmExtractZip dialog(this);
        dialog.exec();
    };
    ShowCommentDialog = [this] {
        frmComment dialog(this);
        dialog.exec();
    };
    // While a run blocks the thread the window still repaints; clicks wait.
    ZipKeepAlive = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };

    connect(cmdZipNew, &QPushButton::clicked, this, [this] { cmdZipNew_Click(); });
    connect(cmdZipOpen, &QPushButton::clicked, this, [this] { cmdZipOpen_Click(); });
    connect(cmdZipAdd, &QPushButton::clicked, this, [this] { cmdZipAdd_Click(); });
    connect(cmdZipDelete, &QPushButton::clicked, this, [this] { cmdZipDelete_Click(); });
    connect(cmdZipExtract, &QPushButton::clicked, this, [this] { cmdZipExtract_Click(); });
    connect(cmdZipComment, &QPushButton::clicked, this, [this] { cmdZipComment_Click(); });
    connect(LVZip, &ListView::ColumnClick, this, [this](int column) { LVZip_ColumnClick(column); });
    AcceptFileDrops(LVZip, [this](const DroppedFiles &files) {
        // Files go into the archive named by New or Open; there is none before.
        if (cmdZipAdd->isEnabled())
            LVZip_OLEDragDrop(files.paths, files.leftOut);
    });
    for (int i = 0; i < 6; ++i)
        SetHoverHelp(buttons[i].first, 252 + i);
}

void ZipPage::LoadCaptions()
{
    cmdZipNew->setText(LoadResString(262));
    cmdZipOpen->setText(LoadResString(263));
    cmdZipAdd->setText(LoadResString(110));
    cmdZipDelete->setText(LoadResString(108));
    cmdZipExtract->setText(LoadResString(264));
    cmdZipComment->setText(LoadResString(265));
    LVZip->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(301), QString(), Qt::AlignHCenter},
        {LoadResString(302), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(184), QString(), Qt::AlignLeft},
    });
}

void ZipPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

// The list fills the page above one row of buttons.
void ZipPage::ResizePage()
{
    const int listHeight = qMax(0, height() - px(915));
    LVZip->setGeometry(px(Margin), px(Margin), qMax(0, width() - px(120)), listHeight);
    const int top = px(Margin) + listHeight + px(ButtonGap);
    int left = px(Margin);
    for (QPushButton *button : {cmdZipNew, cmdZipOpen, cmdZipAdd, cmdZipDelete, cmdZipExtract, cmdZipComment}) {
        button->setGeometry(left, top, px(ButtonWidth), px(ButtonHeight));
        left += px(ButtonWidth + ButtonGap);
    }
}

void ZipPage::status(const QString &text)
{
    Q_EMIT StatusTextChanged(text);
}

void ZipPage::updateButtons()
{
    const bool any = LVZip->rows().rowCount() > 0;
    for (QPushButton *button : {cmdZipAdd, cmdZipDelete, cmdZipExtract, cmdZipComment})
        button->setEnabled(any);
}

void ZipPage::reportZipFailure(int result)
{
    if (result != 0)
        prompter().message(ZipMessage.trimmed(), AppInfo::Title(), MsgIcon::Exclamation, MsgButtons::Ok);
}

bool ZipPage::DisplayZip()
{
    LVZip->rows().clear();
    // A new archive not written yet, or one whose last entry was deleted
    // (and with it the file): nothing to list.
    if (!QFileInfo::exists(ZCL.Archive))
        return true;
    UnzipOptions = {};
    UnzipOptions.Zip = ZCL.Archive;
    UnzipOptions.ExtractDir = PathWithOutFile(ZCL.Archive);
    UnzipOptions.nvflag = 1;
    IncludeNames.clear();
    IncludeRawNames.clear();
    UnzipMessage.clear();
    ZipFileList = std::make_unique<colFile>();
    UnzipArchive();
    // The rows now show what the archive holds, and later runs keep it: an
    // earlier "overwrite" that nothing replaced does not stand behind them.
    if (UnzipLastRun.opened)
        ZCL.StartEmpty = false;
    std::vector<ListRow> rows;
    rows.reserve(size_t(ZipFileList->Count()));
    for (const clsFile &entry : *ZipFileList)
        rows.push_back(EntryRow(entry));
    LVZip->rows().addRows(std::move(rows));
    ZipFileList.reset();
    return UnzipLastRun.opened;
}

ZipPage::RowNames ZipPage::rowNames(bool selectedOnly) const
{
    RowNames names;
    const auto take = [&names](const ListRow &row) {
        if (row.rawKey.isEmpty())
            names.names << row.key;
        else
            names.rawNames << row.rawKey;
    };
    const ListViewModel &rows = LVZip->rows();
    if (selectedOnly) {
        for (int index : LVZip->selectedRows())
            take(rows.row(index));
    } else {
        for (const ListRow &row : rows.rows())
            take(row);
    }
    return names;
}

void ZipPage::addFileList(LeftOutNames leftOut)
{
    ZCL.Names = ExactNames(*ZipFileList, leftOut);
    ZipFileList.reset();
    // With every file left out there is nothing to run.
    if (!ZCL.Names.isEmpty() || leftOut.isEmpty()) {
        ZipMessage.clear();
        reportZipFailure(ZipArchive());
        DisplayZip();
        updateButtons();
    }
    status(FormatString(LoadResString(MsgAdded), ZCL.Names.isEmpty() ? 0 : ZipLastRun.filesWritten()));
    if (!leftOut.isEmpty())
        prompter().message(leftOut.message(NamesNotExactText), AppInfo::Title(), MsgIcon::Exclamation, MsgButtons::Ok);
}

void ZipPage::cmdZipNew_Click()
{
    FileDialogRequest request;
    request.filter = ZipFilter;
    request.filterIndex = 1;
    const QString archive = AskSaveFileName(QStringLiteral("Zip\\New"), request);
    if (archive.isEmpty())
        return;
    const bool exists = FileExists(archive);
    if (exists
        && prompter().message(FormatString(LoadResString(MsgOverwrite), archive), AppInfo::Title(), MsgIcon::Question,
                              MsgButtons::YesNo)
               != MsgAnswer::Yes)
        return;
    InitZip();
    ZCL.Archive = archive;
    // The old archive is replaced when the first add has written the new one.
    ZCL.StartEmpty = exists;
    LVZip->rows().clear();
    cmdZipAdd->setEnabled(true);
    for (QPushButton *button : {cmdZipDelete, cmdZipExtract, cmdZipComment})
        button->setEnabled(false);
    status(FormatString(LoadResString(MsgCreated), archive));
}

void ZipPage::cmdZipOpen_Click()
{
    FileDialogRequest request;
    request.filter = ZipFilter;
    request.filterIndex = 1;
    const QStringList chosen = AskOpenFileNames(QStringLiteral("Zip\\Open"), request);
    if (chosen.isEmpty())
        return;
    BusyPage busy(this);
    ZCL.Archive = chosen.front();
    ZCL.StartEmpty = false;
    const bool opened = DisplayZip();
    updateButtons();
    if (opened)
        status(FormatString(LoadResString(MsgOpened), ZCL.Archive, LVZip->rows().rowCount()));
    else
        status(QString());
}

void ZipPage::cmdZipAdd_Click()
{
    InitZip();
    ZipFileList = std::make_unique<colFile>();
    AddConfirmed = false;
    ShowAddDialog();
    if (!AddConfirmed) {
        ZipFileList.reset();
        return;
    }
    BusyPage busy(this);
    switch (ZipAddParam.Action) {
    case 1:
        ZipOptions.fFreshen = 1;
        break;
    case 2:
        ZipOptions.fMove = 1;
        break;
    case 3:
        ZipOptions.fUpdate = 1;
        break;
    default:
        ZipOptions.fGrow = 1;
        break;
    }
    ZipOptions.fLevel = int16_t('0' + qBound(0, ZipAddParam.Level, 9));
    ZipOptions.fEncrypt = ZipPassword.isEmpty() ? 0 : 1;
    ZipOptions.fSystem = ZipAddParam.SystemFiles ? 1 : 0;
    ZipOptions.fForce = ZipAddParam.DosFormatName ? 1 : 0;
    ZipOptions.fExtra = ZipAddParam.SaveExtraDir ? 1 : 0;
    ZipOptions.fJunkDir = ZipAddParam.IncludeSubDir ? 0 : 1;
    addFileList({});
}

void ZipPage::cmdZipDelete_Click()
{
    const RowNames selected = rowNames(true);
    ExtractParam.NoSelection = selected.isEmpty();
    // The rows the user picked are what Delete is about; every entry only
    // when none is picked.
    ExtractParam.WhichFiles = ExtractParam.NoSelection ? 1 : 0;
    DeleteConfirmed = false;
    ShowDeleteDialog();
    if (!DeleteConfirmed)
        return;
    RowNames names;
    switch (ExtractParam.WhichFiles) {
    case 0:
        names = selected;
        break;
    case 1:
        names = rowNames(false);
        break;
    case 2:
        names.names = QStringList(ExtractParam.FileSpec);
        break;
    default:
        return;
    }
    if (ExtractParam.WhichFiles == 2 && ExtractParam.FileSpec.trimmed().isEmpty())
        return;
    // Without entries the archive is no file: its last entry takes the file
    // and its comment with it. That, and every file at once, is asked
    // first, No being the default.
    const bool takesArchive = DeleteTakesEveryEntry(ZCL.Archive, names.names, names.rawNames);
    if ((takesArchive || ExtractParam.WhichFiles == 1)
        && prompter().message(FormatString(LoadResString(takesArchive ? MsgDeleteArchive : MsgDeleteAll), ZCL.Archive),
                              AppInfo::Title(), MsgIcon::Question, MsgButtons::YesNoDefaultNo)
               != MsgAnswer::Yes)
        return;
    BusyPage busy(this);
    InitZip();
    ZipOptions.fNoDirEntries = 1;
    ZipOptions.fDeleteEntries = 1;
    ZCL.Names = names.names;
    ZCL.RawNames = names.rawNames;
    ZipMessage.clear();
    reportZipFailure(ZipArchive());
    DisplayZip();
    updateButtons();
    if (ZipLastRun.archiveRemoved)
        status(FormatString(LoadResString(MsgArchiveRemoved), ZCL.Archive, ZipLastRun.deleted));
    else
        status(FormatString(LoadResString(MsgDeleted), ZipLastRun.deleted));
}

void ZipPage::cmdZipExtract_Click()
{
    const RowNames selected = rowNames(true);
    ExtractParam.NoSelection = selected.isEmpty();
    // As for Delete: the rows the user picked are what is offered, not an
    // "All Files" left by an earlier run, which would write (and with
    // "Overwrite Existing files" replace) files nobody picked.
    ExtractParam.WhichFiles = ExtractParam.NoSelection ? 1 : 0;
    ExtractConfirmed = false;
    ShowExtractDialog();
    if (!ExtractConfirmed)
        return;
    IncludeRawNames.clear();
    switch (ExtractParam.WhichFiles) {
    case 0:
        IncludeNames = selected.names;
        IncludeRawNames = selected.rawNames;
        break;
    case 1:
        IncludeNames.clear();
        break;
    case 2:
        IncludeNames = QStringList(ExtractParam.FileSpec);
        break;
    default:
        return;
    }
    BusyPage busy(this);
    UnzipOptions = {};
    UnzipOptions.ExtractOnlyNewer = ExtractParam.SkipOlder ? 1 : 0;
    UnzipOptions.PromptToOverwrite = ExtractParam.Overwrite ? 0 : 1;
    UnzipOptions.ndflag = ExtractParam.UseFolderNames ? 1 : 0;
    UnzipOptions.ExtractDir = ExtractParam.Folder;
    UnzipOptions.Zip = ZCL.Archive;
    UnzipMessage.clear();
    UnzipArchive();
    status(FormatString(LoadResString(MsgExtracted), UnzipLastRun.extracted));
}

void ZipPage::cmdZipComment_Click()
{
    InitZip();
    CommentConfirmed = false;
    UnzipOptions = {};
    UnzipOptions.Zip = ZCL.Archive;
    UnzipOptions.ExtractDir = PathWithOutFile(ZCL.Archive);
    UnzipOptions.nvflag = 1;
    UnzipOptions.nzflag = 1;
    IncludeNames.clear();
    IncludeRawNames.clear();
    UnzipMessage.clear();
    ZipFileList.reset();
    UnzipArchive();
    if (!UnzipLastRun.opened)
        return;
    ZipComment = UnzipMessage;
    ShowCommentDialog();
    if (CommentConfirmed) {
        BusyPage busy(this);
        ZipOptions.fComment = 1;
        ZipMessage.clear();
        reportZipFailure(ZipArchive());
        DisplayZip();
        updateButtons();
    }
    InitZip();
}

void ZipPage::LVZip_ColumnClick(int column)
{
    SortListView(LVZip, LastSortZip, column, 5, LVZip->rows().column(column - 1).tag, QStringLiteral("L|L|R|C|R|L"));
}

void ZipPage::LVZip_OLEDragDrop(const QStringList &paths, const LeftOutNames &leftOut)
{
    BusyPage busy(this);
    ZipFileList = std::make_unique<colFile>();
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            ScanOptions scan;
            scan.Recursive = true;
            scan.Path = path;
            SearchForFilesArray(*ZipFileList, scan);
        } else {
            ZipFileList->Add(path, info.size(), info.lastModified());
        }
    }
    InitZip();
    ZipOptions.fGrow = 1;
    ZipOptions.fLevel = '9';
    ZipOptions.fJunkDir = 0;
    addFileList(leftOut);
}

} // namespace ardl
