// The Sync page: its controls, their layout, the settings they restore and
// save, and the handlers of the inputs. Compare and Synchronize are in
// SyncPageRun.cpp, the result list in SyncPageList.cpp.
#include "SyncPage.h"

#include "IconCellDelegate.h"
#include "SyncKeys.h"
#include "SyncPictures.h"
#include "frmBrowseFtpDir.h"
#include "frmCreateSyncFile.h"

#include "common/core/FileDialogs.h"
#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modGlobal.h"
#include "common/units/Twips.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "common/ui/PathBox.h"
#include "common/ui/WidgetNames.h"
#include "common/ui/modListView.h"
#include "platform/settings/RecentList.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/modShell32.h"
#include "sync/core/CompareTypes.h"
#include "sync/core/SyncMessage.h"
#include "sync/core/modClass.h"
#include "sync/core/modFtp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ardl {

namespace {

constexpr int RecentLeftCount = 10;
constexpr int RecentFilterCount = 5;

// Layout, in twips.
constexpr int Gap = 60;
constexpr int RowHeight = 330;
constexpr int Row1Top = 120;
constexpr int Row2Top = 540;
constexpr int Row3Top = 900;
constexpr int Row4Top = 1290;
constexpr int ListTop = 1980;
constexpr int ListBelow = 2130;    // the page's height less the list's
constexpr int ListWidthLess = 145; // the page's width less the list's
constexpr int RightEdge = 100;     // the commands keep this far from the right edge
constexpr int KindWidth = 900;
constexpr int RootLeftWidth = 2900;
constexpr int BrowseWidth = 375;
constexpr int FilterWidth = 1050;
constexpr int MinRootRightWidth = 1500;
constexpr int CommandWidth = 1650;
constexpr int CommandHeight = 375;
constexpr int CommandPitch = 435;
constexpr int ShowWidth = 2490;
constexpr int ShowHeight = 840; // down to the FTP rows, not into them
constexpr int LoginWidth = 1800;
constexpr int RemoteDirWidth = 2700;
constexpr int PortWidth = 750;

int px(int twips)
{
    return TwipsToPixels(twips);
}

// A stored "Sync\RootLeft" entry (kind|root|...) as its ListRecent line
// (root|kind|...): seven fields for an FTP site, two for a folder or file.
QString listRecentLine(const QString &entry)
{
    const QString sep = QStringLiteral("|");
    const QString kind = sListPos(entry, sep, 1);
    QString line = sListPos(entry, sep, 2) + sep + kind;
    if (kind == QLatin1String("Ftp")) {
        for (int field = 3; field <= 7; ++field)
            line += sep + sListPos(entry, sep, field);
    }
    return line;
}

// Places the widgets of one row from `left`, each at its own width (the
// given one, or what it needs), `Gap` apart.
void placeRow(int top, int left, std::initializer_list<std::pair<QWidget *, int>> widgets)
{
    int x = px(left);
    for (const auto &[widget, width] : widgets) {
        const int w = width > 0 ? px(width) : widget->sizeHint().width();
        widget->setGeometry(x, px(top), w, px(RowHeight));
        x += w + px(Gap);
    }
}

// The action icon of a cell of the list, from the cell's own model and the
// compare set: never from the page, since the list asks for it also while the
// page around it is being destroyed.
QIcon actionIconOf(const QModelIndex &cell)
{
    const auto *rows = qobject_cast<const ListViewModel *>(cell.model());
    return SyncActionPicture(rows ? RowIcon(SyncItems(), *rows, cell.row()) : 0);
}

} // namespace

SyncPage::SyncPage(QWidget *parent)
    : QWidget(parent)
    , LVSync(new ListView(this))
{
    setObjectName(QStringLiteral("picSync"));
    createInputs();
    createFtpGroup();
    createFilterButtons();
    createCommands();

    LVSync->setObjectName(QStringLiteral("LVSync"));
    LVSync->setColumns(QList<ListColumn>(7));
    LVSync->setItemDelegateForColumn(SyncIconCell, new IconCellDelegate(actionIconOf, LVSync));
    LVSync->setSelectionMode(QAbstractItemView::SingleSelection);

    m_browseRemote = [this](const FtpSite &) {
        frmBrowseFtpDir dialog(window());
        dialog.Form_Load();
        dialog.exec();
        return FtpBrowseSite().Dir;
    };
    m_showSyncFileDialog = [this] {
        frmCreateSyncFile dialog(window());
        dialog.Form_Load();
        dialog.exec();
    };
    connectHandlers();
    clearResults();
}

