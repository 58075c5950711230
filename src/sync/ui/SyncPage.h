#pragma once

#include "sync/core/FtpSite.h"
#include "sync/core/SyncPlan.h"
#include "sync/core/SyncResultList.h"

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ardl {

class ListView;

// The Sync page: the two sides to compare with the filter and options, the
// result list with its four filter toggles, and the commands Compare,
// Synchronize and Create Sync File. A synchronisation works from the plan
// of the compare that filled the list; changing any input empties the list
// and disables Synchronize.
class SyncPage : public QWidget {
    Q_OBJECT
public:
    explicit SyncPage(QWidget *parent = nullptr);
    ~SyncPage() override;

    // Load steps of the main window.
    void FillKinds();
    void LoadCaptions();
    void LoadSettings();
    void LoadFilterList();
    // The four filter toggles are all checked when the window opens.
    void CheckFilterButtons();
    // Unload step: the left kind always, the roots when not empty.
    void SaveSettings();

    // Handlers.
    void cboDirFile_Click();
    void chkanonymous_Click();
    void cmdBrowseLeft_Click();
    void cmdBrowseRight_Click();
    void cmdSyncFile_Click();
    void txtRootLeft_Click();
    void txtRootRight_Change();
    void cmdCompare_Click();
    void cmdSync_Click();
    void CBW_Click();
    void LVSync_ColumnClick(int column);
    void LVSync_DblClick();

    // The result list.
    void DisplayList(bool bLR, bool bRL, bool bEgal, bool bDiff);
    void ReDisplayList();
    // The action icon (1-9) of the row at `row` (0-based), 0 for none.
    int RowActionIcon(int row) const;

    // The "File" run hands the full paths of the files bound for the
    // folder that the sync file describes to this (the zip list).
    using ZipListFn = std::function<void(const QStringList &fullPaths)>;
    void setZipListHandler(ZipListFn handler);
    // What shows the remote folder browser for a site and returns the folder
    // chosen ("" on Cancel), and what shows the sync-file dialog: the real
    // dialogs unless a test puts its own.
    using RemoteFolderFn = std::function<QString(const FtpSite &site)>;
    void setRemoteFolderBrowser(RemoteFolderFn browse);
    void setSyncFileDialog(std::function<void()> show);

    // The plan of the compare that filled the list; none when the list does
    // not come from a compare any more.
    const std::optional<SyncPlan> &plan() const { return m_plan; }

    QComboBox *cboDirFile;
    QComboBox *txtRootLeft;
    QPushButton *cmdBrowseLeft;
    QComboBox *cboFilter;
    QLineEdit *txtRootRight;
    QPushButton *cmdBrowseRight;
    QCheckBox *chkSyncRecursive;
    QCheckBox *chkSyncDate;
    QCheckBox *chkSyncFileCreate;
    QLabel *lblLogin;
    QLineEdit *txtLogin;
    QLabel *lblPasswd;
    QLineEdit *txtPasswd;
    QCheckBox *chkanonymous;
    QLabel *lblRemoteDir;
    QLineEdit *txtRemoteDir;
    QLabel *lblPort;
    QLineEdit *txtPort;
    QGroupBox *fraAfficher;
    QWidget *CBW_LR;
    QWidget *CBW_Egal;
    QWidget *CBW_Diff;
    QWidget *CBW_RL;
    QPushButton *cmdCompare;
    QPushButton *cmdSync;
    QPushButton *cmdSyncFile;
    ListView *LVSync;
    // Last sorted column of the list, handed to the list sort.
    int LastSortSync = 1;
    // One line per entry of txtRootLeft's list: root|kind[|remote|login|password|anonymous|port].
    QStringList ListRecent;

    // True while code fills the kind and left-root lists: their handlers then
    // leave the page alone.
    bool Loading = false;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createInputs();
    void createFtpGroup();
    void createFilterButtons();
    void createCommands();
    void connectHandlers();
    QWidget *createFilterButton(const char *name, int compareClass);
    void ResizePage();

    // Any input changed: the list no longer shows what the inputs say.
    void InputsChanged();
    void clearResults();
    void showFtpGroup(bool shown);
    void showStatus(const QString &text);
    // Shows the text and lets pending events run (not more often than the
    // eye can follow).
    void showProgress(const QString &text);
    CompareRequest compareRequest() const;
    void rememberLeftRoot(const CompareRequest &request);
    SyncFilter filter() const;
    SyncRowLook rowLook() const;
    void runFileKind();
    void runCopies();

    ZipListFn m_zipList;
    RemoteFolderFn m_browseRemote;
    std::function<void()> m_showSyncFileDialog;
    std::optional<SyncPlan> m_plan;
    bool m_running = false;
    bool m_editedWhileRunning = false;
    // Changes made by the page itself while it runs a command.
    int m_updating = 0;
    qint64 m_lastEvents = 0;
};

} // namespace ardl
