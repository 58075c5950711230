#include "RenamePage.h"

#include "RowIcons.h"

#include "common/core/ErrorReport.h"
#include "common/core/StringTable.h"
#include "common/units/Twips.h"
#include "common/core/colFile.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/FileDrag.h"
#include "common/ui/HoverHelp.h"
#include "common/ui/ListView.h"
#include "common/ui/TabStripKeys.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/modListView.h"
#include "platform/foldertree/FolderTree.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace ardl {

namespace {

// Design sizes in twips; the heights tied to the bottom panel are those the
// window layout prescribes.
constexpr int TreeWidth = 3600;
constexpr int ListLeft = TreeWidth + 120;
constexpr int TabHeight = 375;
constexpr int ListRightMargin = 380;
constexpr int PanelHeight = 3135;
constexpr int ButtonWidth = 1200;
constexpr int ButtonHeight = 375;
constexpr int ButtonGap = 120;
constexpr int RecursiveWidth = 2280;
constexpr int FilterLabelWidth = 450;
constexpr int FilterBoxWidth = 870;

constexpr const char *FileTab = "FILE";
constexpr const char *PreviewTab = "PREVIEW";

int px(int twips)
{
    return TwipsToPixels(twips);
}

} // namespace

RenamePage::RenamePage(QWidget *parent)
    : QWidget(parent)
    , LVFile(new ListView(this))
    , LVPreview(new ListView(this))
    , m_files(LVFile->rows(), RowIcons())
{
    setObjectName(QStringLiteral("picRename"));
    createFileListControls();
    createRuleControls();
    connectListHandlers();
    connectRuleHandlers();
    SetHoverHelp(cmdSearch, 226);
    SetHoverHelp(cmdDelete, 227);
    SetHoverHelp(cmdClear, 228);
    SetHoverHelp(cmdPreview, 229);
    SetHoverHelp(cmdApply, 230);
    SetHoverHelp(picRen, 213);
}

RenamePage::~RenamePage() = default;

void RenamePage::createFileListControls()
{
    FolderTreeview = new FolderTree(this);
    chkRecursive = new QCheckBox(this);
    lblFilter = new QLabel(this);
    txtFilter = new QLineEdit(QStringLiteral("*.*"), this);
    cmdSearch = new QPushButton(this);
    cmdDelete = new QPushButton(this);
    cmdClear = new QPushButton(this);
    cmdPreview = new QPushButton(this);
    TabStripFile = new QTabBar(this);

    const std::pair<QWidget *, const char *> names[] = {
        {FolderTreeview, "FolderTreeview"}, {chkRecursive, "chkRecursive"}, {lblFilter, "lblFilter"},
        {txtFilter, "txtFilter"},           {cmdSearch, "cmdSearch"},       {cmdDelete, "cmdDelete"},
        {cmdClear, "cmdClear"},             {cmdPreview, "cmdPreview"},     {TabStripFile, "TabStripFile"},
        {LVFile, "LVFile"},                 {LVPreview, "LVPreview"},
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));

    AddKeyedTab(TabStripFile, FileTab);
    AddKeyedTab(TabStripFile, PreviewTab);
    TabStripFile->setExpanding(false);
    TabStripFile->setDrawBase(false);

    LVFile->setColumns(QList<ListColumn>(3));
    LVPreview->setColumns(QList<ListColumn>(4));
    LVPreview->hide();
    AcceptFileDrops(LVFile, [this](const DroppedFiles &files) {
        LVFile_OLEDragDrop(files.paths);
        // A dropped file whose path is not UTF-8 has no text that names it:
        // it is left out, and the status says so.
        if (!files.leftOut.isEmpty())
            showStatus(files.leftOut.message(NamesNotExactText));
    });
    AllowFileDragOut(LVFile, [this] { return LVFile_OLESetData(); });

    for (QPushButton *button : {cmdDelete, cmdClear, cmdPreview})
        button->setEnabled(false);
    FolderTreeview->setSelectedFolder(QDir::homePath());
}

