#pragma once

#include <QWidget>

class QComboBox;

namespace ardl {

class ListView;

// The Undo page: a rename log and its rows, renamed back on request.
class UndoPage : public QWidget {
    Q_OBJECT
public:
    explicit UndoPage(QWidget *parent = nullptr);

    // Load steps of the main window.
    void LoadCaptions();
    void SetListColumns();

    QComboBox *cboLogFile;
    ListView *LVUndo;
};

} // namespace ardl
