#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <functional>

class QWidget;

namespace ardl {

// Hears the window manager ask a top-level window to close while a modal
// window blocks it. Under X11 the request is a client message that Qt drops
// without a word while the window is blocked (the window never gets a close
// event), so a window that is to close once the question in front of it has
// been answered learns of the request here. Requests that Qt hands to the
// window itself are left to it, as are Wayland's, which Qt delivers as close
// events even to a blocked window.
class CloseRequestWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // `requested` runs from the event loop, after the window manager's
    // message has been handled, once per request.
    CloseRequestWatch(QWidget *window, std::function<void()> requested);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // The display's numbers of the atoms WM_PROTOCOLS and WM_DELETE_WINDOW,
    // looked up at construction (none without an X11 display). A test without
    // a display gives numbers of its own to feed the watch messages.
    void setAtomsForTest(quint32 protocols, quint32 deleteWindow);

private:
    // Whether a modal window other than the watched one is up: Qt then keeps
    // the close request from the watched window.
    bool blocked() const;

    QWidget *m_window;
    std::function<void()> m_requested;
    quint32 m_protocols = 0;
    quint32 m_deleteWindow = 0;
};

} // namespace ardl
