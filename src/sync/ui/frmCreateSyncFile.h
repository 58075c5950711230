#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ardl {

// The dialog that writes a sync file: a folder, a filter and whether to go
// into sub-folders; Create asks where to save the file.
class frmCreateSyncFile : public QDialog {
    Q_OBJECT
public:
    explicit frmCreateSyncFile(QWidget *parent = nullptr);

    // The folder chosen last, the captions and the filter list.
    void Form_Load();
    void cmdBrowseFolder_Click();
    void cmdCreate_Click();
    void cmdAnnuler_Click();

    QLabel *lblDir;
    QLineEdit *txtDst;
    QPushButton *cmdBrowseFolder;
    QLabel *lblFilter;
    QComboBox *cboFilter;
    QCheckBox *chkRecursive;
    QPushButton *cmdCreate;
    QPushButton *cmdAnnuler;
};

} // namespace ardl
