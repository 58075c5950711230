#include "Mp3Page.h"

#include "mp3/core/GenreList.h"

#include "common/core/ErrorReport.h"
#include "common/core/StringTable.h"
#include "common/core/colFile.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/ListView.h"
#include "common/ui/RadioGroups.h"
#include "common/ui/TabStripKeys.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/modListView.h"
#include "common/units/Twips.h"
#include "platform/foldertree/FolderTree.h"
#include "platform/shell/FileIcons.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>

namespace ardl {

namespace {

// Design sizes in twips; the offsets from the tab strip's top are those the
// window layout prescribes.
constexpr int TabStripFromBottom = 3615;
constexpr int TabStripRightMargin = 90;
constexpr int ListsAboveTabStrip = 855;
constexpr int RecursiveAboveTabStrip = 570;
constexpr int ListWidthLess = 4290;
constexpr int ListLeft = ListWidthLess - TabStripRightMargin;
constexpr int TreeListGap = 120;
constexpr int TabHeight = 360;
constexpr int PanelInset = 60;
constexpr int ButtonWidth = 1200;
constexpr int ButtonHeight = 375;
constexpr int ButtonGap = 120;
constexpr int ListFileWidth = 3000;
constexpr int ListPathWidth = 3300;
constexpr int ListStatusWidth = 1000;

constexpr const char *ID3Tab = "ID3";
constexpr const char *MassTab = "MASS";
constexpr const char *EditTab = "EDIT";

int px(int twips)
{
    return TwipsToPixels(twips);
}

} // namespace

Mp3Page::Mp3Page(QWidget *parent)
    : QWidget(parent)
    , LVMp3File(new ListView(this))
    , m_files(LVMp3File->rows(), vbAddFileItemIcon, QColor(0, 130, 0), QColor(255, 0, 0))
{
    setObjectName(QStringLiteral("picMp3"));
    createFileListControls();
    createTabStrip();
    picID3ToFile = createID3ToFilePanel();
    picMassID3 = createMassTagPanel();
    picEditTag = createEditTagPanel();
    GroupRadioButtons(this);
    connectListHandlers();
    connectID3ToFileHandlers();
    connectMassTagHandlers();
    connectEditTagHandlers();
    selectTab(ID3Tab);
}

Mp3Page::~Mp3Page() = default;

void Mp3Page::createFileListControls()
{
    FTMp3 = new FolderTree(this);
    chkMp3Recursive = new QCheckBox(this);
    cmdAddMp3File = new QPushButton(this);
    cmdDelMp3File = new QPushButton(this);
    cmdClearMp3File = new QPushButton(this);
    const std::pair<QWidget *, const char *> names[] = {
        {FTMp3, "FTMp3"},
        {chkMp3Recursive, "chkMp3Recursive"},
        {cmdAddMp3File, "cmdAddMp3File"},
        {cmdDelMp3File, "cmdDelMp3File"},
        {cmdClearMp3File, "cmdClearMp3File"},
        {LVMp3File, "LVMp3File"},
    };
    for (const auto &[widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    LVMp3File->setColumns(QList<ListColumn>(3));
    // Design widths, until the stored ones are restored.
    const int widths[] = {ListFileWidth, ListPathWidth, ListStatusWidth};
    for (int column = 0; column < 3; ++column)
        LVMp3File->header()->resizeSection(column, px(widths[column]));
    FTMp3->setSelectedFolder(QDir::homePath());
}

void Mp3Page::createTabStrip()
{
    TabStrip = new QTabBar(this);
    TabStrip->setObjectName(QStringLiteral("TabStrip"));
    for (const char *key : {ID3Tab, MassTab, EditTab})
        AddKeyedTab(TabStrip, key);
    TabStrip->setExpanding(false);
    TabStrip->setDrawBase(false);
}

void Mp3Page::connectListHandlers()
{
    connect(cmdAddMp3File, &QPushButton::clicked, this, [this] { cmdAddMp3File_Click(); });
    connect(cmdDelMp3File, &QPushButton::clicked, this, [this] { cmdDelMp3File_Click(); });
    connect(cmdClearMp3File, &QPushButton::clicked, this, [this] { cmdClearMp3File_Click(); });
    connect(LVMp3File, &ListView::ColumnClick, this, [this](int column) { LVMp3File_ColumnClick(column); });
    connect(TabStrip, &QTabBar::currentChanged, this, [this] { TabStrip_Click(); });
    // A row chosen with the mouse or the keys loads the editor; a click on
    // the row already current loads it again. The list making a row current
    // by itself (when it takes the focus) selects nothing and loads nothing.
    connect(LVMp3File->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && LVMp3File->selectionModel()->isRowSelected(current.row(), {}))
                    LVMp3File_ItemClick(current.row());
            });
    // A click that takes a row out of the selection (Ctrl) loads nothing.
    connect(LVMp3File, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (LVMp3File->selectionModel()->isRowSelected(index.row(), {}))
            LVMp3File_ItemClick(index.row());
    });
    connect(LVMp3File->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { editorFollowsSelection(); });
}

// The editor edits the file of a selected row: when that row leaves the
// selection, the editor empties, so that the list never marks one file
// while a save would write another. A row picked while another panel is
// shown loads nothing, but it still ends the tag loaded before.
void Mp3Page::editorFollowsSelection()
{
    if (!m_editor.loaded())
        return;
    const int row = rowOfPath(m_editor.path());
    if (row >= 0 && LVMp3File->selectionModel()->isRowSelected(row, {}))
        return;
    ClearTextTag(false);
    cmdEditTagSave->setEnabled(false);
}

