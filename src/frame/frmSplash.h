#pragma once

#include <QWidget>

class QLabel;

namespace ardl {

// The splash shown while the program starts: the splash picture with the
// title and version over it. It takes no input. It stays above the other
// windows, so it steps aside for good as soon as the program asks a question
// (a message about the settings while the window loads), which would
// otherwise wait unseen under it.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *img;
    QLabel *lblCaption;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
};

} // namespace ardl
