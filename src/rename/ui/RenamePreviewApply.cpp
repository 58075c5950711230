// Preview and Apply of the Rename page: the rules run over the file list,
// the checked plan is shown, and Apply carries out exactly that plan.
#include "RenamePage.h"
#include "RowIcons.h"

#include "common/core/FileRenamer.h"
#include "rename/core/RenameListRows.h"
#include "rename/core/RenameLogWriter.h"

#include "common/core/AppInfo.h"
#include "common/core/ErrorReport.h"
#include "common/core/FileDialogs.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "common/ui/BusyPage.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "common/ui/WaitCursor.h"

#include <QCheckBox>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace ardl {

namespace {

// At most this many failed files are named in the message after Apply.
constexpr size_t MaxFailuresNamed = 20;
// Pending events run after this many rows of a long Apply.
constexpr int RowsBetweenEvents = 256;

int16_t spinnerValue(QWidget *spinner)
{
    return int16_t(GetProp(spinner, "Value").toInt());
}

MsgAnswer ask(const QString &text, MsgIcon icon, MsgButtons buttons)
{
    return prompter().message(text, AppInfo::Title(), icon, buttons);
}

// The status after Apply. A run that renamed nothing says so in words, and
// that the log it was given (`log`, empty without one) still holds the
// earlier run's renames.
QString appliedText(bool anyMoves, int renamed, const QString &log)
{
    if (renamed > 0)
        return FormatString(LoadResString(218), renamed);
    if (!anyMoves)
        return log.isEmpty() ? LoadResString(4117) : FormatString(LoadResString(4118), log);
    return log.isEmpty() ? FormatString(LoadResString(218), renamed) : FormatString(LoadResString(4119), log);
}

} // namespace

void RenamePage::cmdPreview_Click()
{
    selectTab("PREVIEW");
    Options.StartNumber = spinnerValue(UDSStart);
    Options.Increment = spinnerValue(UDSIncrement);
    Options.ZeroFill = spinnerValue(UDSZeroFill);
    Options.Counter = Options.StartNumber;
    FillListPreview();
    cmdApply->setEnabled(LVPreview->rows().rowCount() > 0);
    selectTab("PREVIEW");
}

void RenamePage::FillListPreview()
{
    WaitCursor wait;
    LVPreview->rows().clear();
    m_preview.reset();
    Guarded(QStringLiteral("in DirEvaVezi.modDirEvaVezi.FillListPreview."), false, [&] {
        RenamePreview preview = PreviewRenames(m_files.items(), Options);
        LVPreview->rows().addRows(PreviewListRows(preview, QColor(255, 0, 0), RowIcons()));
        showStatus(FormatString(LoadResString(217), preview.errorCount()));
        m_preview = std::move(preview);
        return true;
    });
}

bool RenamePage::previewIsCurrent() const
{
    // The spinners are read at Preview only, so their values are compared
    // rather than followed.
    return m_preview && LVPreview->rows().rowCount() > 0 && spinnerValue(UDSStart) == Options.StartNumber
           && spinnerValue(UDSIncrement) == Options.Increment && spinnerValue(UDSZeroFill) == Options.ZeroFill;
}

// Going on renames the rows that passed the check although others did not:
// Enter alone stops.
bool RenamePage::confirmErrors(int errors)
{
    if (errors == 0)
        return true;
    return ask(FormatString(LoadResString(174), errors), MsgIcon::Question, MsgButtons::YesNoDefaultNo)
           == MsgAnswer::Yes;
}

QString RenamePage::logPath() const
{
    return txtLog->text().isEmpty() ? DefaultRenameLogPath() : txtLog->text();
}

void RenamePage::cmdApply_Click()
{
    // Apply carries out what Preview showed, and nothing else: after a
    // change to the rules or the list the preview has to be made again.
    if (!previewIsCurrent()) {
        ask(LoadResString(171), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (!confirmErrors(m_preview->errorCount()))
        return;
    RenameLogWriter log;
    const bool logging = chkLog->isChecked();
    if (logging && !log.open(logPath())) {
        ask(log.errorString(), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    const RenamePlan &plan = m_preview->plan;
    const bool anyMoves = std::any_of(plan.rows.begin(), plan.rows.end(),
                                      [](const PlanRow &row) { return row.moves(); });
    ApplyResult result;
    {
        BusyPage busy(this);
        result = ApplyRenamePlan(plan, logging ? &log : nullptr, [](int done) {
            if (done % RowsBetweenEvents == 0)
                QCoreApplication::processEvents();
        });
        if (logging && !log.close() && result.logError.isEmpty())
            result.logError = log.errorString();
    }
    // The plan is spent: the file list now shows where each file is, and
    // only a new Preview can enable Apply again.
    m_preview.reset();
    LVPreview->rows().clear();
    cmdApply->setEnabled(false);
    m_files.setPaths(result.finalPaths);
    showStatus(appliedText(anyMoves, result.renamed, logging ? logPath() : QString()));
    showFailures(result.failures);
    if (logging && result.notUtf8LeftOut > 0)
        ask(FormatString(LoadResString(4107), result.notUtf8LeftOut), MsgIcon::Information, MsgButtons::Ok);
    if (!result.logError.isEmpty())
        ask(result.logError, MsgIcon::Exclamation, MsgButtons::Ok);
}

void RenamePage::showRowProblem(int row)
{
    if (row < 0 || row >= LVPreview->rows().rowCount())
        return;
    const QString why = LVPreview->rows().row(row).toolTip;
    if (!why.isEmpty())
        showStatus(why);
}

void RenamePage::showFailures(const std::vector<RenameFailure> &failures)
{
    if (failures.empty())
        return;
    QStringList lines;
    for (size_t i = 0; i < failures.size() && i < MaxFailuresNamed; ++i) {
        const RenameFailure &f = failures[i];
        lines << (f.error == EEXIST
                      ? FormatString(LoadResString(173), f.newPath)
                      : FormatString(LoadResString(172), f.oldPath) + QStringLiteral(": ") + ErrorText(f.error));
    }
    if (failures.size() > MaxFailuresNamed)
        lines << QStringLiteral("...");
    ask(lines.join(u'\n'), MsgIcon::Exclamation, MsgButtons::Ok);
}

void RenamePage::chkLog_Click()
{
    txtLog->setEnabled(chkLog->isChecked());
    cmdBrowse->setEnabled(chkLog->isChecked());
}

void RenamePage::cmdBrowse_Click()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Log File|*.log");
    request.filterIndex = 1;
    // Opens at the log itself: the one typed, else the default log, which
    // lives in the program's data folder.
    const QString log = logPath();
    if (QDir::isAbsolutePath(log)) {
        request.initialFolder = PathWithOutFile(log);
        request.fileName = GetFileName(log);
    }
    const QString chosen = AskSaveFileName(QStringLiteral("Rename\\Log"), request);
    if (!chosen.isEmpty())
        txtLog->setText(chosen);
}

} // namespace ardl
