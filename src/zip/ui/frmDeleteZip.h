#pragma once

#include <QDialog>

class QPushButton;

namespace ardl {

class ZipFilesFrame;

// Chooses which entries to delete: ExtractParam.WhichFiles and FileSpec,
// and DeleteConfirmed.
class frmDeleteZip : public QDialog {
    Q_OBJECT
public:
    explicit frmDeleteZip(QWidget *parent = nullptr);

    void cmdDelete_Click();
    void cmdCancel_Click();

    ZipFilesFrame *fraFiles;
    QPushButton *cmdDelete;
    QPushButton *cmdCancel;

private:
    void Form_Load();
};

} // namespace ardl
