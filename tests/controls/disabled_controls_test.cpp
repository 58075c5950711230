#include "controls/ButtonWeb.h"
#include "controls/CheckBoxWeb.h"
#include "controls/ColorChooser.h"
#include "controls/UpDownSlide.h"
#include "controls/frmColor.h"
#include "controls/frmSlide.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace ardl;

namespace {

// Presses and releases at `at` inside `control` through its window, as the
// window system delivers a click: event filters see it even on a disabled
// widget.
void clickThroughTheWindow(QWidget *window, QWidget *control, QPoint at = QPoint(5, 5))
{
    const QPoint inWindow = control->mapTo(window, at);
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, inWindow);
    QTest::mouseMove(window->windowHandle(), inWindow + QPoint(150, 0));
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, inWindow);
}

} // namespace

// A control whose page or frame is disabled takes no mouse input: no toggle,
// no Click, no pop-up and no new value.
TEST(DisabledControls, TakeNoMouseInput)
{
    QWidget window;
    window.resize(500, 300);
    auto *frame = new QWidget(&window);
    frame->setGeometry(0, 0, 500, 300);
    auto *box = new CheckBoxWeb(frame);
    box->setGeometry(10, 10, 70, 52);
    auto *button = new ButtonWeb(frame);
    button->setGeometry(100, 10, 70, 52);
    auto *color = new ColorChooser(frame);
    color->move(200, 10);
    auto *spinner = new UpDownSlide(frame);
    spinner->setGeometry(10, 100, 120, 34);
    spinner->setValue(20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    frame->setEnabled(false);

    QSignalSpy boxClicks(box, &CheckBoxWeb::Click);
    QSignalSpy buttonClicks(button, &ButtonWeb::Click);
    clickThroughTheWindow(&window, box);
    clickThroughTheWindow(&window, button);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(boxClicks.count(), 0);
    EXPECT_EQ(buttonClicks.count(), 0);

    // An open colour pop-up would hold the click in its own event loop: a
    // timer set beforehand notes it and closes it.
    bool timerRan = false, colourPopupOpened = false;
    QTimer::singleShot(0, [&] {
        timerRan = true;
        colourPopupOpened = frmColor::Instance() != nullptr;
        frmColor::Unload();
    });
    clickThroughTheWindow(&window, color);
    ASSERT_TRUE(QTest::qWaitFor([&] { return timerRan; }, 10000));
    EXPECT_FALSE(colourPopupOpened);

    clickThroughTheWindow(&window, spinner, spinner->picBouton->mapTo(spinner, QPoint(3, 5)));
    EXPECT_EQ(frmSlide::Instance(), nullptr);
    EXPECT_FALSE(spinner->isDragging());
    EXPECT_EQ(spinner->Value(), 20);

    // Enabled again, the same clicks work.
    frame->setEnabled(true);
    clickThroughTheWindow(&window, box);
    clickThroughTheWindow(&window, button);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(boxClicks.count(), 1);
    EXPECT_EQ(buttonClicks.count(), 1);
    frmSlide::Unload();
}
