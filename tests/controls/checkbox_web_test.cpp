#include "controls/CheckBoxWeb.h"
#include "controls/PropertyBag.h"
#include "support/TestSupport.h"

#include <QCursor>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace ardl;

namespace {

QPixmap Plain(Qt::GlobalColor color)
{
    QPixmap picture(70, 52);
    picture.fill(color);
    return picture;
}

// Each of the four pictures is one plain colour, so the face tells which
// picture it shows.
const QColor CheckedInColor(Qt::red), CheckedOutColor(Qt::darkRed);
const QColor UnCheckedInColor(Qt::green), UnCheckedOutColor(Qt::darkGreen);

class CheckBoxWebTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        box = new CheckBoxWeb(&window);
        box->setGeometry(50, 50, 70, 52);
        box->setCheckedIn(Plain(Qt::red));
        box->setCheckedOut(Plain(Qt::darkRed));
        box->setUnCheckedIn(Plain(Qt::green));
        box->setUnCheckedOut(Plain(Qt::darkGreen));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        pointerAway();
    }

    QColor face() const
    {
        const QPixmap shown = box->picCheck->pixmap();
        return shown.isNull() ? QColor() : shown.toImage().pixelColor(0, 0);
    }
    // Deadlines are generous: a loaded machine may run the timer late.
    bool faceBecomes(const QColor &color, int ms = WaitMs)
    {
        return QTest::qWaitFor([&] { return face() == color; }, ms);
    }
    // Waits until the hover timer has fired `count` more times.
    bool ticksPass(int count)
    {
        QSignalSpy ticks(box->Timer, &QTimer::timeout);
        return QTest::qWaitFor([&] { return ticks.count() >= count; }, WaitMs);
    }
    static constexpr int WaitMs = 10000;
    void pointerOver(QPoint at = QPoint(10, 10)) { QTest::mouseMove(box->picCheck, at); }
    void pointerAway() { QCursor::setPos(window.mapToGlobal(QPoint(280, 190))); QCoreApplication::processEvents(); }

    QWidget window;
    CheckBoxWeb *box = nullptr;
};

} // namespace

TEST_F(CheckBoxWebTest, ReleaseInsideTogglesWithAnyButtonBeforeClick)
{
    QStringList events;
    QList<bool> checkedAtClick;
    QList<QList<float>> downArgs;
    QObject::connect(box, &CheckBoxWeb::MouseDown, [&](int b, int s, float x, float y) {
        events << QStringLiteral("MouseDown");
        downArgs << QList<float>{float(b), float(s), x, y};
    });
    QObject::connect(box, &CheckBoxWeb::MouseUp, [&] { events << QStringLiteral("MouseUp"); });
    QObject::connect(box, &CheckBoxWeb::Click, [&] {
        events << QStringLiteral("Click");
        checkedAtClick << box->Checked();
    });

    QTest::mouseClick(box->picCheck, Qt::LeftButton, {}, QPoint(10, 4));
    EXPECT_EQ(events, (QStringList{"MouseDown", "MouseUp", "Click"}));
    EXPECT_EQ(checkedAtClick, QList<bool>{true});
    EXPECT_EQ(face(), CheckedInColor);
    // Button 1, no keys, position in twips.
    EXPECT_EQ(downArgs.value(0), (QList<float>{1, 0, 150, 60}));

    QTest::mouseClick(box->picCheck, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(1, 1));
    QTest::mouseClick(box->picCheck, Qt::MiddleButton, {}, QPoint(1, 1));
    EXPECT_EQ(checkedAtClick, (QList<bool>{true, false, true}));
    EXPECT_EQ(downArgs.value(1), (QList<float>{2, 3, 15, 15}));
    EXPECT_EQ(downArgs.value(2).value(0), 4);
}

