#include "controls/PropertyBag.h"
#include "controls/SpinButtons.h"
#include "controls/UpDownSlide.h"
#include "controls/frmSlide.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QPointer>
#include <QWindow>

using namespace ardl;

namespace {

class UpDownSlideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(400, 200);
        uds = new UpDownSlide(&window);
        uds->setGeometry(100, 40, 120, 34);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { frmSlide::Unload(); }

    QString text() const { return uds->txtUpDown->text(); }
    void type(const QString &keys)
    {
        uds->txtUpDown->setFocus();
        QTest::keyClicks(uds->txtUpDown, keys);
    }

    QWidget window;
    UpDownSlide *uds = nullptr;
};

} // namespace

TEST_F(UpDownSlideTest, NewControlCountsFromZeroToAHundred)
{
    EXPECT_EQ(uds->Min(), 0);
    EXPECT_EQ(uds->Max(), 100);
    EXPECT_EQ(uds->Value(), 0);
    EXPECT_EQ(text(), QStringLiteral("0"));
    for (const char *name : {"txtUpDown", "UpDown", "picBouton", "picUp", "picDown", "PBUpDown"})
        EXPECT_NE(uds->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;

    PropertyBag bag;
    uds->WriteProperties(bag);
    EXPECT_TRUE(bag.Names().isEmpty());
    UpDownSlide loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ((QList<int>{loaded.Min(), loaded.Max(), loaded.Value()}), (QList<int>{0, 100, 0}));
}

TEST_F(UpDownSlideTest, OnlyDigitsAndBackspaceCanBeTyped)
{
    type(QStringLiteral("a-.,+ e"));
    EXPECT_EQ(text(), QStringLiteral("0"));
    uds->txtUpDown->selectAll();
    type(QStringLiteral("4x2"));
    EXPECT_EQ(text(), QStringLiteral("42"));
    EXPECT_EQ(uds->Value(), 42);
    EXPECT_EQ(uds->PBUpDown->value(), 42);
    QTest::keyClick(uds->txtUpDown, Qt::Key_Backspace);
    EXPECT_EQ(text(), QStringLiteral("4"));
    // Emptying the box shows 0.
    QTest::keyClick(uds->txtUpDown, Qt::Key_Backspace);
    EXPECT_EQ(text(), QStringLiteral("0"));
    EXPECT_EQ(uds->Value(), 0);
    QTest::keyClick(uds->txtUpDown, Qt::Key_Up);
    EXPECT_EQ(uds->Value(), 1);
    EXPECT_EQ(text(), QStringLiteral("1"));
}

// Focus keys and the edit shortcuts are no characters: they work as in any
// other text box, while typed characters stay filtered.
TEST_F(UpDownSlideTest, TabAndEditShortcutsPassTheDigitFilter)
{
    auto *second = new UpDownSlide(&window);
    auto *after = new QLineEdit(&window);
    second->setGeometry(100, 90, 120, 34);
    after->setGeometry(100, 140, 120, 24);
    second->show();
    after->show();
    uds->txtUpDown->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return uds->txtUpDown->hasFocus(); }, 10000));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second->txtUpDown);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), second->txtUpDown);

    uds->setValue(57);
    uds->txtUpDown->setFocus();
    QTest::keyClick(uds->txtUpDown, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(uds->txtUpDown->selectedText(), QStringLiteral("57"));
    QTest::keyClick(uds->txtUpDown, Qt::Key_C, Qt::ControlModifier);
    second->txtUpDown->setFocus();
    second->txtUpDown->selectAll();
    QTest::keyClick(second->txtUpDown, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(second->Value(), 57);
    QTest::keyClick(second->txtUpDown, Qt::Key_Home);
    QTest::keyClick(second->txtUpDown, Qt::Key_Delete);
    EXPECT_EQ(second->txtUpDown->text(), QStringLiteral("7"));
    EXPECT_EQ(second->Value(), 7);
    QTest::keyClick(second->txtUpDown, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(second->Value(), 57);
}

TEST_F(UpDownSlideTest, TextOutsideTheRangeIsPulledToTheBound)
{
    uds->setMax(10);
    uds->txtUpDown->setText(QStringLiteral("57"));
    EXPECT_EQ(text(), QStringLiteral("10"));
    EXPECT_EQ(uds->Value(), 10);

    uds->setMin(5);
    uds->txtUpDown->setText(QStringLiteral("2"));
    EXPECT_EQ(text(), QStringLiteral("5"));
    uds->txtUpDown->clear();
    EXPECT_EQ(text(), QStringLiteral("5"));
    EXPECT_EQ(uds->Value(), 5);

    // Pasted text that is no number in range.
    uds->txtUpDown->setText(QStringLiteral("99999999999999999999"));
    EXPECT_EQ(text(), QStringLiteral("10"));
    uds->setMin(0);
    uds->txtUpDown->setText(QStringLiteral("7abc"));
    EXPECT_EQ(text(), QStringLiteral("0"));
    EXPECT_EQ(uds->Value(), 0);
    // A number typed with leading zeros stays as typed.
    uds->txtUpDown->setText(QStringLiteral("007"));
    EXPECT_EQ(text(), QStringLiteral("007"));
    EXPECT_EQ(uds->Value(), 7);
}

TEST_F(UpDownSlideTest, BoundsStayOrderedSoTheTextSettles)
{
    uds->setMax(10);
    uds->setMin(50);
    EXPECT_EQ(uds->Min(), 50);
    EXPECT_EQ(uds->Max(), 50);
    EXPECT_EQ(uds->Value(), 50);
    EXPECT_EQ(text(), QStringLiteral("50"));
    uds->txtUpDown->setText(QStringLiteral("3"));
    EXPECT_EQ(text(), QStringLiteral("50"));

    uds->setMax(-5);
    EXPECT_EQ(uds->Min(), -5);
    EXPECT_EQ(uds->Value(), -5);
    EXPECT_EQ(text(), QStringLiteral("-5"));
    EXPECT_EQ(uds->PBUpDown->minimum(), -5);
    EXPECT_EQ(uds->PBUpDown->maximum(), -5);

    uds->setValue(1000);
    EXPECT_EQ(uds->Value(), -5);
}

TEST_F(UpDownSlideTest, TheSpinnerWritesIntoTheTextBox)
{
    uds->setValue(99);
    EXPECT_EQ(text(), QStringLiteral("99"));
    QTest::mouseClick(uds->UpDown->cmdUp, Qt::LeftButton);
    QTest::mouseClick(uds->UpDown->cmdUp, Qt::LeftButton);
    EXPECT_EQ(uds->Value(), 100);
    EXPECT_EQ(text(), QStringLiteral("100"));
    QTest::mouseClick(uds->UpDown->cmdDown, Qt::LeftButton);
    EXPECT_EQ(text(), QStringLiteral("99"));
    EXPECT_EQ(uds->PBUpDown->value(), 99);
}

TEST_F(UpDownSlideTest, TheSlideMapsTheDragOntoMinToMax)
{
    uds->setMax(110);
    uds->setMin(10);
    uds->setValue(20);
    QLabel *button = uds->picBouton;
    const QPoint pressAt(3, 5);
    QTest::mousePress(button, Qt::LeftButton, {}, pressAt);
    frmSlide *slide = frmSlide::Instance();
    ASSERT_NE(slide, nullptr);
    EXPECT_TRUE(uds->isDragging());
    EXPECT_TRUE(slide->isVisible());
    // A tool window that stays on top, not a pop-up that would take the mouse.
    EXPECT_TRUE(slide->windowFlags().testFlag(Qt::Tool));
    EXPECT_NE(slide->windowType(), Qt::Popup);
    EXPECT_TRUE(slide->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(slide->size(), QSize(182, 25));
    const QPoint buttonCorner = button->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(slide->pos(), QPoint(buttonCorner.x() - 91, buttonCorner.y() + uds->height()));
    EXPECT_EQ(slide->Slider->minimum(), 10);
    EXPECT_EQ(slide->Slider->maximum(), 110);
    EXPECT_EQ(slide->Slider->value(), 20);
    EXPECT_EQ(slide->Slider->tickInterval(), 10);
    EXPECT_EQ(button->pixmap().toImage(), uds->picDown->pixmap().toImage());

    auto dragTo = [&](int screenX) {
        QTest::mouseMove(button, button->mapFromGlobal(QPoint(screenX, buttonCorner.y() + 5)));
        return uds->Value();
    };
    const int left = slide->x();
    EXPECT_EQ(dragTo(left), 10);
    EXPECT_EQ(dragTo(left + 91), 60);
    EXPECT_EQ(slide->Slider->value(), 60);
    EXPECT_EQ(text(), QStringLiteral("60"));
    EXPECT_EQ(dragTo(left + 182), 110);
    EXPECT_EQ(dragTo(left + 500), 110);
    EXPECT_EQ(dragTo(left - 50), 10);

    QTest::mouseRelease(button, Qt::LeftButton, {}, pressAt);
    EXPECT_FALSE(uds->isDragging());
    EXPECT_EQ(frmSlide::Instance(), nullptr);
    EXPECT_FALSE(slide->isVisible());
    EXPECT_EQ(button->pixmap().toImage(), uds->picUp->pixmap().toImage());
    EXPECT_EQ(uds->Value(), 10);
}

TEST_F(UpDownSlideTest, HeightIsFixedAndWidthHasAFloor)
{
    uds->resize(20, 100);
    EXPECT_EQ(uds->size(), QSize(41, 34));
    uds->resize(300, 10);
    EXPECT_EQ(uds->height(), 34);
    EXPECT_EQ(uds->picBouton->geometry().right(), 299);
    EXPECT_EQ(uds->PBUpDown->geometry(), QRect(0, 23, 300, 11));
}

TEST(UpDownSlideProperties, SavedAsMaxMinValue)
{
    UpDownSlide a;
    a.setMax(500);
    a.setMin(-20);
    a.setValue(-3);
    PropertyBag bag;
    a.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"Max", "Min", "Value"}));
    UpDownSlide b;
    b.ReadProperties(bag);
    EXPECT_EQ((QList<int>{b.Min(), b.Max(), b.Value()}), (QList<int>{-20, 500, -3}));
    EXPECT_EQ(b.PBUpDown->minimum(), -20);
    EXPECT_EQ(b.PBUpDown->value(), -3);
    EXPECT_EQ(b.txtUpDown->text(), QStringLiteral("-3"));
}

TEST_F(UpDownSlideTest, ASlideEndsWhenTheControlIsDisabledMeanwhile)
{
    QLabel *button = uds->picBouton;
    QWindow *w = window.windowHandle();
    const QPoint at = button->mapTo(&window, QPoint(3, 5));
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    ASSERT_TRUE(uds->isDragging());
    QPointer<frmSlide> slide = frmSlide::Instance();
    ASSERT_FALSE(slide.isNull());
    // Its page starts a run: the release goes nowhere.
    window.setEnabled(false);
    EXPECT_FALSE(uds->isDragging());
    EXPECT_EQ(frmSlide::Instance(), nullptr);
    EXPECT_TRUE(slide.isNull() || !slide->isVisible());
    EXPECT_EQ(button->pixmap().toImage(), uds->picUp->pixmap().toImage());
    QTest::mouseMove(w, at + QPoint(300, 0));
    QTest::mouseRelease(w, Qt::LeftButton, {}, at + QPoint(300, 0));
    EXPECT_EQ(uds->Value(), 0);
}
