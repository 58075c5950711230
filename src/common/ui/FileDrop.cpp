#include "FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace ardl {

namespace {

class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget *target, std::function<void(const QStringList &)> onDrop, std::function<bool()> accepting)
        : QObject(target), m_onDrop(std::move(onDrop)), m_accepting(std::move(accepting)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDropEvent *>(event);
            if (takes(drag)) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!takes(drop))
                return true;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            m_onDrop(LocalPaths(drop->mimeData()));
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    bool takes(const QDropEvent *event) const
    {
        return (!m_accepting || m_accepting()) && !LocalPaths(event->mimeData()).isEmpty();
    }

    std::function<void(const QStringList &)> m_onDrop;
    std::function<bool()> m_accepting;
};

} // namespace

QStringList LocalPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

void AcceptFileDrops(QWidget *target, std::function<void(const QStringList &paths)> onDrop,
                     std::function<bool()> accepting)
{
    target->setAcceptDrops(true);
    target->installEventFilter(new FileDropFilter(target, std::move(onDrop), std::move(accepting)));
}

} // namespace ardl
