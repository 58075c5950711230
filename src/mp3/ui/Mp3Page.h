#pragma once

#include <QWidget>

namespace ardl {

class ListView;

// The Mp3 page: MP3 files and the three tag panels.
class Mp3Page : public QWidget {
    Q_OBJECT
public:
    explicit Mp3Page(QWidget *parent = nullptr);

    // Load step of the main window.
    void LoadCaptions();

    ListView *LVMp3File;
    // Last sorted column of the list, handed to the list sort.
    int LastSortMp3 = 0;
};

} // namespace ardl
