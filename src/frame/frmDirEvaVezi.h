#pragma once

#include <QMainWindow>

class QLabel;

namespace ardl {

class CloseRequestWatch;
class ListView;
class Mp3Page;
class RenamePage;
class SplitPage;
class SyncPage;
class UndoPage;
class ZipPage;

// The main window: the column of page buttons on the left, the six tool
// pages to its right (one shown at a time) and the status bar.
class frmDirEvaVezi : public QMainWindow {
    Q_OBJECT
public:
    enum Page { PageRename = 0, PageUndo = 1, PageSplit = 2, PageSync = 3, PageZip = 4, PageMp3 = 5 };

    explicit frmDirEvaVezi(QWidget *parent = nullptr);
    ~frmDirEvaVezi() override;

    // Prepares the window and all six pages, restoring the stored settings.
    void Form_Load();
    // Lays out the button column and the page shown.
    void ResizeFrame();
    // Shows the page of CurrentPage and hides (and disables) the others.
    void SetFrameView();
    // Writes a text into the first panel of the status bar; it stays until
    // another replaces it.
    void SetStatusText(const QString &text);
    QString StatusText() const;

    QWidget *page(int index) const;
    // The page button of page `index`; nullptr for another index.
    QWidget *pageButton(int index) const;
    // The nine buttons of the column, top to bottom.
    QList<QWidget *> columnButtons() const;

    // Page buttons: show their page, keeping exactly one button checked.
    void CBWRename_Click();
    void CBWUndo_Click();
    void CBWSplit_Click();
    void CBWSync_Click();
    void CBWZip_Click();
    void CBWMp3_Click();
    // Command buttons: checked while their action runs.
    void CBWHelp_Click();
    void CBWAbout_Click();
    void CBWExit_Click();
    // The About box, modal over the window.
    void ShowAbout();

    // Hears the window manager ask the window to close while a question
    // blocks it; a test without a display feeds it the manager's messages.
    CloseRequestWatch *closeRequests() const { return m_closeRequests; }

    int CurrentPage = PageRename;

    QWidget *picList;
    // The column's picture check boxes, made by the control library.
    QWidget *CBWRename;
    QWidget *CBWUndo;
    QWidget *CBWSplit;
    QWidget *CBWSync;
    QWidget *CBWZip;
    QWidget *CBWMp3;
    QWidget *CBWHelp;
    QWidget *CBWAbout;
    QWidget *CBWExit;
    RenamePage *picRename;
    UndoPage *picUndo;
    SplitPage *picSplit;
    SyncPage *picSync;
    ZipPage *picZip;
    Mp3Page *picMp3;
    QLabel *StatusPanel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct ColumnSetting {
        ListView *list;
        int column;   // 1-based
        const char *valueName;
    };
    QList<ColumnSetting> columnSettings() const;

    // Whether a page's run is still going on.
    bool runGoesOn() const;
    // Remembers a close asked for while a run or a question goes on, and
    // closes the window once both have ended.
    void closeOnceFree();
    void Form_Resize();
    void Form_QueryUnload();
    void Form_Unload();
    void RestoreColumnWidths();
    void SaveColumnWidths();
    void LoadRecentLists();
    void InstallHelpShortcut();
    void InstallPageKeys();
    // Shows the page `step` places after (or before) the current one.
    void StepPage(int step);
    // Gives the keyboard to the first control of the page shown.
    static void FocusFirstControl(QWidget *shown);
    void CreateColumnButtons();
    void LoadButtonPictures();
    void SetInitialButtonStates();
    void InstallHoverHelp();
    void PageButtonClick(int index);

    QWidget *m_work;
    CloseRequestWatch *m_closeRequests;
    bool m_closeWaits = false;   // a close asked for during a run or a question is pending
};

} // namespace ardl