TEST_F(CheckBoxWebTest, PressInsideReleaseOutsideChangesNothing)
{
    QSignalSpy clicks(box, &CheckBoxWeb::Click);
    QSignalSpy ups(box, &CheckBoxWeb::MouseUp);
    QTest::mousePress(box->picCheck, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(box->isPressed());
    EXPECT_EQ(face(), UnCheckedInColor);
    // Just past the right edge: outside the control as it is now.
    QTest::mouseRelease(box->picCheck, Qt::LeftButton, {}, QPoint(70, 10));
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(box->isPressed());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(face(), UnCheckedOutColor);
}

TEST_F(CheckBoxWebTest, EveryReleaseOfADoubleClickTogglesAndClicks)
{
    QSignalSpy clicks(box, &CheckBoxWeb::Click);
    QTest::mouseClick(box->picCheck, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(box->picCheck, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(box->picCheck, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckBoxWebTest, FaceFollowsThePointerAndThePress)
{
    QSignalSpy moves(box, &CheckBoxWeb::MouseMove);
    pointerOver();
    EXPECT_GE(moves.count(), 1);
    EXPECT_TRUE(box->isHovering());
    EXPECT_EQ(box->Timer->interval(), 100);
    EXPECT_TRUE(box->Timer->isActive());
    EXPECT_EQ(face(), UnCheckedInColor);
    EXPECT_TRUE(box->InCheckBox());

    // Pressed and dragged out: Out while outside, still hovering; In again inside.
    QTest::mousePress(box->picCheck, Qt::LeftButton, {}, QPoint(10, 10));
    QCursor::setPos(window.mapToGlobal(QPoint(280, 10)));
    EXPECT_TRUE(faceBecomes(UnCheckedOutColor));
    ASSERT_TRUE(ticksPass(1));
    EXPECT_TRUE(box->isHovering());
    QCursor::setPos(box->mapToGlobal(QPoint(20, 20)));
    EXPECT_TRUE(faceBecomes(UnCheckedInColor));
    QTest::mouseRelease(box->picCheck, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(face(), CheckedInColor);

    // Leaving ends the hover on the next tick.
    pointerAway();
    EXPECT_TRUE(faceBecomes(CheckedOutColor));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box->Timer->isActive(); }, WaitMs));
    EXPECT_FALSE(box->isHovering());
    EXPECT_FALSE(box->InCheckBox());
}

TEST_F(CheckBoxWebTest, CheckedRepaintsOnTheNextTickOnlyWhenThePointerIsAway)
{
    EXPECT_EQ(face(), UnCheckedOutColor);   // shown unchecked, as it is
    box->setChecked(true);
    EXPECT_TRUE(box->Timer->isActive());
    EXPECT_EQ(face(), UnCheckedOutColor);   // not at once
    EXPECT_TRUE(faceBecomes(CheckedOutColor));
    box->setChecked(false);
    EXPECT_EQ(face(), CheckedOutColor);
    EXPECT_TRUE(faceBecomes(UnCheckedOutColor));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box->Timer->isActive(); }, WaitMs));

    // Resting on the control: the face waits until the pointer leaves.
    pointerOver();
    box->setChecked(true);
    ASSERT_TRUE(ticksPass(2));
    EXPECT_EQ(face(), UnCheckedInColor);
    pointerAway();
    EXPECT_TRUE(faceBecomes(CheckedOutColor));
}

TEST_F(CheckBoxWebTest, ALeaveEventCountsAsOutsideWhateverThePointerPositionSays)
{
    pointerOver();
    ASSERT_TRUE(box->isHovering());
    // A display server that reports no position outside the program: the
    // pointer seems to stay, but the control was told it left.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(box, &leave);
    EXPECT_FALSE(box->InCheckBox());
    EXPECT_TRUE(faceBecomes(UnCheckedOutColor));
    EXPECT_FALSE(box->isHovering());
    // Coming back in counts as inside again.
    pointerOver(QPoint(30, 30));
    EXPECT_TRUE(box->InCheckBox());
}

TEST_F(CheckBoxWebTest, SettersMarkTheirPropertyAndAUserToggleDoesNot)
{
    QSignalSpy changed(box, &CheckBoxWeb::PropertyChanged);
    box->setChecked(true);
    box->setEnabledState(true);
    box->setMousePointer(11);
    box->setCheckedIn(QPixmap());
    QStringList names;
    for (const QList<QVariant> &args : changed)
        names << args.at(0).toString();
    EXPECT_EQ(names, (QStringList{"Checked", "Enabled", "MousePointer", "CheckedIn"}));
    EXPECT_TRUE(box->CheckedIn().isNull());

    changed.clear();
    QTest::mouseClick(box->picCheck, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(changed.count(), 0);
    // An empty picture gives an empty face for its state.
    QTest::mouseClick(box->picCheck, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->picCheck->pixmap().isNull());
}

TEST(CheckBoxWebProperties, SavedInOrderWithTheirDefaults)
{
    CheckBoxWeb box;
    PropertyBag defaults;
    box.WriteProperties(defaults);
    EXPECT_TRUE(defaults.Names().isEmpty());

    box.setEnabledState(false);
    box.setMousePointer(99);
    box.setMouseIcon(Plain(Qt::blue));
    box.setCheckedIn(Plain(Qt::red));
    box.setCheckedOut(Plain(Qt::darkRed));
    box.setUnCheckedIn(Plain(Qt::green));
    box.setUnCheckedOut(Plain(Qt::darkGreen));
    PropertyBag bag;
    box.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"Enabled", "MousePointer", "MouseIcon", "CheckedIn", "CheckedOut",
                                        "UnCheckedIn", "UnCheckedOut"}));

    // Loaded, it shows the face of the state it was saved in, and so it does
    // after a resize.
    CheckBoxWeb loaded;
    loaded.ReadProperties(bag);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.cursor().pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_FALSE(loaded.Checked());
    EXPECT_EQ(loaded.UnCheckedIn().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(loaded.picCheck->pixmap().toImage().pixelColor(0, 0), QColor(Qt::darkGreen));
    EXPECT_FALSE(loaded.Timer->isActive());
    loaded.show();
    loaded.resize(90, 60);
    EXPECT_EQ(loaded.picCheck->pixmap().toImage().pixelColor(0, 0), QColor(Qt::darkGreen));

    box.setChecked(true);
    PropertyBag checkedBag;
    box.WriteProperties(checkedBag);
    CheckBoxWeb checkedLoaded;
    checkedLoaded.ReadProperties(checkedBag);
    EXPECT_EQ(checkedLoaded.picCheck->pixmap().toImage().pixelColor(0, 0), QColor(Qt::darkRed));
}
