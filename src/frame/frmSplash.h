#pragma once

#include <QWidget>

class QLabel;

namespace ardl {

// The splash shown while the program starts: the splash picture with the
// title and version over it. It takes no input.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    QLabel *img;
    QLabel *lblCaption;

private:
    void Form_Load();
};

} // namespace ardl
