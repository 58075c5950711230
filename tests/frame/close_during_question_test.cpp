#include "frame/frmDirEvaVezi.h"
#include "common/ui/ListView.h"
#include "common/ui/WidgetPrompter.h"
#include "common/ui/frmOverwrite.h"
#include "platform/settings/modRegistry.h"
#include "platform/windowclose/CloseRequestWatch.h"
#include "support/TestSupport.h"
#include "sync/ui/SyncPage.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <functional>
#include <memory>
#include <vector>

using namespace ardl;

namespace {

// Atom numbers for the window manager's messages; the offscreen platform
// has no display to look them up on.
constexpr quint32 ProtocolsAtom = 301;
constexpr quint32 DeleteWindowAtom = 302;

// The window manager asks `window` to close, as X11 hands the request to the
// application: a client message that passes the native event filters, which
// Qt then drops while a modal window blocks `window`.
void windowManagerCloses(QWidget &window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE | 0x80;   // sent by another client
    message.format = 32;
    message.window = quint32(window.internalWinId());
    message.type = ProtocolsAtom;
    message.data.data32[0] = DeleteWindowAtom;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &message, &result);
}

// Acts on each modal window in turn as it comes up, from the event loop that
// the window's own exec runs.
class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<void(QWidget *)>> steps)
        : m_steps(std::move(steps))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start(5);
    }
    bool done() const { return m_next == m_steps.size(); }

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_current || done())
            return;
        m_current = modal;
        m_steps[m_next++](modal);
    }

    std::vector<std::function<void(QWidget *)>> m_steps;
    size_t m_next = 0;
    QPointer<QWidget> m_current;
    QTimer m_timer;
};

void clickButton(QWidget *box, QMessageBox::StandardButton button)
{
    auto *message = qobject_cast<QMessageBox *>(box);
    ASSERT_NE(message, nullptr);
    message->button(button)->click();
}

class CloseDuringQuestionTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        writeFile(QStringLiteral("left/song.txt"), "left");
        writeFile(QStringLiteral("right/song.txt"), "right side");
        w = std::make_unique<frmDirEvaVezi>();
        w->Form_Load();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        ASSERT_NE(w->internalWinId(), WId(0));
        w->closeRequests()->setAtomsForTest(ProtocolsAtom, DeleteWindowAtom);

        // The file differs on the two sides: copy it from left to right.
        w->CBWSync_Click();
        SyncPage &page = *w->picSync;
        page.txtRootLeft->setEditText(path(QStringLiteral("left/")));
        page.txtRootRight->setText(path(QStringLiteral("right/")));
        page.cmdCompare->click();
        ASSERT_EQ(page.LVSync->rows().rowCount(), 1);
        page.LVSync->setCurrentIndex(page.LVSync->model()->index(0, 0));
        page.LVSync_DblClick();
        ASSERT_TRUE(page.cmdSync->isEnabled());
    }

    bool closedAndSaved()
    {
        return QTest::qWaitFor([&] { return !w->isVisible(); }, 10000)
            && !QueryValue(ProgramKey + QStringLiteral("Option"), QStringLiteral("MainWidth")).isMissing();
    }

    WidgetPrompter dialogs;
    ScopedPrompter usingDialogs{dialogs};
    std::unique_ptr<frmDirEvaVezi> w;
};

} // namespace

TEST_F(CloseDuringQuestionTest, TheWindowClosesOnceTheOverwriteQuestionAndTheRunHaveEnded)
{
    bool openWhileAsked = false;
    ModalScript script({
        [](QWidget *confirm) { clickButton(confirm, QMessageBox::Yes); },
        [&](QWidget *overwrite) {
            auto *question = qobject_cast<frmOverwrite *>(overwrite);
            ASSERT_NE(question, nullptr);
            windowManagerCloses(*w);
            QCoreApplication::processEvents();
            openWhileAsked = w->isVisible();
            question->cmdNo->click();
        },
    });
    w->picSync->cmdSync->click();
    EXPECT_TRUE(script.done());
    EXPECT_TRUE(openWhileAsked);
    EXPECT_TRUE(closedAndSaved());
    EXPECT_EQ(readFile(QStringLiteral("right/song.txt")), "right side");   // No: the run left it
}

TEST_F(CloseDuringQuestionTest, TheWindowClosesOnceAQuestionOutsideARunIsAnswered)
{
    ModalScript script({
        [&](QWidget *confirm) {
            windowManagerCloses(*w);
            QCoreApplication::processEvents();
            clickButton(confirm, QMessageBox::No);
        },
    });
    w->picSync->cmdSync->click();
    EXPECT_TRUE(script.done());
    EXPECT_TRUE(closedAndSaved());
    EXPECT_EQ(readFile(QStringLiteral("right/song.txt")), "right side");
}
