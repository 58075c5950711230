#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ardl {

class FolderTree;
class ListView;

// Chooses the files of an add and its options: the files of the folder
// chosen in the tree, either those selected or those matching a wildcard.
// Fills ZipFileList, ZipAddParam and AddConfirmed.
class frmBrowseForZip : public QDialog {
    Q_OBJECT
public:
    explicit frmBrowseForZip(QWidget *parent = nullptr);

    // Shows the password dialog; tests put their own in place.
    std::function<void()> ShowPasswordDialog;

    void SetCaption();
    void GetZipAddParam();
    void FTBrowseZip_FolderChanged(const QString &folder);
    void LVZipAdd_ColumnClick(int column);
    void cmdAdd_Click();
    void cmdAddWildcard_Click();
    void cmdPassword_Click();
    void cmdCancel_Click();

    FolderTree *FTBrowseZip;
    ListView *LVZipAdd;
    QLabel *lblFilter;
    QComboBox *cboFilter;
    QCheckBox *chkRecursive;
    QLabel *lblAction;
    QComboBox *cboAction;
    QLabel *lblCompression;
    QComboBox *cboCompression;
    QGroupBox *fraFolder;
    QCheckBox *chkIncludeSubDir;
    QCheckBox *chkSaveExtratDir;
    QCheckBox *chkDosName;
    QGroupBox *fraAttr;
    QCheckBox *chkIncludeOnlyArchive;
    QCheckBox *chkSystemFile;
    QPushButton *cmdAdd;
    QPushButton *cmdAddWildcard;
    QPushButton *cmdPassword;
    QPushButton *cmdCancel;

    // Last sorted column of the file list.
    int LastSortAdd = 1;

protected:
    void done(int result) override;

private:
    void createControls();
    void Form_Load();
    void Form_Unload();
    void rememberFilter();

    QString m_folder;
};

} // namespace ardl
