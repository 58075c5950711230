#pragma once

#include <QWidget>

class QComboBox;

namespace ardl {

// The Split page: source files, destination folder and part size.
class SplitPage : public QWidget {
    Q_OBJECT
public:
    explicit SplitPage(QWidget *parent = nullptr);

    // Load steps of the main window.
    void LoadCaptions();
    void SetDefaults();

    QComboBox *txtDstFile;
};

} // namespace ardl
