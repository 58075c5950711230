#pragma once

#include <QWidget>

namespace ardl {

class ListView;

// The Zip page: the entries of one archive and the commands on them.
class ZipPage : public QWidget {
    Q_OBJECT
public:
    explicit ZipPage(QWidget *parent = nullptr);

    // Load step of the main window.
    void LoadCaptions();

    ListView *LVZip;
    // Last sorted column of the list, handed to the list sort.
    int LastSortZip = 1;
};

} // namespace ardl
