#include "controls/modKoUserControl.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace ardl;

namespace {

int Filtered(int code, int mode)
{
    FilterKeyAscii(code, mode);
    return code;
}

// Sets the locale the program runs in for one test.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(QLocale::system()); }
};

} // namespace

TEST(FilterKeyAscii, EachModeKeepsChangesOrDropsTheKey)
{
    struct Case { int code, mode, expected; };
    const Case cases[] = {
        {'a', KeyDigits, 0},  {8, KeyDigits, 8},   {'7', KeyDigits, '7'}, {'-', KeyDigits, 0},
        {22, KeyDigits, 0},   {-3, KeyDigits, 0},  // Ctrl+V, no character
        {'a', KeyUpperCase, 'A'}, {0xE9, KeyUpperCase, 0xC9}, {'%', KeyUpperCase, '%'},
        {'x', KeyFrenchDigits, 'x'},
        {'a', KeyNameText, 'A'}, {'\'', KeyNameText, ' '}, {',', KeyNameText, ' '}, {'%', KeyNameText, 0},
        {'-', KeyNameText, '-'}, {8, KeyNameText, 8},     {0xE9, KeyNameText, 0},
        {'%', 9, '%'},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Filtered(c.code, c.mode), c.expected) << c.code << " mode " << c.mode;

    QString digits;
    for (int code : std::initializer_list<int>{'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0})
        digits += QChar(Filtered(code, KeyFrenchDigits));
    EXPECT_EQ(digits, QStringLiteral("1234567890"));
}

TEST(FilterKeyAscii, DecimalModeKeepsTheUsersSeparatorOnly)
{
    {
        LocaleGuard french(QLocale(QLocale::French, QLocale::France));
        EXPECT_EQ(GetDecimalSeparator(), QStringLiteral(","));
        EXPECT_EQ(Filtered(',', KeyDecimal), ',');
        EXPECT_EQ(Filtered('.', KeyDecimal), 0);
    }
    LocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Filtered('.', KeyDecimal), '.');
    EXPECT_EQ(Filtered(',', KeyDecimal), 0);
    EXPECT_EQ(Filtered('5', KeyDecimal), '5');
    EXPECT_EQ(Filtered(8, KeyDecimal), 8);
}

TEST(SetFormTopMost, KeepsTheFormAboveWithoutMovingOrResizingIt)
{
    QWidget form(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    form.setGeometry(120, 130, 200, 40);
    SetFormTopMost(&form, true);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(form.geometry(), QRect(120, 130, 200, 40));

    SetFormTopMost(&form, false);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.geometry(), QRect(120, 130, 200, 40));
}

TEST(WaitWhileActiveForm, WaitsUntilTheFormClosesWhileEventsRun)
{
    QWidget form;
    WaitWhileActiveForm(&form);   // not active: returns at once
    WaitWhileActiveForm(nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Timer events run during the wait; the third one closes the form.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3)
            form.close();
    });
    ticker.start(10);
    WaitWhileActiveForm(&form);
    EXPECT_GE(ticks, 3);
    EXPECT_FALSE(form.isVisible());
}

TEST(WaitWhileActiveForm, EndsWhenAnotherWindowIsActivated)
{
    QWidget form, other;
    other.show();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTimer::singleShot(60, &other, [&] { other.activateWindow(); });
    WaitWhileActiveForm(&form);
    EXPECT_EQ(QApplication::activeWindow(), &other);
    EXPECT_TRUE(form.isVisible());
}

TEST(WaitForActivation, EndsWhenTheFormIsActiveOrGone)
{
    QWidget form;
    WaitForActivation(nullptr);
    WaitForActivation(&form);   // not shown: nothing to wait for
    form.show();
    form.activateWindow();
    WaitForActivation(&form);
    EXPECT_EQ(QApplication::activeWindow(), &form);

    // Never activated: the wait ends when the form goes.
    QWidget other;
    other.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // Whatever the window system still had to say about `other` is said.
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &form);
    QTimer::singleShot(60, &other, &QWidget::close);
    WaitForActivation(&other);
    EXPECT_FALSE(other.isVisible());
}
