#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ardl {

// Asks for the password of an add. Opening it clears ZipPassword; Yes sets
// it, Cancel leaves it empty, so the next add is not encrypted.
class frmPassword : public QDialog {
    Q_OBJECT
public:
    explicit frmPassword(QWidget *parent = nullptr);

    void chkMask_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    QLabel *Image1;
    QLabel *lblTitle;
    QLineEdit *txtPassword;
    QCheckBox *chkMask;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;

private:
    void Form_Load();
};

} // namespace ardl
