#include "controls/modKoUserControl.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
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

TEST(FilterKeyAscii, DigitsOnlyKeepsDigitsAndBackspace)
{
    EXPECT_EQ(Filtered('a', KeyDigits), 0);
    EXPECT_EQ(Filtered(8, KeyDigits), 8);
    EXPECT_EQ(Filtered('7', KeyDigits), '7');
    EXPECT_EQ(Filtered('-', KeyDigits), 0);
    EXPECT_EQ(Filtered(22, KeyDigits), 0);   // Ctrl+V
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

TEST(FilterKeyAscii, UpperCaseFrenchRowAndNameModes)
{
    EXPECT_EQ(Filtered('a', KeyUpperCase), 'A');
    EXPECT_EQ(Filtered(0xE9, KeyUpperCase), 0xC9);   // é to É
    EXPECT_EQ(Filtered('%', KeyUpperCase), '%');

    const int row[] = {'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0};
    QString digits;
    for (int code : row)
        digits += QChar(Filtered(code, KeyFrenchDigits));
    EXPECT_EQ(digits, QStringLiteral("1234567890"));
    EXPECT_EQ(Filtered('x', KeyFrenchDigits), 'x');

    EXPECT_EQ(Filtered('a', KeyNameText), 'A');
    EXPECT_EQ(Filtered('\'', KeyNameText), ' ');
    EXPECT_EQ(Filtered(',', KeyNameText), ' ');
    EXPECT_EQ(Filtered('%', KeyNameText), 0);
    EXPECT_EQ(Filtered('-', KeyNameText), '-');
    EXPECT_EQ(Filtered(8, KeyNameText), 8);
    EXPECT_EQ(Filtered(0xE9, KeyNameText), 0);

    EXPECT_EQ(Filtered('%', 9), '%');
    EXPECT_EQ(Filtered(-3, KeyDigits), 0);
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

TEST(WaitWhileActiveForm, ReturnsAtOnceForAFormThatIsNotActive)
{
    QWidget form;
    QElapsedTimer clock;
    clock.start();
    WaitWhileActiveForm(&form);
    WaitWhileActiveForm(nullptr);
    EXPECT_LT(clock.elapsed(), 50);
}

TEST(WaitWhileActiveForm, WaitsUntilTheFormClosesWhileEventsRun)
{
    QWidget form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QTimer::singleShot(120, &form, &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    WaitWhileActiveForm(&form);
    EXPECT_GE(clock.elapsed(), 100);
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
