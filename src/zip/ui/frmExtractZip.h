#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace ardl {

class FolderTree;
class ZipFilesFrame;

// Asks which entries to extract, where to, and what to do with files that
// are there already: ExtractParam and ExtractConfirmed.
class frmExtractZip : public QDialog {
    Q_OBJECT
public:
    explicit frmExtractZip(QWidget *parent = nullptr);

    // Shows the new-folder dialog; tests put their own in place.
    std::function<void()> ShowNewFolderDialog;

    void FTZip_FolderChanged(const QString &folder);
    void cmdSelect();
    void cmdNewFolder_Click();
    void cmdExtract_Click();
    void cmdCancel_Click();

    QLabel *lblExtractTo;
    QComboBox *cboFolder;
    FolderTree *FTZip;
    ZipFilesFrame *fraFiles;
    QCheckBox *chkOverFile;
    QCheckBox *chkSkip;
    QCheckBox *chkUseName;
    QPushButton *cmdExtract;
    QPushButton *cmdCancel;
    QPushButton *cmdNewFolder;

protected:
    void done(int result) override;

private:
    void Form_Load();
    void Form_Unload();
};

} // namespace ardl