SyncPage::~SyncPage() = default;

void SyncPage::createInputs()
{
    cboDirFile = named(new QComboBox(this), "cboDirFile");
    txtRootLeft = named(new QComboBox(this), "txtRootLeft");
    MakePathBox(txtRootLeft);
    cmdBrowseLeft = named(new QPushButton(QStringLiteral("..."), this), "cmdBrowseLeft");
    cboFilter = named(new QComboBox(this), "cboFilter");
    cboFilter->setEditable(true);
    cboFilter->setInsertPolicy(QComboBox::NoInsert);
    cboFilter->setEditText(QStringLiteral("*.*"));
    txtRootRight = named(new QLineEdit(this), "txtRootRight");
    cmdBrowseRight = named(new QPushButton(QStringLiteral("..."), this), "cmdBrowseRight");
    chkSyncRecursive = named(new QCheckBox(this), "chkSyncRecursive");
    chkSyncDate = named(new QCheckBox(this), "chkSyncDate");
    chkSyncFileCreate = named(new QCheckBox(this), "chkSyncFileCreate");
    chkSyncFileCreate->hide();
}

void SyncPage::createFtpGroup()
{
    lblLogin = named(new QLabel(this), "lblLogin");
    txtLogin = named(new QLineEdit(this), "txtLogin");
    lblPasswd = named(new QLabel(this), "lblPasswd");
    txtPasswd = named(new QLineEdit(this), "txtPasswd");
    txtPasswd->setEchoMode(QLineEdit::Password);
    chkanonymous = named(new QCheckBox(this), "chkanonymous");
    lblRemoteDir = named(new QLabel(this), "lblRemoteDir");
    txtRemoteDir = named(new QLineEdit(this), "txtRemoteDir");
    lblPort = named(new QLabel(this), "lblPort");
    txtPort = named(new QLineEdit(QStringLiteral("21"), this), "txtPort");
    showFtpGroup(false);
}

QWidget *SyncPage::createFilterButton(const char *name, int compareClass)
{
    QWidget *button = CreateControl(QStringLiteral("Vostrane.CheckBoxWeb"), fraAfficher);
    if (!button)
        button = new QWidget(fraAfficher); // the failure has been reported
    button->setObjectName(QLatin1String(name));
    const ToggleFaces faces = SyncFilterFaces(compareClass);
    SetProp(button, "CheckedIn", faces.checkedIn);
    SetProp(button, "CheckedOut", faces.checkedOut);
    SetProp(button, "UnCheckedIn", faces.unCheckedIn);
    SetProp(button, "UnCheckedOut", faces.unCheckedOut);
    button->setFixedSize(faces.checkedOut.size());
    ConnectEvent(button, "Click", this, [this] { CBW_Click(); });
    return button;
}

void SyncPage::createFilterButtons()
{
    fraAfficher = named(new QGroupBox(this), "fraAfficher");
    CBW_LR = createFilterButton("CBW_LR", CompareType::LeftOnly);
    CBW_Egal = createFilterButton("CBW_Egal", CompareType::Same);
    CBW_Diff = createFilterButton("CBW_Diff", CompareType::Different);
    CBW_RL = createFilterButton("CBW_RL", CompareType::RightOnly);
    auto *row = new QHBoxLayout(fraAfficher);
    row->setContentsMargins(6, 2, 6, 4);
    for (QWidget *button : {CBW_LR, CBW_Egal, CBW_Diff, CBW_RL})
        row->addWidget(button);
}

void SyncPage::createCommands()
{
    cmdCompare = named(new QPushButton(this), "cmdCompare");
    cmdSync = named(new QPushButton(this), "cmdSync");
    cmdSyncFile = named(new QPushButton(this), "cmdSyncFile");
}

