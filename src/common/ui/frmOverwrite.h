#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ardl {

// The question whether to overwrite a file: the caller's message and the
// buttons Yes, No, All and Cancel. answer() gives 1 to 4 for the button
// pressed, 0 when the dialog was closed otherwise (close box, Escape).
class frmOverwrite : public QDialog {
    Q_OBJECT
public:
    explicit frmOverwrite(const QString &message, QWidget *parent = nullptr);

    int answer() const { return m_answer; }

    QLabel *lblText;
    QPushButton *cmdYes;
    QPushButton *cmdNo;
    QPushButton *cmdALL;
    QPushButton *cmdCancel;

private:
    void Form_Load();
    void answerWith(int answer);

    int m_answer = 0;
};

} // namespace ardl
