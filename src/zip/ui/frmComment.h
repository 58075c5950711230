#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ardl {

// Edits the archive comment held in ZipComment; OK stores the text back and
// sets CommentConfirmed.
class frmComment : public QDialog {
    Q_OBJECT
public:
    explicit frmComment(QWidget *parent = nullptr);

    void cmdOk_Click();
    void cmdCancel_Click();

    QLabel *lblTitle;
    QPlainTextEdit *txtComment;
    QPushButton *cmdOk;
    QPushButton *cmdCancel;

private:
    void Form_Load();
};

} // namespace ardl
