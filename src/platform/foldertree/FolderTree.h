#pragma once

#include <QString>
#include <QTreeView>

class QFileSystemModel;
class QTimer;

namespace ardl {

// A tree of the file system's folders (no files), from "/" down. The
// selected item is always a folder with a full path. Folders are read in the
// background as branches open; a folder selected by code is selected at
// once, before its parents have been read, and the tree keeps it selected
// and in view while their entries arrive, until the user takes over.
class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget *parent = nullptr);

    // Full path of the selected folder, without a trailing "/" ("/" for the
    // root); "" when nothing is selected.
    QString selectedFolder() const;
    // Selects `path` and opens the tree down to it. A folder that does not
    // exist leaves the selection as it was.
    void setSelectedFolder(const QString &path);
    // Reads the folders again from disk (one just created shows up), keeping
    // the selected folder.
    void refresh();

    QFileSystemModel *fileSystemModel() const { return m_model; }

Q_SIGNALS:
    // The selected folder changed, by the user or by code.
    void folderChanged(const QString &folder);
    // The user chose a folder: clicked it, moved to it with the keys, or
    // pressed Enter or double-clicked on it.
    void folderPicked(const QString &folder);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void setUpModel();
    void followTarget();
    void onCurrentChanged(const QModelIndex &current);
    void userTakesOver();
    bool targetIsGone() const;

    QFileSystemModel *m_model = nullptr;
    QTimer *m_follow;
    QString m_target;         // the folder set by code, followed until the user acts
    QString m_lastReported;   // what folderChanged last said
    bool m_userInput = false;
};

} // namespace ardl