void SyncPage::connectHandlers()
{
    connect(cboDirFile, &QComboBox::currentIndexChanged, this, [this] { cboDirFile_Click(); });
    connect(txtRootLeft, &QComboBox::activated, this, [this] { txtRootLeft_Click(); });
    connect(txtRootRight, &QLineEdit::textChanged, this, [this] { txtRootRight_Change(); });
    connect(chkanonymous, &QCheckBox::clicked, this, [this] { chkanonymous_Click(); });
    connect(cmdBrowseLeft, &QPushButton::clicked, this, [this] { cmdBrowseLeft_Click(); });
    connect(cmdBrowseRight, &QPushButton::clicked, this, [this] { cmdBrowseRight_Click(); });
    connect(cmdSyncFile, &QPushButton::clicked, this, [this] { cmdSyncFile_Click(); });
    connect(cmdCompare, &QPushButton::clicked, this, [this] { cmdCompare_Click(); });
    connect(cmdSync, &QPushButton::clicked, this, [this] { cmdSync_Click(); });
    connect(LVSync, &ListView::ColumnClick, this, [this](int column) { LVSync_ColumnClick(column); });
    connect(LVSync, &ListView::doubleClicked, this, [this] { LVSync_DblClick(); });

    // Every input of a compare: a change means the list no longer shows
    // what the inputs say.
    for (QComboBox *box : {txtRootLeft, cboFilter})
        connect(box, &QComboBox::editTextChanged, this, [this] { InputsChanged(); });
    for (QLineEdit *box : {txtLogin, txtPasswd, txtRemoteDir, txtPort})
        connect(box, &QLineEdit::textChanged, this, [this] { InputsChanged(); });
    for (QCheckBox *box : {chkSyncRecursive, chkSyncDate, chkanonymous})
        connect(box, &QCheckBox::toggled, this, [this] { InputsChanged(); });
}

void SyncPage::setZipListHandler(ZipListFn handler)
{
    m_zipList = std::move(handler);
}

void SyncPage::setRemoteFolderBrowser(RemoteFolderFn browse)
{
    m_browseRemote = std::move(browse);
}

void SyncPage::setSyncFileDialog(std::function<void()> show)
{
    m_showSyncFileDialog = std::move(show);
}

void SyncPage::FillKinds()
{
    cboDirFile->addItems({QStringLiteral("Dir"), QStringLiteral("File"), QStringLiteral("Ftp")});
}

void SyncPage::LoadCaptions()
{
    chkSyncRecursive->setText(LoadResString(139));
    chkSyncDate->setText(LoadResString(189));
    chkSyncFileCreate->setText(LoadResString(206));
    lblLogin->setText(LoadResString(241));
    lblPasswd->setText(LoadResString(242));
    chkanonymous->setText(LoadResString(243));
    lblRemoteDir->setText(LoadResString(244));
    lblPort->setText(QStringLiteral("Port"));
    fraAfficher->setTitle(LoadResString(191));
    cmdCompare->setText(LoadResString(190));
    cmdSync->setText(LoadResString(193));
    cmdSyncFile->setText(LoadResString(192));
    LVSync->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignRight},
        {QString(), QString(), Qt::AlignHCenter},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(140), QString(), Qt::AlignLeft},
    });
    // Widths until the stored ones are restored.
    const int widths[] = {2700, 1050, 2400, 450, 2400, 1050, 2700};
    for (int column = 0; column < 7; ++column)
        LVSync->setColumnWidth(column, px(widths[column]));
    ResizePage();
}

void SyncPage::LoadSettings()
{
    const QString kind = QueryValue(SyncKey(), QStringLiteral("DirFile")).toString();
    const int kindIndex = cboDirFile->findText(kind);
    if (kind.isEmpty() || kindIndex < 0) {
        CreateNewKey(SyncKey());
        cboDirFile->setCurrentIndex(0);
    } else {
        cboDirFile->setCurrentIndex(kindIndex);
    }

    const QString right = QueryValue(SyncKey(), QStringLiteral("RootRight")).toString();
    if (right.isEmpty())
        CreateNewKey(SyncKey());
    else
        txtRootRight->setText(right);

    Loading = true;
    for (const QString &entry : RecentListEntries(QStringLiteral("Sync\\RootLeft"), RecentLeftCount)) {
        txtRootLeft->addItem(sListPos(entry, QStringLiteral("|"), 2));
        ListRecent << listRecentLine(entry);
    }
    Loading = false;
    if (txtRootLeft->count() > 0) {
        txtRootLeft->setCurrentIndex(0);
        txtRootLeft_Click();
    }
}

void SyncPage::LoadFilterList()
{
    LoadRecentList(cboFilter, QStringLiteral("Sync\\Filter"), RecentFilterCount);
}

void SyncPage::CheckFilterButtons()
{
    for (QWidget *button : {CBW_LR, CBW_Egal, CBW_Diff, CBW_RL})
        SetProp(button, "Checked", true);
}

