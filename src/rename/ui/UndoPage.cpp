#include "UndoPage.h"

#include "RowIcons.h"

#include "common/core/FileRenamer.h"
#include "rename/core/RenameListRows.h"
#include "rename/core/RenameLogWriter.h"
#include "rename/core/UndoRun.h"

#include "common/core/AppInfo.h"
#include "common/core/ErrorReport.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/units/Twips.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/BusyPage.h"
#include "common/ui/PathBox.h"
#include "common/ui/HoverHelp.h"
#include "common/ui/ListView.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/modListView.h"
#include "platform/settings/modRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>

namespace ardl {

namespace {

// Design places in twips.
constexpr int Margin = 120;
constexpr int ComboTop = 120;
constexpr int ListTop = 600;
constexpr int ButtonWidth = 1200;
constexpr int WideButtonWidth = 2400;
constexpr int ButtonHeight = 375;
// Pending events run after this many rows of a long run.
constexpr int RowsBetweenEvents = 256;

int px(int twips)
{
    return TwipsToPixels(twips);
}

// The normal pointer over a question asked in the middle of a run.
class NormalCursor {
public:
    NormalCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QGuiApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;
};

} // namespace

UndoPage::UndoPage(QWidget *parent)
    : QWidget(parent)
    , lblLogLoad(new QLabel(this))
    , cboLogFile(new QComboBox(this))
    , cmdBrowseUndo(new QPushButton(this))
    , LVUndo(new ListView(this))
    , cmdDeleteSelect(new QPushButton(this))
    , cmdUndo(new QPushButton(this))
{
    setObjectName(QStringLiteral("picUndo"));
    lblLogLoad->setObjectName(QStringLiteral("lblLogLoad"));
    cboLogFile->setObjectName(QStringLiteral("cboLogFile"));
    cmdBrowseUndo->setObjectName(QStringLiteral("cmdBrowseUndo"));
    LVUndo->setObjectName(QStringLiteral("LVUndo"));
    cmdDeleteSelect->setObjectName(QStringLiteral("cmdDeleteSelect"));
    cmdUndo->setObjectName(QStringLiteral("cmdUndo"));
    MakePathBox(cboLogFile);
    LVUndo->setColumns(QList<ListColumn>(2));
    cmdDeleteSelect->setEnabled(false);
    cmdUndo->setEnabled(false);

    connect(cboLogFile, &QComboBox::activated, this, [this] { cboLogFile_Click(); });
    cboLogFile->installEventFilter(this);
    connect(cmdBrowseUndo, &QPushButton::clicked, this, [this] { cmdBrowseUndo_Click(); });
    connect(cmdDeleteSelect, &QPushButton::clicked, this, [this] { cmdDeleteSelect_Click(); });
    connect(cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
    SetHoverHelp(cmdBrowseUndo, 236);
    SetHoverHelp(cmdDeleteSelect, 237);
    SetHoverHelp(cmdUndo, 238);
}

void UndoPage::LoadCaptions()
{
    lblLogLoad->setText(LoadResString(170));
    cmdBrowseUndo->setText(LoadResString(169));
    cmdDeleteSelect->setText(LoadResString(167));
    cmdUndo->setText(LoadResString(168));
    ResizePage();
}

void UndoPage::SetListColumns()
{
    const int half = LVUndo->width() / 2;
    LVUndo->header()->resizeSection(0, half);
    LVUndo->header()->resizeSection(1, half);
    LVUndo->setColumns({{LoadResString(181)}, {LoadResString(182)}});
}

void UndoPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

// The log box fills the line after its label; the list fills the page down
// to the buttons, which keep to the bottom corners.
void UndoPage::ResizePage()
{
    const int labelWidth = lblLogLoad->fontMetrics().horizontalAdvance(lblLogLoad->text());
    lblLogLoad->setGeometry(px(Margin), px(ComboTop), labelWidth, px(ButtonHeight));
    const int comboLeft = lblLogLoad->x() + labelWidth + px(120);
    const int comboWidth = qMax(0, width() - comboLeft - px(1620));
    cboLogFile->setGeometry(comboLeft, px(ComboTop), comboWidth, px(ButtonHeight));
    cmdBrowseUndo->setGeometry(comboLeft + comboWidth + px(150), px(ComboTop), px(ButtonWidth), px(ButtonHeight));
    const int listWidth = qMax(0, cmdBrowseUndo->geometry().right() + 1 - px(Margin));
    LVUndo->setGeometry(px(Margin), px(ListTop), listWidth, qMax(0, height() - px(1845)));
    cmdDeleteSelect->setGeometry(px(Margin), height() - px(795), px(WideButtonWidth), px(ButtonHeight));
    cmdUndo->setGeometry(LVUndo->geometry().right() + 1 - px(ButtonWidth), height() - px(795), px(ButtonWidth),
                         px(ButtonHeight));
}

void UndoPage::updateButtons()
{
    const bool any = LVUndo->rows().rowCount() > 0;
    cmdDeleteSelect->setEnabled(any);
    cmdUndo->setEnabled(any);
}

void UndoPage::cboLogFile_Click()
{
    // What is loaded now counts as unchanged, so leaving the box does not
    // read it a second time.
    cboLogFile->lineEdit()->setModified(false);
    if (!cboLogFile->currentText().isEmpty())
        FillListLog(cboLogFile->currentText());
}

bool UndoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != cboLogFile)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Taken here: the box itself would load only a path already in
            // its list, and that one twice with this.
            cboLogFile_Click();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Opening the list or another window is not leaving the box for good,
        // and neither is a run disabling the page: the run works on the rows
        // it started with, and takes off the list those it has undone.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !BusyPage::IsBusy(this)
            && cboLogFile->lineEdit()->isModified())
            cboLogFile_Click();
    }
    return QWidget::eventFilter(watched, event);
}

