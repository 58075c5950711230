#include "HoverHelp.h"

#include "LateBound.h"

#include "common/core/StringTable.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace ardl {

namespace {

// The main window's first status panel.
void ShowHoverText(QWidget *widget, int id)
{
    if (auto *panel = widget->window()->findChild<QLabel *>(QStringLiteral("StatusPanel")))
        panel->setText(LoadResString(id));
}

class HoverWatch : public QObject {
public:
    HoverWatch(QWidget *widget, int id) : QObject(widget), m_widget(widget), m_id(id)
    {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::MouseMove)
            ShowHoverText(m_widget, m_id);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_widget;
    int m_id;
};

} // namespace

void SetHoverHelp(QWidget *widget, int id)
{
    if (!widget)
        return;
    if (HasEvent(widget, "MouseMove")) {
        ConnectMouseEvent(widget, "MouseMove", widget,
                          [widget, id](int, int, float, float) { ShowHoverText(widget, id); });
        return;
    }
    new HoverWatch(widget, id);
}

} // namespace ardl
