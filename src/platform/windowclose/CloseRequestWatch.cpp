#include "CloseRequestWatch.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

namespace ardl {

namespace {

// The atom's number on this connection; 0 when the server gives none.
quint32 internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (!reply)
        return 0;
    const quint32 atom = reply->atom;
    std::free(reply);
    return atom;
}

} // namespace

CloseRequestWatch::CloseRequestWatch(QWidget *window, std::function<void()> requested)
    : QObject(window)
    , m_window(window)
    , m_requested(std::move(requested))
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (xcb_connection_t *connection = x11->connection()) {
            m_protocols = internAtom(connection, "WM_PROTOCOLS");
            m_deleteWindow = internAtom(connection, "WM_DELETE_WINDOW");
        }
    }
    // The filter leaves the application with this object (the base class's
    // destructor takes it out).
    qGuiApp->installNativeEventFilter(this);
}

void CloseRequestWatch::setAtomsForTest(quint32 protocols, quint32 deleteWindow)
{
    m_protocols = protocols;
    m_deleteWindow = deleteWindow;
}

bool CloseRequestWatch::blocked() const
{
    const QWindow *modal = QGuiApplication::modalWindow();
    return modal && modal != m_window->windowHandle();
}

bool CloseRequestWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (m_deleteWindow == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // The high bit marks a message another client sent, as the window
    // manager's are.
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    if (client->format != 32 || client->type != m_protocols || client->data.data32[0] != m_deleteWindow)
        return false;
    const WId window = m_window->internalWinId();
    if (window == 0 || client->window != window || !blocked())
        return false;
    // Heard here, acted on from the event loop: the message is still being
    // handled. Qt goes on to drop it.
    QMetaObject::invokeMethod(
        this, [this] { m_requested(); }, Qt::QueuedConnection);
    return false;
}

} // namespace ardl
