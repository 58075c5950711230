#include "platform/windowclose/CloseRequestWatch.h"
#include "support/TestSupport.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

using namespace ardl;

namespace {

// Atom numbers of our own: the offscreen platform has no display.
constexpr quint32 ProtocolsAtom = 301;
constexpr quint32 DeleteWindowAtom = 302;

// A client message as X11 hands it to the application's native filters.
void deliver(quint32 window, quint32 type = ProtocolsAtom, quint32 protocol = DeleteWindowAtom, quint8 format = 32)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE | 0x80;
    message.format = format;
    message.window = window;
    message.type = type;
    message.data.data32[0] = protocol;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &message, &result);
    // What the watch heard it hands on through the event queue.
    QCoreApplication::processEvents();
}

} // namespace

TEST(CloseRequestWatch, HearsTheManagersCloseOfItsWindowOnlyWhileAModalWindowBlocksIt)
{
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int heard = 0;
    CloseRequestWatch watch(&window, [&] { ++heard; });
    watch.setAtomsForTest(ProtocolsAtom, DeleteWindowAtom);
    const auto id = quint32(window.internalWinId());
    ASSERT_NE(id, 0u);

    // Nothing blocks the window: Qt hands the request to the window itself.
    deliver(id);
    EXPECT_EQ(heard, 0);

    QDialog question;
    question.setModal(true);
    question.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&question));
    // Other messages, and a request for another window, are not the one.
    deliver(id, ProtocolsAtom + 10);
    deliver(id, ProtocolsAtom, DeleteWindowAtom + 10);
    deliver(id, ProtocolsAtom, DeleteWindowAtom, 8);
    deliver(quint32(question.internalWinId()));
    EXPECT_EQ(heard, 0);

    deliver(id);
    EXPECT_EQ(heard, 1);
    deliver(id);
    EXPECT_EQ(heard, 2);   // each request once; the window decides what a second one means

    question.hide();
    deliver(id);
    EXPECT_EQ(heard, 2);
}
