#pragma once

#include <QGroupBox>

class QLineEdit;
class QRadioButton;

namespace ardl {

// The "Files" frame of the extract and delete dialogs: the selected rows,
// every entry, or the names typed in txtFiles.
class ZipFilesFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ZipFilesFrame(QWidget *parent = nullptr);

    void LoadCaptions();
    // Chooses the option for `whichFiles` (0, 1, 2; another value none);
    // with `noSelection` the selected-rows option is off.
    void SetChoice(int whichFiles, bool noSelection);
    // 0, 1 or 2 for the option chosen; -1 for none.
    int Choice() const;

    QRadioButton *optSelectFiles;
    QRadioButton *optAllFiles;
    QRadioButton *optFiles;
    QLineEdit *txtFiles;

private:
    void updateFileBox();
};

} // namespace ardl
