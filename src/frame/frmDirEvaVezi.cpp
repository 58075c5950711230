#include "frmDirEvaVezi.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/units/Twips.h"
#include "common/ui/BusyPage.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/HoverHelp.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "frame/frmAbout.h"
#include "mp3/ui/Mp3Page.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/HelpFile.h"
#include "platform/windowclose/CloseRequestWatch.h"
#include "rename/ui/RenamePage.h"
#include "rename/ui/UndoPage.h"
#include "split/ui/SplitPage.h"
#include "sync/ui/SyncPage.h"
#include "zip/ui/ZipPage.h"
#include "zip/ui/frmListZip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPixmap>
#include <QComboBox>
#include <QLabel>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

namespace ardl {

namespace {

// Sizes of the frame, in twips like the stored placement.
constexpr int ColumnWidth = 1290;      // the button column left of the pages
constexpr int MinWidthPx = 776;
constexpr int MinHeightPx = 579;
constexpr int DesignWidthPx = 900;
constexpr int DesignHeightPx = 640;
constexpr int DefaultRecentCount = 10;
// How often a close asked for during a run looks whether the run has ended.
constexpr int CloseRetryMs = 100;

// The button column, in twips.
constexpr int ButtonLeft = 120;
constexpr int ButtonWidth = 1050;
constexpr int ButtonHeight = 780;
constexpr int FirstButtonTop = 120;
constexpr int ButtonPitch = 795;        // from one button's top to the next
constexpr int ExitFromBottom = 870;     // CBWExit's top above the column's bottom

// Hover texts of the string table.
constexpr int HoverPressF1 = 213;

const char *const CheckBoxWebId = "Vostrane.CheckBoxWeb";

QPixmap ButtonPicture(const QString &name)
{
    QPixmap picture(QStringLiteral(":/bitmaps/") + name + QStringLiteral(".png"));
    if (picture.isNull())
        qFatal("missing bitmap %s", qPrintable(name));
    return picture;
}

bool IsChecked(QWidget *button)
{
    return GetProp(button, "Checked").toBool();
}

void SetChecked(QWidget *button, bool checked)
{
    SetProp(button, "Checked", checked);
}

} // namespace

frmDirEvaVezi::frmDirEvaVezi(QWidget *parent)
    : QMainWindow(parent)
    , picList(new QWidget)
    , picRename(new RenamePage)
    , picUndo(new UndoPage)
    , picSplit(new SplitPage)
    , picSync(new SyncPage)
    , picZip(new ZipPage)
    , picMp3(new Mp3Page)
    , StatusPanel(new QLabel)
    , m_work(new QWidget)
    , m_closeRequests(new CloseRequestWatch(this, [this] { closeOnceFree(); }))
{
    CreateColumnButtons();
    setObjectName(QStringLiteral("frmDirEvaVezi"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/ardl32.png")));
    setCentralWidget(m_work);
    m_work->installEventFilter(this);
    picList->setObjectName(QStringLiteral("picList"));
    picList->setParent(m_work);
    for (int i = PageRename; i <= PageMp3; ++i)
        page(i)->setParent(m_work);

    connect(picRename, &RenamePage::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    connect(picUndo, &UndoPage::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    connect(picZip, &ZipPage::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    connect(picMp3, &Mp3Page::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    connect(picSplit, &SplitPage::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    connect(picSync, &SyncPage::StatusTextChanged, this, &frmDirEvaVezi::SetStatusText);
    // A synchronisation against a sync file packs the files bound for the
    // other machine into an archive through the zip list.
    picSync->setZipListHandler([this](const QStringList &fullPaths) {
        frmListZip dialog(this);
        for (const QString &path : fullPaths)
            dialog.AddItem(path);
        dialog.exec();
    });

    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusPanel, 1);
    statusBar()->setSizeGripEnabled(true);

    setMinimumSize(MinWidthPx, MinHeightPx);
    resize(DesignWidthPx, DesignHeightPx);
    CentreOnScreen(this);   // the designed place, kept when no position is stored
}

frmDirEvaVezi::~frmDirEvaVezi() = default;

QWidget *frmDirEvaVezi::page(int index) const
{
    switch (index) {
    case PageRename: return picRename;
    case PageUndo: return picUndo;
    case PageSplit: return picSplit;
    case PageSync: return picSync;
    case PageZip: return picZip;
    case PageMp3: return picMp3;
    default: return nullptr;
    }
}

QWidget *frmDirEvaVezi::pageButton(int index) const
{
    switch (index) {
    case PageRename: return CBWRename;
    case PageUndo: return CBWUndo;
    case PageSplit: return CBWSplit;
    case PageSync: return CBWSync;
    case PageZip: return CBWZip;
    case PageMp3: return CBWMp3;
    default: return nullptr;
    }
}

QList<QWidget *> frmDirEvaVezi::columnButtons() const
{
    return {CBWRename, CBWUndo, CBWSplit, CBWSync, CBWZip, CBWMp3, CBWHelp, CBWAbout, CBWExit};
}

void frmDirEvaVezi::CreateColumnButtons()
{
    QWidget **members[] = {&CBWRename, &CBWUndo, &CBWSplit, &CBWSync, &CBWZip,
                         &CBWMp3,    &CBWHelp, &CBWAbout, &CBWExit};
    const char *names[] = {"CBWRename", "CBWUndo", "CBWSplit", "CBWSync", "CBWZip",
                           "CBWMp3",    "CBWHelp", "CBWAbout", "CBWExit"};
    for (int i = 0; i < 9; ++i) {
        QWidget *button = CreateControl(QLatin1String(CheckBoxWebId), picList);
        if (!button)
            qFatal("the control library could not make %s", names[i]);
        button->setObjectName(QLatin1String(names[i]));
        button->setGeometry(TwipsToPixels(ButtonLeft), TwipsToPixels(FirstButtonTop + i * ButtonPitch),
                            TwipsToPixels(ButtonWidth), TwipsToPixels(ButtonHeight));
        *members[i] = button;
    }
    ConnectEvent(CBWRename, "Click", this, [this] { CBWRename_Click(); });
    ConnectEvent(CBWUndo, "Click", this, [this] { CBWUndo_Click(); });
    ConnectEvent(CBWSplit, "Click", this, [this] { CBWSplit_Click(); });
    ConnectEvent(CBWSync, "Click", this, [this] { CBWSync_Click(); });
    ConnectEvent(CBWZip, "Click", this, [this] { CBWZip_Click(); });
    ConnectEvent(CBWMp3, "Click", this, [this] { CBWMp3_Click(); });
    ConnectEvent(CBWHelp, "Click", this, [this] { CBWHelp_Click(); });
    ConnectEvent(CBWAbout, "Click", this, [this] { CBWAbout_Click(); });
    ConnectEvent(CBWExit, "Click", this, [this] { CBWExit_Click(); });
    InstallHoverHelp();
}

void frmDirEvaVezi::InstallHoverHelp()
{
    SetHoverHelp(CBWRename, 219);
    SetHoverHelp(CBWUndo, 220);
    SetHoverHelp(CBWSplit, 221);
    SetHoverHelp(CBWSync, 222);
    SetHoverHelp(CBWHelp, 223);
    SetHoverHelp(CBWAbout, 224);
    SetHoverHelp(CBWExit, 225);
    for (QWidget *background : {m_work, picList, static_cast<QWidget *>(picRename),
                                static_cast<QWidget *>(picSync), static_cast<QWidget *>(picUndo)})
        SetHoverHelp(background, HoverPressF1);
}

void frmDirEvaVezi::LoadButtonPictures()
{
    const std::pair<QWidget *, const char *> buttons[] = {
        {CBWRename, "RENAME"}, {CBWUndo, "UNDO"},   {CBWSplit, "SPLIT"},
        {CBWSync, "SYNC"},     {CBWZip, "ZIP"},     {CBWMp3, "MP3"},
        {CBWExit, "EXIT"},     {CBWAbout, "ABOUT"}, {CBWHelp, "HELP"},
    };
    for (const auto &[button, word] : buttons) {
        const QString base = QStringLiteral("BTN_") + QLatin1String(word);
        const QPixmap selected = ButtonPicture(base + QStringLiteral("_SELECT"));
        SetProp(button, "CheckedIn", selected);
        SetProp(button, "CheckedOut", selected);
        SetProp(button, "UnCheckedIn", ButtonPicture(base + QStringLiteral("_UP")));
        SetProp(button, "UnCheckedOut", ButtonPicture(base));
    }
}

void frmDirEvaVezi::SetInitialButtonStates()
{
    SetChecked(CBWRename, true);
    for (QWidget *button : {CBWSplit, CBWUndo, CBWZip, CBWMp3, CBWSync, CBWAbout, CBWHelp, CBWExit})
        SetChecked(button, false);
}

void frmDirEvaVezi::PageButtonClick(int index)
{
    QWidget *clicked = pageButton(index);
    CurrentPage = index;
    ResizeFrame();
    SetFrameView();
    // The click has already toggled the button: checked means it was off
    // and is now the one; unchecked means it was the current one already.
    if (IsChecked(clicked)) {
        for (QWidget *button : columnButtons()) {
            if (button != clicked)
                SetChecked(button, false);
        }
    } else {
        SetChecked(clicked, true);
    }
}

void frmDirEvaVezi::CBWRename_Click() { PageButtonClick(PageRename); }
void frmDirEvaVezi::CBWUndo_Click() { PageButtonClick(PageUndo); }
void frmDirEvaVezi::CBWSplit_Click() { PageButtonClick(PageSplit); }
void frmDirEvaVezi::CBWSync_Click() { PageButtonClick(PageSync); }
void frmDirEvaVezi::CBWZip_Click() { PageButtonClick(PageZip); }
void frmDirEvaVezi::CBWMp3_Click() { PageButtonClick(PageMp3); }

void frmDirEvaVezi::CBWHelp_Click()
{
    SetChecked(CBWHelp, true);
    ShowHelpFile(HelpFilePath());
    SetChecked(CBWHelp, false);
}

void frmDirEvaVezi::CBWAbout_Click()
{
    SetChecked(CBWAbout, true);
    ShowAbout();
    SetChecked(CBWAbout, false);
}

void frmDirEvaVezi::ShowAbout()
{
    frmAbout about(this);
    about.exec();
}

void frmDirEvaVezi::CBWExit_Click()
{
    close();
}

QList<frmDirEvaVezi::ColumnSetting> frmDirEvaVezi::columnSettings() const
{
    return {
        {picRename->LVFile, 1, "File_File"},    {picRename->LVFile, 2, "File_Ext"},
        {picRename->LVFile, 3, "File_Path"},
        {picRename->LVPreview, 1, "Prev_File"}, {picRename->LVPreview, 2, "Prev_Ext"},
        {picRename->LVPreview, 3, "Prev_Status"}, {picRename->LVPreview, 4, "Prev_Path"},
        {picUndo->LVUndo, 1, "Undo_Org"},       {picUndo->LVUndo, 2, "Undo_Dst"},
        {picSync->LVSync, 1, "File_L"},         {picSync->LVSync, 2, "Size_L"},
        {picSync->LVSync, 3, "Date_L"},         {picSync->LVSync, 4, "ICO"},
        {picSync->LVSync, 5, "Date_R"},         {picSync->LVSync, 6, "Size_R"},
        {picSync->LVSync, 7, "File_R"},
        {picZip->LVZip, 1, "ZipSizeFile"},      {picZip->LVZip, 2, "ZipSizeDate"},
        {picZip->LVZip, 3, "ZipSizeSize"},      {picZip->LVZip, 4, "ZipSizeFactor"},
        {picZip->LVZip, 5, "ZipSizeSizeComp"},  {picZip->LVZip, 6, "ZipSizePath"},
        {picMp3->LVMp3File, 1, "Mp3FileSize"},  {picMp3->LVMp3File, 2, "Mp3PathSize"},
        {picMp3->LVMp3File, 3, "Mp3StatusSize"},
    };
}

void frmDirEvaVezi::Form_Load()
{
    RegistryFile::Batch batch(SettingsStore());

    LoadFormPosition(this, QStringLiteral("MainLeft"), QStringLiteral("MainTop"));
    LoadFormSize(this, QStringLiteral("MainWidth"), QStringLiteral("MainHeight"));
    KeepOnVisibleScreen(this);

    picSync->FillKinds();
    LoadButtonPictures();

    picRename->LoadCaptions();
    picSplit->LoadCaptions();
    picUndo->LoadCaptions();
    picRename->SetListHeaders();
    picUndo->SetListColumns();
    picSync->LoadCaptions();
    picSync->LoadSettings();
    picSync->LoadFilterList();
    RestoreColumnWidths();
    picZip->LoadCaptions();
    picMp3->LoadCaptions();

    setWindowTitle(AppInfo::TitleWithVersion());

    CurrentPage = PageRename;
    SetFrameView();
    SetInitialButtonStates();

    LoadRecentLists();
    picSync->CheckFilterButtons();
    picSplit->SetDefaults();
    InstallHelpShortcut();
    InstallPageKeys();
}

void frmDirEvaVezi::RestoreColumnWidths()
{
    // The Mp3 page restores its own three widths with its captions.
    for (const ColumnSetting &c : columnSettings()) {
        if (c.list != picMp3->LVMp3File)
            LoadColumnWidth(c.list, c.column, QString::fromLatin1(c.valueName));
    }
}

void frmDirEvaVezi::SaveColumnWidths()
{
    for (const ColumnSetting &c : columnSettings())
        SaveColumnWidth(c.list, c.column, QString::fromLatin1(c.valueName));
}

void frmDirEvaVezi::LoadRecentLists()
{
    LoadRecentList(picSync->txtRootLeft, QStringLiteral("Split\\RootLeft"), DefaultRecentCount);
    LoadRecentList(picSplit->txtDstFile, QStringLiteral("Split\\Dir"), DefaultRecentCount);
    LoadRecentList(picUndo->cboLogFile, QStringLiteral("Undo\\Log"), DefaultRecentCount);
}

void frmDirEvaVezi::InstallHelpShortcut()
{
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { ShowHelpFile(HelpFilePath()); });
}

// The page buttons take no keyboard focus: these keys step through the pages
// as the buttons do, so that every page can be reached without a mouse.
void frmDirEvaVezi::InstallPageKeys()
{
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
    };
    for (const auto &[sequence, step] : keys) {
        auto *shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepPage(step); });
    }
}

void frmDirEvaVezi::StepPage(int step)
{
    const int pages = PageMp3 + 1;
    const int next = ((CurrentPage + step) % pages + pages) % pages;
    // As a click does, the button checks itself before its handler runs.
    SetChecked(pageButton(next), true);
    PageButtonClick(next);
    FocusFirstControl(page(next));
}

void frmDirEvaVezi::FocusFirstControl(QWidget *shown)
{
    for (QWidget *w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain()) {
        if (shown->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void frmDirEvaVezi::SetFrameView()
{
    QWidget *shown = page(CurrentPage);
    if (!shown)
        return;
    shown->setVisible(true);
    for (int i = PageRename; i <= PageMp3; ++i) {
        if (page(i) != shown)
            page(i)->setVisible(false);
    }
    // A page whose run is still going keeps its commands out of reach.
    shown->setEnabled(!BusyPage::IsBusy(shown));
    for (int i = PageRename; i <= PageMp3; ++i) {
        if (page(i) != shown)
            page(i)->setEnabled(false);
    }
}

void frmDirEvaVezi::ResizeFrame()
{
    // The work area, between the title bar and the status bar, gives the
    // column and the page their height; the command buttons keep to the
    // column's bottom, the page buttons to its top.
    const int columnPx = TwipsToPixels(ColumnWidth);
    const int height = m_work->height();
    picList->setGeometry(0, 0, columnPx, height);

    const int listHeight = PixelsToTwips(picList->height());
    const int exitTop = listHeight - ExitFromBottom;
    const int aboutTop = exitTop - ButtonPitch;
    const int helpTop = aboutTop - ButtonPitch;
    CBWExit->move(CBWExit->x(), TwipsToPixels(exitTop));
    CBWAbout->move(CBWAbout->x(), TwipsToPixels(aboutTop));
    CBWHelp->move(CBWHelp->x(), TwipsToPixels(helpTop));

    if (QWidget *shown = page(CurrentPage))
        shown->setGeometry(columnPx, 0, qMax(0, m_work->width() - columnPx), height);
}

void frmDirEvaVezi::SetStatusText(const QString &text)
{
    StatusPanel->setText(text);
}

QString frmDirEvaVezi::StatusText() const
{
    return StatusPanel->text();
}

bool frmDirEvaVezi::eventFilter(QObject *watched, QEvent *event)
{
    // The work area is resized by the window's own layout: lay out then.
    if (watched == m_work && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmDirEvaVezi::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmDirEvaVezi::Form_Resize()
{
    if (isMinimized())
        return;
    ResizeFrame();
}

bool frmDirEvaVezi::runGoesOn() const
{
    for (int i = PageRename; i <= PageMp3; ++i) {
        if (BusyPage::IsBusy(page(i)))
            return true;
    }
    return false;
}

void frmDirEvaVezi::closeEvent(QCloseEvent *event)
{
    // A run lets events through on its way: closing then would hide the
    // window while the run goes on out of sight. The window closes once the
    // run, and any question it asks, has ended.
    if (runGoesOn() || QApplication::activeModalWidget()) {
        event->ignore();
        closeOnceFree();
        return;
    }
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void frmDirEvaVezi::closeOnceFree()
{
    // One retry however often the user asks; nothing to do for a window
    // that has closed meanwhile.
    if (m_closeWaits || !isVisible())
        return;
    m_closeWaits = true;
    QTimer::singleShot(CloseRetryMs, this, [this] {
        m_closeWaits = false;
        close();
    });
}

void frmDirEvaVezi::Form_QueryUnload()
{
    // The minimum size is a property of the window here; nothing to detach.
}

void frmDirEvaVezi::Form_Unload()
{
    RegistryFile::Batch batch(SettingsStore());
    SaveFormPosition(this, QStringLiteral("MainLeft"), QStringLiteral("MainTop"));
    SaveFormSize(this, QStringLiteral("MainWidth"), QStringLiteral("MainHeight"));
    picSync->SaveSettings();
    SaveColumnWidths();
}

} // namespace ardl