void SyncPage::SaveSettings()
{
    CreateNewKey(SyncKey());
    SetKeyValue(SyncKey(), QStringLiteral("DirFile"), cboDirFile->currentText(), REG_SZ);
    if (!txtRootLeft->currentText().isEmpty())
        SetKeyValue(SyncKey(), QStringLiteral("RootLeft"), txtRootLeft->currentText(), REG_SZ);
    if (!txtRootRight->text().isEmpty())
        SetKeyValue(SyncKey(), QStringLiteral("RootRight"), txtRootRight->text(), REG_SZ);
}

void SyncPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

// The commands keep to the right edge, the filter frame beside them; the
// inputs fill the rest of the top, the list everything below.
void SyncPage::ResizePage()
{
    const int right = width() - px(RightEdge);
    const int commandLeft = right - px(CommandWidth);
    int top = px(Row1Top);
    for (QPushButton *button : {cmdCompare, cmdSync, cmdSyncFile}) {
        button->setGeometry(commandLeft, top, px(CommandWidth), px(CommandHeight));
        top += px(CommandPitch);
    }
    const int showLeft = commandLeft - px(Gap) - px(ShowWidth);
    fraAfficher->setGeometry(showLeft, px(Row1Top) - px(Gap), px(ShowWidth), px(ShowHeight));

    // The two root boxes take what the row leaves beside the filter frame;
    // where that is less than the left box's width and the right box's least,
    // they share it evenly, so the row never runs under the frame.
    const int fixedWidth = px(Gap) + px(KindWidth) + px(Gap) + px(Gap) + px(BrowseWidth) + px(Gap) + px(FilterWidth)
                           + px(Gap) + px(Gap) + px(BrowseWidth) + px(Gap);
    const int rootsWidth = qMax(0, showLeft - fixedWidth);
    const int rootLeftWidth = rootsWidth >= px(RootLeftWidth) + px(MinRootRightWidth) ? px(RootLeftWidth)
                                                                                      : rootsWidth / 2;
    cboDirFile->setGeometry(px(Gap), px(Row1Top), px(KindWidth), px(RowHeight));
    int x = px(Gap) + px(KindWidth) + px(Gap);
    txtRootLeft->setGeometry(x, px(Row1Top), rootLeftWidth, px(RowHeight));
    x += rootLeftWidth + px(Gap);
    cmdBrowseLeft->setGeometry(x, px(Row1Top), px(BrowseWidth), px(RowHeight));
    x += px(BrowseWidth) + px(Gap);
    cboFilter->setGeometry(x, px(Row1Top), px(FilterWidth), px(RowHeight));
    const int rootRightLeft = x + px(FilterWidth) + px(Gap);
    const int rootRightWidth = rootsWidth - rootLeftWidth;
    txtRootRight->setGeometry(rootRightLeft, px(Row1Top), rootRightWidth, px(RowHeight));
    cmdBrowseRight->setGeometry(rootRightLeft + rootRightWidth + px(Gap), px(Row1Top), px(BrowseWidth), px(RowHeight));

    placeRow(Row2Top, Gap, {{chkSyncRecursive, 0}, {chkSyncDate, 0}, {chkSyncFileCreate, 0}});
    placeRow(Row3Top, Gap,
             {{lblLogin, 0}, {txtLogin, LoginWidth}, {lblPasswd, 0}, {txtPasswd, LoginWidth}, {chkanonymous, 0}});
    placeRow(Row4Top, Gap, {{lblRemoteDir, 0}, {txtRemoteDir, RemoteDirWidth}, {lblPort, 0}, {txtPort, PortWidth}});

    LVSync->setGeometry(px(Gap), px(ListTop), qMax(0, width() - px(ListWidthLess)), qMax(0, height() - px(ListBelow)));
}

void SyncPage::showFtpGroup(bool shown)
{
    for (QWidget *w : std::initializer_list<QWidget *>{lblLogin, txtLogin, lblPasswd, txtPasswd, chkanonymous,
                                                       lblRemoteDir, txtRemoteDir, lblPort, txtPort})
        w->setVisible(shown);
}

void SyncPage::showStatus(const QString &text)
{
    Q_EMIT StatusTextChanged(text);
}

void SyncPage::InputsChanged()
{
    if (m_updating > 0)
        return;
    clearResults();
    if (m_running)
        m_editedWhileRunning = true;
}

void SyncPage::clearResults()
{
    LVSync->rows().clear();
    cmdSync->setEnabled(false);
    m_plan.reset();
}

