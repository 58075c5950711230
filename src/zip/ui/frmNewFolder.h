#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ardl {

// Asks for the name of a new folder: NewFolderName and NewFolderConfirmed.
class frmNewFolder : public QDialog {
    Q_OBJECT
public:
    explicit frmNewFolder(QWidget *parent = nullptr);

    void cmdOk_Click();
    void cmdCancel_Click();

    QLabel *lblTitle;
    QLineEdit *txtNewFolder;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;

private:
    void Form_Load();
};

} // namespace ardl