void UndoPage::cmdBrowseUndo_Click()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Log Files|*.log");
    request.filterIndex = 1;
    // The folder of the log shown, else the one the default log is kept in.
    const QString shown = PathWithOutFile(cboLogFile->currentText());
    request.initialFolder = !shown.isEmpty() && FolderExists(shown) ? shown : PathWithOutFile(DefaultRenameLogPath());
    const QStringList chosen = prompter().openFileNames(request);
    if (chosen.isEmpty())
        return;
    cboLogFile->setEditText(chosen.front());
    SaveDirectory(cboLogFile, ProgramKey + QStringLiteral("Undo\\Log"));
    FillListLog(cboLogFile->currentText());
}

void UndoPage::FillListLog(const QString &path)
{
    WaitCursor wait;
    LVUndo->rows().clear();
    if (!FileExists(path)) {
        updateButtons(); // nothing is listed, so there is nothing to delete or rename
        prompter().message(FormatString(LoadResString(187), path), AppInfo::Title(), MsgIcon::Exclamation,
                           MsgButtons::Ok);
        return;
    }
    RenameLogContents log;
    QString error;
    if (!ReadRenameLog(path, log, &error)) {
        ReportError(EIO, error, QStringLiteral("in DirEvaVezi.modDirEvaVezi.FillListLog."));
    } else {
        LVUndo->rows().addRows(UndoListRows(log.entries, RowIcons()));
        // Lines left out would otherwise pass for renames that need no undo.
        if (log.skippedLines > 0)
            Q_EMIT StatusTextChanged(FormatString(LoadResString(4120), log.skippedLines));
    }
    updateButtons();
}

void UndoPage::cmdDeleteSelect_Click()
{
    LVUndo->rows().removeRowsAt(LVUndo->selectedRows());
    updateButtons();
}

bool UndoPage::reportFailure(const QString &current, const QString &restore, int error, bool othersLeft)
{
    NormalCursor normal;
    const QString text = error == EEXIST ? FormatString(LoadResString(173), restore)
                                         : FormatString(LoadResString(172), current) + u'\n' + ErrorText(error);
    prompter().message(text, AppInfo::Title(), MsgIcon::Exclamation, MsgButtons::Ok);
    if (!othersLeft)
        return true;
    // After a failure, going on is the choice that Enter alone never makes.
    return prompter().message(LoadResString(180), AppInfo::Title(), MsgIcon::Question, MsgButtons::YesNoDefaultNo)
           == MsgAnswer::Yes;
}

void UndoPage::cmdUndo_Click()
{
    if (LVUndo->rows().rowCount() == 0)
        return;
    if (prompter().message(LoadResString(179), AppInfo::Title(), MsgIcon::Question, MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    const RenamePlan plan = PlanUndo(UndoEntriesOf(LVUndo->rows()));
    // Rows still to be tried or reported: while there are any, a failure
    // asks whether to go on.
    int pending = 0;
    for (const PlanRow &row : plan.rows)
        pending += row.moves() || !row.ok() ? 1 : 0;
    QList<int> finished;
    int restored = 0;
    // Set once the user chose to stop. The files of a cycle already started
    // are still reported to the run, all at once at its end: after that
    // choice they are neither shown nor asked about one by one.
    bool stopped = false;
    BusyPage busy(this);
    int done = 0;
    RunUndo(plan, [&](int row, const RowOutcome &outcome) {
        if (++done % RowsBetweenEvents == 0)
            QCoreApplication::processEvents();
        const PlanRow &planned = plan.rows[size_t(row)];
        if (planned.moves() || !planned.ok())
            --pending;
        switch (outcome.kind) {
        case RowOutcome::Renamed:
            ++restored;
            [[fallthrough]];
        case RowOutcome::Unchanged:
            finished << row;
            return true;
        case RowOutcome::Skipped:
        case RowOutcome::Failed:
            if (!stopped) {
                const int error = outcome.kind == RowOutcome::Failed ? outcome.error : ProblemError(planned.problem);
                stopped = !reportFailure(planned.oldPath, planned.newPath, error, pending > 0);
            }
            return !stopped;
        }
        return true;
    });
    // Rows whose files are back are done; the others stay for another try.
    LVUndo->rows().removeRowsAt(finished);
    updateButtons();
    Q_EMIT StatusTextChanged(FormatString(LoadResString(188), restored));
}

} // namespace ardl
