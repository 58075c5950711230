#include "FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

namespace ardl {

FolderTree::FolderTree(QWidget *parent)
    : QTreeView(parent)
    , m_follow(new QTimer(this))
{
    // Entries arrive in batches and get sorted; the tree catches up with the
    // target folder once per batch.
    m_follow->setSingleShot(true);
    m_follow->setInterval(0);
    connect(m_follow, &QTimer::timeout, this, &FolderTree::followTarget);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &FolderTree::userTakesOver);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUpModel();
    connect(this, &QTreeView::activated, this, [this](const QModelIndex &index) {
        Q_EMIT folderPicked(m_model->filePath(index));
    });
}

void FolderTree::setUpModel()
{
    QFileSystemModel *oldModel = m_model;
    QItemSelectionModel *oldSelection = selectionModel();
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    const auto follow = [this] {
        if (!m_target.isEmpty())
            m_follow->start();
    };
    connect(m_model, &QFileSystemModel::directoryLoaded, this, follow);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, follow);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, follow);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    delete oldSelection;   // a view never deletes the selection model it replaces
    delete oldModel;
}

QString FolderTree::selectedFolder() const
{
    if (!m_target.isEmpty() && !targetIsGone())
        return m_target;
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void FolderTree::setSelectedFolder(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    m_target = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    followTarget();
}

// The model makes the items along a path as soon as it is asked for it, so
// the folder can be selected at once; opening a branch reads its entries in
// the background, and every batch that lands may move rows.
void FolderTree::followTarget()
{
    if (m_target.isEmpty())
        return;
    const QModelIndex target = m_model->index(m_target);
    if (!target.isValid())
        return;
    for (QModelIndex up = target.parent(); up.isValid(); up = up.parent()) {
        if (!isExpanded(up))
            expand(up);
    }
    if (currentIndex() != target) {
        QScopedValueRollback<bool> byCode(m_userInput, false);
        setCurrentIndex(target);
    }
    scrollTo(target);
}

// The followed folder was removed behind the tree's back: the selection the
// model moved to its neighbour is the one that counts.
bool FolderTree::targetIsGone() const
{
    return !QFileInfo(m_target).isDir();
}

void FolderTree::onCurrentChanged(const QModelIndex &current)
{
    const QString folder = current.isValid() ? m_model->filePath(current) : QString();
    if (m_userInput || (!m_target.isEmpty() && targetIsGone()))
        m_target.clear();
    if (folder != m_lastReported && (m_target.isEmpty() || folder == m_target)) {
        m_lastReported = folder;
        Q_EMIT folderChanged(folder);
    }
    if (m_userInput)
        Q_EMIT folderPicked(folder);
}

void FolderTree::userTakesOver()
{
    m_target.clear();
    m_follow->stop();
}

void FolderTree::refresh()
{
    const QString selected = selectedFolder();
    {
        QScopedValueRollback<bool> byCode(m_userInput, false);
        setUpModel();
    }
    if (!selected.isEmpty())
        setSelectedFolder(selected);
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    userTakesOver();
    QScopedValueRollback<bool> byUser(m_userInput, true);
    QTreeView::mousePressEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent *event)
{
    userTakesOver();
    QScopedValueRollback<bool> byUser(m_userInput, true);
    QTreeView::keyPressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent *event)
{
    userTakesOver();
    QTreeView::wheelEvent(event);
}

} // namespace ardl
