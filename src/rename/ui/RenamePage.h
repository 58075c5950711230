#pragma once

#include <QWidget>

namespace ardl {

class ListView;

// The Rename page: the file list, the preview list and the rename rules.
class RenamePage : public QWidget {
    Q_OBJECT
public:
    explicit RenamePage(QWidget *parent = nullptr);

    // Load steps of the main window.
    void LoadCaptions();
    void SetListHeaders();

    ListView *LVFile;
    ListView *LVPreview;
};

} // namespace ardl
