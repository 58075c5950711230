#include "FileDrag.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QUtf8StringView>

namespace ardl {

namespace {

class DropTarget : public QObject {
public:
    DropTarget(QAbstractItemView *view, std::function<void(const DroppedFiles &)> dropped, bool takesLeftOut)
        : QObject(view->viewport()), m_dropped(std::move(dropped)), m_takesLeftOut(takesLeftOut)
    {
        view->setAcceptDrops(true);
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDropEvent *>(event);
            if (!wanted(DroppedFileList(drag->mimeData()))) {
                drag->ignore();
            } else {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const DroppedFiles files = DroppedFileList(drop->mimeData());
            if (!wanted(files))
                return false;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            m_dropped(files);
            return true;
        }
        default:
            return false;
        }
    }

private:
    bool wanted(const DroppedFiles &files) const
    {
        return !files.paths.isEmpty() || (m_takesLeftOut && !files.leftOut.isEmpty());
    }

    std::function<void(const DroppedFiles &)> m_dropped;
    bool m_takesLeftOut;
};

class DragSource : public QObject {
public:
    DragSource(QAbstractItemView *view, std::function<QStringList()> selection)
        : QObject(view->viewport()), m_view(view), m_selection(std::move(selection))
    {
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *press = static_cast<QMouseEvent *>(event);
            m_pressPos = press->position().toPoint();
            const QModelIndex at = m_view->indexAt(m_pressPos);
            m_pressOnSelection = press->button() == Qt::LeftButton && at.isValid()
                              && m_view->selectionModel()->isRowSelected(at.row(), at.parent());
            return false;
        }
        if (event->type() != QEvent::MouseMove || !m_pressOnSelection)
            return false;
        auto *move = static_cast<QMouseEvent *>(event);
        if (!(move->buttons() & Qt::LeftButton)
            || (move->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return false;
        m_pressOnSelection = false;
        const QStringList paths = m_selection();
        if (paths.isEmpty())
            return false;
        auto *drag = new QDrag(m_view);
        drag->setMimeData(FileListData(paths));
        drag->exec(Qt::CopyAction);
        return true;
    }

private:
    QAbstractItemView *m_view;
    std::function<QStringList()> m_selection;
    QPoint m_pressPos;
    bool m_pressOnSelection = false;
};

} // namespace

DroppedFiles DroppedFileList(const QMimeData *data)
{
    DroppedFiles files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // A path that is not valid UTF-8 comes out of the URL as a
        // look-alike text naming another file or none.
        const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (QUtf8StringView(bytes).isValidUtf8())
            files.paths << url.toLocalFile();
        else
            files.leftOut.add(ShownName(bytes));
    }
    return files;
}

QStringList DroppedPaths(const QMimeData *data)
{
    return DroppedFileList(data).paths;
}

QMimeData *FileListData(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

void AcceptFileDrops(QAbstractItemView *view, std::function<void(const QStringList &)> dropped)
{
    new DropTarget(view, [dropped = std::move(dropped)](const DroppedFiles &files) { dropped(files.paths); }, false);
}

void AcceptFileDrops(QAbstractItemView *view, std::function<void(const DroppedFiles &)> dropped)
{
    new DropTarget(view, std::move(dropped), true);
}

void AllowFileDragOut(QAbstractItemView *view, std::function<QStringList()> selection)
{
    new DragSource(view, std::move(selection));
}

} // namespace ardl
