#include "controls/ButtonWeb.h"
#include "controls/PropertyBag.h"
#include "support/TestSupport.h"

#include <QCursor>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace ardl;

namespace {

QPixmap Plain(Qt::GlobalColor color, QSize size = QSize(60, 24))
{
    QPixmap picture(size);
    picture.fill(color);
    return picture;
}

// Each picture is one plain colour, so the face tells which one it shows.
const QColor InColor(Qt::yellow), OutColor(Qt::blue), DownColor(Qt::red);

class ButtonWebTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        button = new ButtonWeb(&window);
        button->setGeometry(50, 50, 60, 24);
        button->setPictureIn(Plain(Qt::yellow));
        button->setPictureOut(Plain(Qt::blue));
        button->setPictureDown(Plain(Qt::red));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        pointerAway();
    }

    QColor face() const
    {
        const QPixmap shown = button->picButton->pixmap();
        return shown.isNull() ? QColor() : shown.toImage().pixelColor(0, 0);
    }
    bool faceBecomes(const QColor &color, int ms = 1000)
    {
        return QTest::qWaitFor([&] { return face() == color; }, ms);
    }
    void pointerTo(QPoint inButton)
    {
        QCursor::setPos(button->mapToGlobal(inButton));
        QCoreApplication::processEvents();
    }
    void pointerAway() { QCursor::setPos(window.mapToGlobal(QPoint(280, 190))); QCoreApplication::processEvents(); }

    QWidget window;
    ButtonWeb *button = nullptr;
};

} // namespace

TEST_F(ButtonWebTest, PressDragOutAndBackThenReleaseClicksOnce)
{
    QStringList events;
    QObject::connect(button, &ButtonWeb::MouseDown, [&] { events << QStringLiteral("MouseDown"); });
    QObject::connect(button, &ButtonWeb::MouseUp, [&] { events << QStringLiteral("MouseUp"); });
    QObject::connect(button, &ButtonWeb::Click, [&] { events << QStringLiteral("Click"); });

    QTest::mouseMove(button->picButton, QPoint(10, 10));
    EXPECT_EQ(face(), InColor);
    EXPECT_TRUE(button->isHovering());
    QTest::mousePress(button->picButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(face(), DownColor);
    pointerTo(QPoint(200, 10));
    EXPECT_TRUE(faceBecomes(OutColor));
    EXPECT_TRUE(button->isHovering());   // held: the hover goes on
    pointerTo(QPoint(20, 12));
    EXPECT_TRUE(faceBecomes(DownColor));
    QTest::mouseRelease(button->picButton, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_EQ(face(), InColor);
    EXPECT_EQ(events, (QStringList{"MouseDown", "MouseUp", "Click"}));
    EXPECT_FALSE(button->isPressed());

    // Resting on it keeps In, tick after tick; leaving ends the hover on the
    // next tick.
    QSignalSpy ticks(button->Timer, &QTimer::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 5000));
    EXPECT_EQ(face(), InColor);
    EXPECT_TRUE(button->isHovering());
    pointerAway();
    EXPECT_TRUE(faceBecomes(OutColor));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !button->Timer->isActive(); }, 1000));
    EXPECT_FALSE(button->isHovering());
}

TEST_F(ButtonWebTest, ReleaseOutsideShowsOutAndDoesNotClick)
{
    QSignalSpy clicks(button, &ButtonWeb::Click);
    QSignalSpy ups(button, &ButtonWeb::MouseUp);
    QTest::mouseMove(button->picButton, QPoint(5, 5));
    QTest::mousePress(button->picButton, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(face(), DownColor);
    pointerAway();
    QTest::mouseRelease(button->picButton, Qt::RightButton, {}, QPoint(200, 5));
    EXPECT_EQ(face(), OutColor);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !button->Timer->isActive(); }, 1000));
    EXPECT_EQ(face(), OutColor);
}

TEST_F(ButtonWebTest, ShowsItsRealFaceAfterAResize)
{
    QTest::mouseMove(button->picButton, QPoint(5, 5));
    ASSERT_EQ(face(), InColor);
    button->resize(80, 30);   // hovered still: In, not Out
    EXPECT_EQ(face(), InColor);
    EXPECT_EQ(button->picButton->size(), QSize(80, 30));
    pointerAway();
    EXPECT_TRUE(faceBecomes(OutColor));
    button->resize(60, 24);
    EXPECT_EQ(face(), OutColor);
}

TEST(ButtonWebProperties, SavedInOrderWithTheirDefaults)
{
    ButtonWeb button;
    EXPECT_EQ(button.MousePointer(), 99);
    PropertyBag defaults;
    button.WriteProperties(defaults);
    EXPECT_TRUE(defaults.Names().isEmpty());

    QSignalSpy changed(&button, &ButtonWeb::PropertyChanged);
    button.setEnabledState(false);
    button.setPictureDown(Plain(Qt::red));
    button.setPictureOut(Plain(Qt::blue));
    button.setPictureIn(Plain(Qt::yellow));
    button.setMouseIcon(Plain(Qt::green, QSize(16, 16)));
    button.setMousePointer(0);
    QStringList names;
    for (const QList<QVariant> &args : changed)
        names << args.at(0).toString();
    const QStringList order{"Enabled", "PictureDown", "PictureOut", "PictureIn", "MouseIcon", "MousePointer"};
    EXPECT_EQ(names, order);
    // The Out picture shows at once.
    EXPECT_EQ(button.picButton->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));

    PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), order);
    ButtonWeb loaded;
    loaded.ReadProperties(bag);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.MousePointer(), 0);
    EXPECT_EQ(loaded.PictureDown().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(loaded.picButton->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));

    // No stored pointer: the custom one, so the icon shows.
    PropertyBag iconOnly;
    iconOnly.WriteProperty(QStringLiteral("MouseIcon"), Plain(Qt::green, QSize(16, 16)));
    ButtonWeb withIcon;
    withIcon.ReadProperties(iconOnly);
    EXPECT_EQ(withIcon.MousePointer(), 99);
    EXPECT_EQ(withIcon.cursor().pixmap().toImage().pixelColor(0, 0), QColor(Qt::green));
}