void Mp3Page::LoadCaptions()
{
    chkMp3Recursive->setText(LoadResString(311));
    cmdAddMp3File->setText(LoadResString(110));
    cmdDelMp3File->setText(LoadResString(108));
    cmdClearMp3File->setText(LoadResString(109));
    TabStrip->setTabText(0, LoadResString(303));
    TabStrip->setTabText(1, LoadResString(304));
    TabStrip->setTabText(2, LoadResString(305));
    loadPanelCaptions();
    for (QComboBox *list : {cboMassID3Genre, cboEditTagGenre}) {
        list->clear();
        // The list shows the names; each entry keeps its full item text,
        // from which the genre number is read back.
        for (int genre = 0; genre < GenreCount; ++genre)
            list->addItem(GenreName(genre), GenreItem(genre));
    }
    cboMassID3Genre->setCurrentIndex(-1);
    LVMp3File->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(184), QString(), Qt::AlignLeft},
        {LoadResString(185), QString(), Qt::AlignHCenter},
    });
    LoadColumnWidth(LVMp3File, 1, QStringLiteral("Mp3FileSize"));
    LoadColumnWidth(LVMp3File, 2, QStringLiteral("Mp3PathSize"));
    LoadColumnWidth(LVMp3File, 3, QStringLiteral("Mp3StatusSize"));
    UpdateMp3Buttons();
}

void Mp3Page::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

// The tab strip and its panels keep to the bottom; the tree, the list and
// the controls under them follow the tab strip's top.
void Mp3Page::ResizePage()
{
    const int tabTop = height() - px(TabStripFromBottom);
    const int tabWidth = qMax(0, width() - px(TabStripRightMargin));
    TabStrip->setGeometry(0, tabTop, tabWidth, px(TabHeight));
    const int panelTop = tabTop + px(TabHeight);
    const QRect panel(px(PanelInset), panelTop, qMax(0, tabWidth - px(2 * PanelInset)),
                      qMax(0, height() - panelTop - px(PanelInset)));
    for (QWidget *p : {picID3ToFile, picMassID3, picEditTag})
        p->setGeometry(panel);

    const int listHeight = qMax(0, tabTop - px(ListsAboveTabStrip));
    FTMp3->setGeometry(0, 0, px(ListLeft - TreeListGap), listHeight);
    LVMp3File->setGeometry(px(ListLeft), 0, qMax(0, width() - px(ListWidthLess)), listHeight);
    chkMp3Recursive->setGeometry(0, tabTop - px(RecursiveAboveTabStrip), px(ListLeft - TreeListGap), px(300));
    int left = ListLeft;
    for (QPushButton *button : {cmdAddMp3File, cmdDelMp3File, cmdClearMp3File}) {
        button->setGeometry(px(left), listHeight + px(60), px(ButtonWidth), px(ButtonHeight));
        left += ButtonWidth + ButtonGap;
    }
}

void Mp3Page::showStatus(const QString &text)
{
    Q_EMIT StatusTextChanged(text);
}

void Mp3Page::cmdAddMp3File_Click()
{
    ScanOptions options;
    options.Recursive = chkMp3Recursive->isChecked();
    options.Path = FTMp3->selectedFolder();
    options.Mask = QStringLiteral("*.mp3");
    FillListMp3File(options);
}

void Mp3Page::FillListMp3File(ScanOptions &options)
{
    WaitCursor wait;
    const bool done = Guarded(QStringLiteral("in FillListMp3File."), false, [&] {
        colFile found;
        SearchForFilesArray(found, options);
        m_files.addFiles(found);
        return true;
    });
    LVMp3File->clearSelection();
    LVMp3File->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    UpdateMp3Buttons();
    if (done)
        showStatus(FormatString(LoadResString(214), m_files.count()));
}

void Mp3Page::cmdDelMp3File_Click()
{
    const int removed = m_files.removeRows(LVMp3File->selectedRows());
    UpdateMp3Buttons();
    showStatus(FormatString(LoadResString(215), removed));
}

void Mp3Page::cmdClearMp3File_Click()
{
    showStatus(LoadResString(216));
    m_files.clear();
    UpdateMp3Buttons();
}

void Mp3Page::UpdateMp3Buttons()
{
    const bool any = m_files.count() > 0;
    for (QPushButton *button : {cmdDelMp3File, cmdClearMp3File, cmdID3ToFile})
        button->setEnabled(any);
    updateSaveTagsButton();
    ClearTextTag(false);
    cmdEditTagSave->setEnabled(false);
}

void Mp3Page::LVMp3File_ColumnClick(int column)
{
    SortListView(LVMp3File, LastSortMp3, column, 2, QString(), QStringLiteral("L|L|C"));
}

void Mp3Page::selectTab(const char *key)
{
    SelectTabByKey(TabStrip, key);
    TabStrip_Click();
}

void Mp3Page::TabStrip_Click()
{
    const QString key = SelectedTabKey(TabStrip);
    const std::pair<const char *, QWidget *> panels[] = {
        {ID3Tab, picID3ToFile}, {MassTab, picMassID3}, {EditTab, picEditTag}};
    QWidget *shown = nullptr;
    for (const auto &[panelKey, panel] : panels) {
        if (key == QLatin1String(panelKey))
            shown = panel;
    }
    if (!shown)
        return;
    for (const auto &[panelKey, panel] : panels)
        panel->setVisible(panel == shown);
}

int Mp3Page::rowOfPath(const QString &path) const
{
    return LVMp3File->rows().findKey(path);
}

} // namespace ardl
