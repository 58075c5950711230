#pragma once

#include "common/core/LeftOutNames.h"

#include <QStringList>
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
    // Files and folders dropped on the list; `leftOut` counts the dropped
    // files whose paths are not valid UTF-8.
    void LVZip_OLEDragDrop(const QStringList &paths, const LeftOutNames &leftOut = {});

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
    // Entry names of rows, in list order: by their text, or by the
    // archive's bytes for a row whose text reads like another entry's.
    struct RowNames {
        QStringList names;
        QList<QByteArray> rawNames;
        bool isEmpty() const { return names.isEmpty() && rawNames.isEmpty(); }
        qsizetype count() const { return names.size() + rawNames.size(); }
    };
    // All rows or the selected ones.
    RowNames rowNames(bool selectedOnly) const;
    // Adds the files of ZipFileList whose names are exact (Add and Drop),
    // and says in one message how many were left out.
    void addFileList(LeftOutNames leftOut);
    void reportZipFailure(int result);
    void status(const QString &text);
};

} // namespace ardl
