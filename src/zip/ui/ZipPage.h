#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

namespace ardl {

class ListView;

// The Zip page: the entries of one archive and the commands on them. The
// archive is the one ZCL names; every change goes through the zip driver
// and the list is read again from the archive after it.
class ZipPage : public QWidget {
    Q_OBJECT
public:
    explicit ZipPage(QWidget *parent = nullptr);

    // Load step of the main window.
    void LoadCaptions();

    void cmdZipNew_Click();
    void cmdZipOpen_Click();
    void cmdZipAdd_Click();
    void cmdZipDelete_Click();
    void cmdZipExtract_Click();
    void cmdZipComment_Click();
    void LVZip_ColumnClick(int column);
    // Files and folders dropped on the list.
    void LVZip_OLEDragDrop(const QStringList &paths);

    // The dialogs the commands show; tests put their own in place.
    std::function<void()> ShowAddDialog;
    std::function<void()> ShowDeleteDialog;
    std::function<void()> ShowExtractDialog;
    std::function<void()> ShowCommentDialog;

    ListView *LVZip;
    QPushButton *cmdZipNew;
    QPushButton *cmdZipOpen;
    QPushButton *cmdZipAdd;
    QPushButton *cmdZipDelete;
    QPushButton *cmdZipExtract;
    QPushButton *cmdZipComment;
    // Last sorted column of the list, handed to the list sort.
    int LastSortZip = 1;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ResizePage();
    // Reads the archive's entries into the list; false when it could not be read.
    bool DisplayZip();
    // The four commands on an archive follow whether the list has rows.
    void updateButtons();
    // Entry names of the rows, all or the selected ones, in list order.
    QStringList rowNames(bool selectedOnly) const;
    void reportZipFailure(int result);
    void status(const QString &text);
};

} // namespace ardl
