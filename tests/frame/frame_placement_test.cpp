#include "frame/frmDirEvaVezi.h"
#include "platform/settings/modRegistry.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <memory>

#include <cstdlib>

using namespace ardl;

namespace {

const QString Option = ProgramKey + QStringLiteral("Option");

// The windows of these tests have a frame around their inside; the test main
// reads this before it starts the application.
const bool Framed = [] { return ::setenv("ARDL_TEST_WINDOW_FRAMES", "1", 1) == 0; }();

std::unique_ptr<frmDirEvaVezi> startWindow()
{
    auto w = std::make_unique<frmDirEvaVezi>();
    w->Form_Load();
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(WindowPlacement, FirstStartShowsTheWholeFrameInTheMiddleOfTheScreen)
{
    auto w = startWindow();
    const QRect frame = w->frameGeometry();
    ASSERT_TRUE(Framed);
    ASSERT_NE(frame, w->geometry());   // the windows of this test have a frame
    EXPECT_TRUE(screenArea().contains(frame)) << frame.x() << "," << frame.y();
    EXPECT_LE((frame.center() - screenArea().center()).manhattanLength(), 8);
}

TEST(WindowPlacement, StoredLeftAndTopAreTheOuterCorner)
{
    CreateNewKey(Option);
    SetKeyValue(Option, QStringLiteral("MainLeft"), QString::number(100 * 15), REG_SZ);
    SetKeyValue(Option, QStringLiteral("MainTop"), QString::number(80 * 15), REG_SZ);
    auto w = startWindow();
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(100, 80));
    EXPECT_NE(w->geometry().topLeft(), QPoint(100, 80));

    w->move(300, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->frameGeometry().topLeft() == QPoint(300, 200); }, 10000));
    w->close();
    EXPECT_EQ(QueryValue(Option, QStringLiteral("MainLeft")).toString(), QString::number(300 * 15));
    EXPECT_EQ(QueryValue(Option, QStringLiteral("MainTop")).toString(), QString::number(200 * 15));
}

TEST(WindowPlacement, AStoredPlaceAboveTheScreenKeepsTheTitleBarInView)
{
    CreateNewKey(Option);
    SetKeyValue(Option, QStringLiteral("MainLeft"), QStringLiteral("0"), REG_SZ);
    SetKeyValue(Option, QStringLiteral("MainTop"), QStringLiteral("-300"), REG_SZ);
    auto w = startWindow();
    EXPECT_GE(w->frameGeometry().top(), screenArea().top());
    EXPECT_GE(w->frameGeometry().left(), screenArea().left());
}