void RenamePage::connectListHandlers()
{
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdPreview, &QPushButton::clicked, this, [this] { cmdPreview_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(chkLog, &QCheckBox::clicked, this, [this] { chkLog_Click(); });
    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    connect(TabStripFile, &QTabBar::currentChanged, this, [this] { TabStripFile_Click(); });
    connect(LVFile, &ListView::ColumnClick, this, [this](int column) { LVFile_ColumnClick(column); });
    connect(LVPreview, &ListView::ColumnClick, this, [this](int column) { LVPreview_ColumnClick(column); });
    connect(LVPreview->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showRowProblem(current.row()); });
}

void RenamePage::LoadCaptions()
{
    chkRecursive->setText(LoadResString(139));
    lblFilter->setText(LoadResString(142));
    cmdSearch->setText(LoadResString(110));
    cmdDelete->setText(LoadResString(108));
    cmdClear->setText(LoadResString(109));
    cmdPreview->setText(LoadResString(107));
    cmdApply->setText(LoadResString(111));
    chkLog->setText(LoadResString(112));
    cmdBrowse->setText(QStringLiteral("..."));
    TabStripFile->setTabText(0, LoadResString(294));
    TabStripFile->setTabText(1, LoadResString(141));

    fraChangeFileName->setTitle(LoadResString(131));
    opt1None->setText(LoadResString(121));
    opt1Remove->setText(LoadResString(137));
    opt1Replace->setText(LoadResString(136));
    opt1Insert->setText(LoadResString(133) + u' ' + LoadResString(138));
    lblAfter->setText(LoadResString(130));
    opt1DirName->setText(LoadResString(132));

    fraNumber->setTitle(LoadResString(124));
    opt2None->setText(LoadResString(121));
    opt2Before->setText(LoadResString(138));
    opt2After->setText(LoadResString(130));
    fraOpt2->setTitle(LoadResString(125));
    lblStart->setText(LoadResString(129));
    lblIncrement->setText(LoadResString(128));
    lblZeroFill->setText(LoadResString(127));
    chkInitDir->setText(LoadResString(126));

    fraExtention->setTitle(LoadResString(122));
    opt3None->setText(LoadResString(121));
    opt3Remove->setText(LoadResString(137));
    opt3Fixed->setText(LoadResString(123));

    fraCase->setTitle(LoadResString(117));
    opt4None->setText(LoadResString(121));
    opt4First->setText(LoadResString(118));
    opt4Lower->setText(LoadResString(119));
    opt4Upper->setText(LoadResString(120));

    fraSub->setTitle(LoadResString(113));
    chkSub->setText(LoadResString(114));
    lbl4Replace->setText(LoadResString(136));
    lbl4With->setText(LoadResString(116));
    chkMatchCase->setText(LoadResString(115));
}

void RenamePage::SetListHeaders()
{
    LVFile->setColumns({{LoadResString(140)}, {LoadResString(183)}, {LoadResString(184)}});
    LVPreview->setColumns({{LoadResString(140)}, {LoadResString(183)}, {LoadResString(185), {}, Qt::AlignHCenter},
                           {LoadResString(184)}});
}

void RenamePage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

// The bottom panel keeps to the bottom edge; the tree, the lists and the
// controls between them follow its top.
void RenamePage::ResizePage()
{
    const int panelHeight = qMax(px(PanelHeight), picRen->minimumSizeHint().height());
    const int panelTop = height() - panelHeight;
    picRen->setGeometry(0, panelTop, width(), panelHeight);

    FolderTreeview->setGeometry(0, 0, px(TreeWidth), qMax(0, panelTop - px(615)));
    chkRecursive->setGeometry(0, panelTop - px(405), px(RecursiveWidth), px(300));
    lblFilter->setGeometry(px(RecursiveWidth), panelTop - px(380), px(FilterLabelWidth), px(300));
    txtFilter->setGeometry(px(RecursiveWidth + FilterLabelWidth), panelTop - px(435), px(FilterBoxWidth),
                           px(345));

    const int listWidth = qMax(0, width() - px(ListLeft) - px(ListRightMargin));
    TabStripFile->setGeometry(px(ListLeft), 0, listWidth, px(TabHeight));
    for (ListView *list : {LVFile, LVPreview})
        list->setGeometry(px(ListLeft), px(TabHeight), listWidth, qMax(0, panelTop - px(990)));
    int left = ListLeft;
    for (QPushButton *button : {cmdSearch, cmdDelete, cmdClear, cmdPreview}) {
        button->setGeometry(px(left), panelTop - px(585), px(ButtonWidth), px(ButtonHeight));
        left += ButtonWidth + ButtonGap;
    }
}

