#include "controls/ColorChooser.h"
#include "controls/PropertyBag.h"
#include "controls/frmColor.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace ardl;

namespace {

constexpr OleColor Orange = 0x0080FF;   // RGB FF8000, swatch 14
constexpr int OrangeSwatch = 14;

QStringList Names(const QSignalSpy &spy)
{
    QStringList names;
    for (const QList<QVariant> &args : spy)
        names << args.at(0).toString();
    return names;
}

// The pointer moving over `widget`: sent to it straight, since the test
// platform hands a pointer move to the first window under it, which need not
// be the pop-up on top.
void MoveOver(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, widget->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class ColorChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 400);
        chooser = new ColorChooser(&window);
        chooser->move(40, 30);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Presses the face; while the pop-up is open (and active), releases the
    // button and runs `inPopup`. Returns once the press handler is done.
    void PressAndUse(const std::function<void(frmColor *)> &inPopup)
    {
        bool ran = false;
        QTimer::singleShot(0, chooser, [&] {
            const bool active = QTest::qWaitFor(
                [] { return frmColor::Instance() && QApplication::activeWindow() == frmColor::Instance(); }, 3000);
            EXPECT_TRUE(active);
            swatchAtPress = chooser->picColor->pos();
            QTest::mouseRelease(chooser->picBouton, Qt::LeftButton, {}, QPoint(5, 5));
            if (active) {
                ran = true;
                inPopup(frmColor::Instance());
            }
            // Whatever happened, nothing is left open to hang the test.
            if (!QTest::qWaitFor([] { return !frmColor::Instance(); }, 3000))
                frmColor::Unload();
        });
        QTest::mousePress(chooser->picBouton, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(ran);
    }

    QWidget window;
    ColorChooser *chooser = nullptr;
    QPoint swatchAtPress;
};

} // namespace

TEST(ColorChooserColor, BackColorRewritesHtmlColorAndHtmlColorLeavesTheColour)
{
    ColorChooser chooser;
    QSignalSpy changed(&chooser, &ColorChooser::PropertyChanged);
    QSignalSpy picked(&chooser, &ColorChooser::ColorClick);
    chooser.setBackColor(Orange);
    EXPECT_EQ(chooser.BackColor(), Orange);
    EXPECT_EQ(chooser.HTMLColor(), QStringLiteral("FF8000"));
    EXPECT_EQ(chooser.picColor->palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x00));
    EXPECT_EQ(Names(changed), (QStringList{"BackColor", "HTMLColor"}));
    chooser.setBackColor(0x0000FF);
    EXPECT_EQ(chooser.HTMLColor(), QStringLiteral("FF0000"));
    chooser.setBackColor(0x000001);
    EXPECT_EQ(chooser.HTMLColor(), QStringLiteral("010000"));
    EXPECT_EQ(picked.count(), 0);

    changed.clear();
    chooser.setHTMLColor(QStringLiteral("abc"));
    EXPECT_EQ(chooser.HTMLColor(), QStringLiteral("abc"));
    EXPECT_EQ(chooser.BackColor(), 0x000001u);
    EXPECT_EQ(Names(changed), QStringList{"HTMLColor"});
}

TEST(ColorChooserColor, ASystemColourBecomesItsRealColour)
{
    const QColor window = QApplication::palette().color(QPalette::Base);
    const OleColor windowBgr = window.red() | window.green() << 8 | window.blue() << 16;
    ColorChooser chooser;   // a new control starts with the window colour
    EXPECT_EQ(chooser.BackColor(), windowBgr);
    EXPECT_EQ(chooser.HTMLColor(), window.name().mid(1).toUpper());

    chooser.setBackColor(Orange);
    chooser.setBackColor(0x80000005);
    EXPECT_EQ(chooser.BackColor(), windowBgr);
    EXPECT_EQ(chooser.HTMLColor(), window.name().mid(1).toUpper());
    const QColor face = QApplication::palette().color(QPalette::Button);
    chooser.setBackColor(0x8000000F);
    EXPECT_EQ(chooser.picColor->palette().color(QPalette::Window), face);
    EXPECT_EQ(chooser.HTMLColor(), face.name().mid(1).toUpper());

    // Neither a colour nor a known system colour: nothing changes.
    QSignalSpy changed(&chooser, &ColorChooser::PropertyChanged);
    for (OleColor bad : {0x01000005u, 0x80000019u, 0x80000100u, 0xFFFFFFFFu})
        chooser.setBackColor(bad);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(chooser.HTMLColor(), face.name().mid(1).toUpper());
}

