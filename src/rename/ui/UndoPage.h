#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace ardl {

class ListView;

// The Undo page: a rename log and its rows, renamed back on request.
class UndoPage : public QWidget {
    Q_OBJECT
public:
    explicit UndoPage(QWidget *parent = nullptr);

    // Load steps of the main window.
    void LoadCaptions();
    void SetListColumns();

    void cboLogFile_Click();
    void cmdBrowseUndo_Click();
    // Lists the log at `path`: the current path of each file, then the path
    // it goes back to.
    void FillListLog(const QString &path);
    void cmdDeleteSelect_Click();
    void cmdUndo_Click();

    QLabel *lblLogLoad;
    QComboBox *cboLogFile;
    QPushButton *cmdBrowseUndo;
    ListView *LVUndo;
    QPushButton *cmdDeleteSelect;
    QPushButton *cmdUndo;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Enter in the log box, and leaving it after typing, load the typed log.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ResizePage();
    void updateButtons();
    // Tells of a row that could not be renamed back and, when other rows
    // are left, asks whether to go on; true to go on.
    bool reportFailure(const QString &current, const QString &restore, int error, bool othersLeft);
};

} // namespace ardl