void RenamePage::showStatus(const QString &text)
{
    Q_EMIT StatusTextChanged(text);
}

void RenamePage::selectTab(const char *key)
{
    SelectTabByKey(TabStripFile, key);
    TabStripFile_Click();
}

void RenamePage::TabStripFile_Click()
{
    const QString key = SelectedTabKey(TabStripFile);
    if (key == QLatin1String(FileTab)) {
        LVFile->show();
        LVPreview->hide();
    } else if (key == QLatin1String(PreviewTab)) {
        LVPreview->show();
        LVFile->hide();
    }
}

void RenamePage::updateListButtons()
{
    const bool any = m_files.count() > 0;
    for (QPushButton *button : {cmdPreview, cmdDelete, cmdClear})
        button->setEnabled(any);
}

void RenamePage::previewIsOutOfDate()
{
    m_preview.reset();
}

void RenamePage::cmdSearch_Click()
{
    AfterFillList(AddBackslash(FolderTreeview->selectedFolder()));
}

void RenamePage::AfterFillList(const QString &folder)
{
    selectTab(FileTab);
    ScanOptions options;
    options.Recursive = chkRecursive->isChecked();
    options.Path = folder;
    options.Mask = txtFilter->text().isEmpty() ? QStringLiteral("*.*") : txtFilter->text();
    FillListFile(options);
}

void RenamePage::FillListFile(ScanOptions &options)
{
    WaitCursor wait;
    const bool done = Guarded(QStringLiteral("in DirEvaVezi.modDirEvaVezi.FillListFile."), false, [&] {
        colFile found;
        SearchForFilesArray(found, options);
        if (m_files.addFiles(found) > 0)
            previewIsOutOfDate();
        return true;
    });
    updateListButtons();
    if (done)
        showStatus(FormatString(LoadResString(214), m_files.count()));
}

void RenamePage::cmdDelete_Click()
{
    const int removed = m_files.removeRows(LVFile->selectedRows());
    if (removed > 0)
        previewIsOutOfDate();
    updateListButtons();
    cmdApply->setEnabled(false);
    showStatus(FormatString(LoadResString(215), removed));
}

void RenamePage::cmdClear_Click()
{
    showStatus(LoadResString(216));
    m_files.clear();
    LVPreview->rows().clear();
    previewIsOutOfDate();
    for (QPushButton *button : {cmdDelete, cmdClear, cmdPreview, cmdApply})
        button->setEnabled(false);
}

void RenamePage::LVFile_ColumnClick(int column)
{
    // The new order is the order numbering follows.
    SortListView(LVFile, LastSortFile, column, 2, QString(), QStringLiteral("L|L|L"));
    previewIsOutOfDate();
}

void RenamePage::LVPreview_ColumnClick(int column)
{
    SortListView(LVPreview, LastSortPreview, column, 3, QString(), QStringLiteral("L|L|C|L"));
}

void RenamePage::LVFile_OLEDragDrop(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (FolderExists(path)) {
            ScanOptions options;
            options.Recursive = true;
            options.Path = path;
            options.Mask = QStringLiteral("*.*");
            FillListFile(options);
        } else if (FileExists(path) && m_files.addFiles({path}) > 0) {
            previewIsOutOfDate();
        }
    }
    updateListButtons();
}

QStringList RenamePage::LVFile_OLESetData() const
{
    return m_files.paths(LVFile->selectedRows());
}

} // namespace ardl
