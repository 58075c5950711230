#pragma once

#include "rename/core/RenameApply.h"
#include "rename/core/RenameFileList.h"
#include "rename/core/RenameOptions.h"
#include "rename/core/RenamePreview.h"

#include "common/core/modFindFile.h"

#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace ardl {

class FolderTree;
class ListView;

// The Rename page: a folder tree and a file list on top, the naming rules
// below; Preview shows the new names and Apply carries them out.
class RenamePage : public QWidget {
    Q_OBJECT
public:
    explicit RenamePage(QWidget *parent = nullptr);
    ~RenamePage() override;

    // Load steps of the main window.
    void LoadCaptions();
    void SetListHeaders();

    // The file list.
    void cmdSearch_Click();
    // Lists the files of `folder` (with its "/") as the check box and the
    // filter say.
    void AfterFillList(const QString &folder);
    void FillListFile(ScanOptions &options);
    void cmdDelete_Click();
    void cmdClear_Click();
    void TabStripFile_Click();
    void LVFile_ColumnClick(int column);
    void LVPreview_ColumnClick(int column);
    // Files and folders dropped on the list, in order.
    void LVFile_OLEDragDrop(const QStringList &paths);
    // The full paths of the selected rows, top to bottom, for a drag out.
    QStringList LVFile_OLESetData() const;

    // Preview and Apply.
    void cmdPreview_Click();
    void FillListPreview();
    void cmdApply_Click();
    void chkLog_Click();
    void cmdBrowse_Click();
    // Whether the preview shown is still what Apply would carry out: no
    // rule, number or list change since.
    bool previewIsCurrent() const;

    // The rules as the controls set them.
    RenameOptions Options;
    // Last sorted columns of the two lists, for the list sort.
    int LastSortFile = 1;
    int LastSortPreview = 1;

    // File list part.
    FolderTree *FolderTreeview;
    QCheckBox *chkRecursive;
    QLabel *lblFilter;
    QLineEdit *txtFilter;
    QPushButton *cmdSearch;
    QPushButton *cmdDelete;
    QPushButton *cmdClear;
    QPushButton *cmdPreview;
    QTabBar *TabStripFile;
    ListView *LVFile;
    ListView *LVPreview;

    // The bottom panel: rules, log and Apply.
    QWidget *picRen;
    QGroupBox *fraChangeFileName;
    QRadioButton *opt1None;
    QRadioButton *opt1Remove;
    QRadioButton *opt1Replace;
    QRadioButton *opt1Insert;
    QRadioButton *opt1DirName;
    QLineEdit *txt1Replace;
    QLineEdit *txt1Before;
    QLabel *lblAfter;
    QLineEdit *txt1After;
    QGroupBox *fraNumber;
    QRadioButton *opt2None;
    QRadioButton *opt2Before;
    QRadioButton *opt2After;
    QGroupBox *fraOpt2;
    QLabel *lblStart;
    QWidget *UDSStart;
    QLabel *lblIncrement;
    QWidget *UDSIncrement;
    QLabel *lblZeroFill;
    QWidget *UDSZeroFill;
    QCheckBox *chkInitDir;
    QGroupBox *fraExtention;
    QRadioButton *opt3None;
    QRadioButton *opt3Remove;
    QRadioButton *opt3Fixed;
    QLineEdit *txt3Fixed;
    QGroupBox *fraCase;
    QRadioButton *opt4None;
    QRadioButton *opt4First;
    QRadioButton *opt4Lower;
    QRadioButton *opt4Upper;
    QGroupBox *fraSub;
    QCheckBox *chkSub;
    QLabel *lbl4Replace;
    QLineEdit *txt4Replace;
    QLabel *lbl4With;
    QLineEdit *txt4With;
    QCheckBox *chkMatchCase;
    QCheckBox *chkLog;
    QLineEdit *txtLog;
    QPushButton *cmdBrowse;
    QPushButton *cmdApply;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Building the page.
    void createFileListControls();
    void createRuleControls();
    QWidget *createNameGroup();
    QWidget *createNumberGroup();
    QWidget *createExtensionGroup();
    QWidget *createCaseGroup();
    QWidget *createSubstitutionRow();
    QWidget *createSpinner(const char *name, int min, int max, QWidget *parent);
    void connectRuleHandlers();
    void connectListHandlers();
    void ResizePage();

    // Rule handlers: each keeps Options in step with its control.
    void setNameMode(int16_t mode);
    void setNumberMode(int16_t mode);
    void setExtMode(int16_t mode);
    void setCaseMode(int16_t mode);
    void chkSub_Click();

    // File list helpers.
    void updateListButtons();
    void showStatus(const QString &text);
    void selectTab(const char *key);
    // A rule or the list changed: Apply needs a new Preview first.
    void previewIsOutOfDate();

    // Apply helpers.
    bool confirmErrors(int errors);
    QString logPath() const;
    void showFailures(const std::vector<RenameFailure> &failures);
    // The reason of an "Err" row of the preview, in the status bar.
    void showRowProblem(int row);

    RenameFileList m_files;
    std::optional<RenamePreview> m_preview;
};

} // namespace ardl
