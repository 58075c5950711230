#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace ardl {

class ListView;

// The Sync page: the two sides to compare, the filter and the result list.
class SyncPage : public QWidget {
    Q_OBJECT
public:
    explicit SyncPage(QWidget *parent = nullptr);

    // Load steps of the main window.
    void FillKinds();
    void LoadCaptions();
    void LoadSettings();
    void LoadFilterList();
    // Unload step: the left kind always, the roots when not empty.
    void SaveSettings();

    QComboBox *cboDirFile;
    QComboBox *txtRootLeft;
    QLineEdit *txtRootRight;
    QComboBox *cboFilter;
    ListView *LVSync;
    // Last sorted column of the list, handed to the list sort.
    int LastSortSync = 1;
    // One line per entry of txtRootLeft's list: root|kind[|remote|login|password|anonymous|port].
    QStringList ListRecent;

    // True while code fills the kind and left-root lists: their handlers then
    // leave the page alone.
    bool Loading = false;
};

} // namespace ardl