void SyncPage::cboDirFile_Click()
{
    if (!Loading) {
        txtRootLeft->setEditText(QString());
        clearResults();
    }
    const QString kind = cboDirFile->currentText();
    if (kind == QLatin1String("File")) {
        chkSyncRecursive->setEnabled(false);
        chkSyncRecursive->setChecked(true);
        chkSyncFileCreate->setChecked(true);
        chkSyncFileCreate->show();
        showFtpGroup(false);
    } else if (kind == QLatin1String("Dir")) {
        chkSyncRecursive->setEnabled(true);
        chkSyncFileCreate->setChecked(false);
        chkSyncFileCreate->hide();
        showFtpGroup(false);
    } else {
        chkSyncRecursive->setEnabled(true);
        chkSyncFileCreate->setChecked(false);
        chkSyncFileCreate->hide();
        showFtpGroup(true);
        txtLogin->setText(QStringLiteral("anonymous"));
        txtLogin->setEnabled(false);
        txtPasswd->setText(QStringLiteral("Wren@"));
        chkanonymous->setChecked(true);
        // A folder entry picked before left the port empty.
        if (txtPort->text().trimmed().isEmpty())
            txtPort->setText(QStringLiteral("21"));
    }
}

void SyncPage::chkanonymous_Click()
{
    if (chkanonymous->isChecked()) {
        txtLogin->setText(QStringLiteral("anonymous"));
        txtLogin->setEnabled(false);
    } else {
        txtLogin->setEnabled(true);
    }
}

void SyncPage::cmdBrowseLeft_Click()
{
    const QString kind = cboDirFile->currentText();
    if (kind == QLatin1String("File")) {
        FileDialogRequest request;
        request.filter = QStringLiteral("Synchronize File|*.syn");
        request.filterIndex = 1;
        const QStringList chosen = AskOpenFileNames(QStringLiteral("Sync\\File"), request);
        if (!chosen.isEmpty())
            txtRootLeft->setEditText(chosen.front());
    } else if (kind == QLatin1String("Dir")) {
        const QString folder = BrowseForFolder(txtRootLeft->currentText());
        if (!folder.isEmpty())
            txtRootLeft->setEditText(folder);
    } else if (kind == QLatin1String("Ftp")) {
        const std::optional<int> port = PortNumber(txtPort->text());
        if (!port) {
            MsgBox(LoadResString(SyncText::PortInvalid), AppInfo::Title(), MsgIcon::Information);
            return;
        }
        FtpSite &site = FtpBrowseSite();
        site = FtpSite{};
        site.Port = *port;
        site.Filter = QStringLiteral("*.*");
        site.Server = txtRootLeft->currentText();
        site.User = txtLogin->text();
        site.Password = txtPasswd->text();
        const QString folder = m_browseRemote ? m_browseRemote(site) : QString();
        if (!folder.isEmpty())
            txtRemoteDir->setText(folder);
    }
}

void SyncPage::cmdBrowseRight_Click()
{
    const QString folder = BrowseForFolder(txtRootRight->text());
    if (!folder.isEmpty())
        txtRootRight->setText(folder);
}

void SyncPage::cmdSyncFile_Click()
{
    if (m_showSyncFileDialog)
        m_showSyncFileDialog();
}

void SyncPage::txtRootLeft_Click()
{
    if (Loading)
        return;
    const int index = txtRootLeft->currentIndex();
    // An entry without its line (another list loaded into the box) has no
    // kind or site to restore.
    if (index < 0 || index >= ListRecent.size()) {
        clearResults();
        return;
    }
    const QString line = ListRecent.at(index);
    const auto field = [&line](int n) { return sListPos(line, QStringLiteral("|"), n); };

    Loading = true;
    const int kindIndex = cboDirFile->findText(field(2));
    if (kindIndex >= 0)
        cboDirFile->setCurrentIndex(kindIndex);
    Loading = false;

    txtLogin->setText(field(4));
    txtPasswd->setText(field(5));
    txtRemoteDir->setText(field(3));
    txtPort->setText(field(7));
    bool isNumber = false;
    const int anonymous = field(6).toInt(&isNumber);
    if (isNumber) {
        const bool checked = anonymous != 0;
        if (chkanonymous->isChecked() != checked) {
            chkanonymous->setChecked(checked);
            chkanonymous_Click();
        }
        txtLogin->setEnabled(!checked);
    }
    clearResults();
}

void SyncPage::txtRootRight_Change()
{
    InputsChanged();
}

} // namespace ardl