TEST(ColorChooserColor, SavedPropertiesComeBackAndReadingMarksNothing)
{
    ColorChooser chooser;
    PropertyBag defaults;
    chooser.WriteProperties(defaults);
    EXPECT_TRUE(defaults.Names().isEmpty());

    chooser.setBackColor(Orange);
    chooser.setEnabledState(false);
    chooser.setHTMLColor(QStringLiteral("123456"));
    PropertyBag bag;
    chooser.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"BackColor", "Enabled", "HTMLColor"}));

    ColorChooser loaded;
    QSignalSpy changed(&loaded, &ColorChooser::PropertyChanged);
    loaded.ReadProperties(bag);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(loaded.BackColor(), Orange);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.HTMLColor(), QStringLiteral("123456"));

    // A stored system colour is read as its real colour, HTMLColor matching.
    PropertyBag system;
    system.WriteProperty(QStringLiteral("BackColor"), 0x8000000Fu);
    loaded.ReadProperties(system);
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(loaded.picColor->palette().color(QPalette::Window), face);
    EXPECT_EQ(loaded.HTMLColor(), face.name().mid(1).toUpper());
    EXPECT_TRUE(loaded.Enabled());
}

TEST_F(ColorChooserTest, PickingASwatchSetsTheColourOnceAndTheSameSwatchAgainDoesNothing)
{
    QSignalSpy picked(chooser, &ColorChooser::ColorClick);
    QSignalSpy clicks(chooser, &ColorChooser::Click);
    chooser->setBackColor(0x123456);   // not in the palette
    PressAndUse([&](frmColor *popup) {
        // Just below the control, aligned with its left edge.
        EXPECT_EQ(popup->geometry().topLeft(), chooser->mapToGlobal(QPoint(0, chooser->height())));
        EXPECT_EQ(popup->size(), QSize(frmColor::FormWidth, frmColor::FormHeight));
        // Not in the palette: no frame until the pointer is over a swatch.
        for (QFrame *frame : popup->picColorSelect)
            EXPECT_FALSE(frame->isVisible());
        MoveOver(popup->picColor[7]);
        EXPECT_TRUE(popup->picColorSelect[7]->isVisible());
        MoveOver(popup->picColor[OrangeSwatch]);
        EXPECT_FALSE(popup->picColorSelect[7]->isVisible());
        EXPECT_TRUE(popup->picColorSelect[OrangeSwatch]->isVisible());
        QTest::mouseClick(popup->picColor[OrangeSwatch], Qt::LeftButton);
    });
    EXPECT_EQ(swatchAtPress, QPoint(4, 4));   // the swatch sinks while pressed
    EXPECT_EQ(chooser->picColor->pos(), QPoint(3, 3));
    EXPECT_EQ(frmColor::Instance(), nullptr);
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(chooser->BackColor(), Orange);
    EXPECT_EQ(chooser->HTMLColor(), QStringLiteral("FF8000"));

    PressAndUse([&](frmColor *popup) {
        // The colour shown has its frame from the start.
        EXPECT_EQ(popup->SelectedIndex, OrangeSwatch);
        EXPECT_TRUE(popup->picColorSelect[OrangeSwatch]->isVisible());
        QTest::mouseClick(popup->picColor[OrangeSwatch], Qt::LeftButton);
    });
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(chooser->BackColor(), Orange);
}

TEST_F(ColorChooserTest, ClosingOrClickingElsewhereChangesNothing)
{
    QSignalSpy picked(chooser, &ColorChooser::ColorClick);
    chooser->setBackColor(Orange);
    PressAndUse([&](frmColor *popup) {
        // Moving over a swatch is no pick.
        MoveOver(popup->picColor[0]);
        QTest::mouseClick(popup->cmdClose, Qt::LeftButton);
    });
    PressAndUse([&](frmColor *) {
        window.activateWindow();
        // The pop-up closes itself within its 300 ms tick.
        EXPECT_TRUE(QTest::qWaitFor([] { return !frmColor::Instance(); }, 1000));
    });
    EXPECT_EQ(picked.count(), 0);
    EXPECT_EQ(chooser->BackColor(), Orange);
    EXPECT_EQ(chooser->HTMLColor(), QStringLiteral("FF8000"));
}

TEST_F(ColorChooserTest, KeepsItsSizeAndClosesItsPopUpWhenItGoes)
{
    chooser->resize(200, 100);
    EXPECT_EQ(chooser->size(), QSize(50, 22));
    PressAndUse([&](frmColor *) {
        delete chooser;
        chooser = nullptr;
        EXPECT_EQ(frmColor::Instance(), nullptr);
    });
}
