// The Sync page's two runs: Compare fills the result list and freezes the
// plan a synchronisation works from; Synchronize carries out the rows shown.
#include "SyncPage.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "common/ui/BusyPage.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "platform/settings/RecentList.h"
#include "platform/settings/modRegistry.h"
#include "sync/core/SyncRun.h"
#include "sync/core/modClass.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace ardl {

namespace {

// Pending events run at least this often while a run goes on.
constexpr qint64 EventsEveryMs = 25;

QElapsedTimer &clock()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

void showMessage(const SyncMessage &message)
{
    prompter().message(message.text, AppInfo::Title(), message.icon, MsgButtons::Ok);
}

// While it lives, changes the page makes to its own inputs do not count as
// edits by the user.
class Updating {
public:
    explicit Updating(int &count)
        : m_count(count)
    {
        ++m_count;
    }
    ~Updating() { --m_count; }
    Updating(const Updating &) = delete;
    Updating &operator=(const Updating &) = delete;

private:
    int &m_count;
};

// While it lives, `running` is set.
class Running {
public:
    explicit Running(bool &running)
        : m_running(running)
    {
        m_running = true;
    }
    ~Running() { m_running = false; }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;

private:
    bool &m_running;
};

} // namespace

void SyncPage::showProgress(const QString &text)
{
    showStatus(text);
    const qint64 now = clock().elapsed();
    if (now - m_lastEvents >= EventsEveryMs) {
        m_lastEvents = now;
        QCoreApplication::processEvents();
    }
}

CompareRequest SyncPage::compareRequest() const
{
    CompareRequest r;
    r.Kind = cboDirFile->currentText();
    r.RootLeft = txtRootLeft->currentText();
    r.RootRight = txtRootRight->text();
    r.Filter = cboFilter->currentText();
    r.Recursive = chkSyncRecursive->isChecked();
    r.IgnoreDate = chkSyncDate->isChecked();
    r.RemoteDir = txtRemoteDir->text();
    r.Login = txtLogin->text();
    r.Password = txtPasswd->text();
    r.Port = txtPort->text();
    r.Anonymous = chkanonymous->isChecked();
    return r;
}

void SyncPage::rememberLeftRoot(const CompareRequest &r)
{
    RecentParts parts;
    if (r.Kind == QLatin1String("Ftp")) {
        parts.part1 = r.RemoteDir;
        parts.part2 = QStringLiteral("Ftp");
        parts.part3 =
            QStringList{r.Login, r.Password, r.Anonymous ? QStringLiteral("1") : QStringLiteral("0"), r.Port}.join(
                u'|');
    } else {
        parts.part2 = r.Kind;
        parts.part3 = QStringLiteral("|");
    }
    const int known = txtRootLeft->findText(r.RootLeft);
    SaveDirectory(txtRootLeft, ProgramKey + QStringLiteral("Sync\\RootLeft"), parts, &ListRecent);
    // The stored entry of a root already listed took the new fields: so
    // does its line, for a later pick from the list.
    if (known >= 0 && known < ListRecent.size())
        ListRecent[known] = BuildCompanionItem(r.RootLeft, parts);
}

void SyncPage::cmdCompare_Click()
{
    if (m_running)
        return;
    Running running(m_running);
    {
        Updating updating(m_updating);
        SaveDirectory(cboFilter, ProgramKey + QStringLiteral("Sync\\Filter"));
    }
    const CompareRequest request = compareRequest();
    clearResults();
    m_editedWhileRunning = false;

    CompareResult result;
    {
        BusyPage busy(this);
        result = RunCompare(request, [this](const QString &text) { showProgress(text); });
        if (result.rememberLeftRoot) {
            Updating updating(m_updating);
            rememberLeftRoot(request);
        }
        // An input edited while the listing let events through: the list
        // would not show what the boxes say.
        if (result.completed && !m_editedWhileRunning) {
            m_plan = FreezePlan(request);
            ReDisplayList();
            cmdSync->setEnabled(true);
        }
        // The count is of the rows shown: none after a failed compare, never
        // those of the compare before.
        showStatus(FormatString(LoadResString(SyncText::FilesToSynchronize), LVSync->rows().rowCount()));
    }
    for (const SyncMessage &message : result.messages)
        showMessage(message);
}

void SyncPage::cmdSync_Click()
{
    if (m_running || !m_plan || !cmdSync->isEnabled())
        return;
    if (LVSync->rows().rowCount() == 0) {
        showStatus(LoadResString(SyncText::PressF1));
        return;
    }
    if (m_plan->Kind == QLatin1String("File")) {
        runFileKind();
        return;
    }
    if (m_plan->Kind != QLatin1String("Dir") && m_plan->Kind != QLatin1String("Ftp")) {
        showStatus(LoadResString(SyncText::PressF1));
        return;
    }
    if (prompter().message(LoadResString(SyncText::ConfirmSync), AppInfo::Title(), MsgIcon::Question, MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    runCopies();
}

void SyncPage::runFileKind()
{
    const std::vector<SyncTask> tasks = SyncTasksOf(SyncItems(), SyncRowKeys(LVSync->rows()));
    const QStringList paths = SyncFileRunPaths(*m_plan, tasks);
    if (m_zipList) {
        Running running(m_running);
        m_zipList(paths);
    }
    showStatus(LoadResString(SyncText::PressF1));
}

void SyncPage::runCopies()
{
    Running running(m_running);
    // The run keeps its own plan and tasks: the page may be shown again
    // (and so enabled) by its button while the run lets events through,
    // and an edit then drops the page's plan and rows.
    const SyncPlan plan = *m_plan;
    SyncRunReport report;
    {
        BusyPage busy(this);
        SyncRunHooks hooks;
        hooks.askOverwrite = [](const QString &question) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor); // over the hourglass
            const int answer = AskOverwrite(question);
            QGuiApplication::restoreOverrideCursor();
            return answer;
        };
        hooks.progress = [this](const QString &text) { showProgress(text); };
        const int rowCount = LVSync->rows().rowCount();
        report = RunSync(plan, SyncTasksOf(SyncItems(), SyncRowKeys(LVSync->rows())), rowCount, hooks);
    }
    if (report.stopped) {
        showMessage(*report.stopped);
        return;
    }
    showStatus(SyncRunSummary(report));
    if (!report.failures.empty())
        showMessage(SyncFailureMessage(report));
}

} // namespace ardl
