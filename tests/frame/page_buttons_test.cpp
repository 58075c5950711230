#include "frame/frmDirEvaVezi.h"
#include "frame/frmAbout.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/LateBound.h"
#include "platform/settings/modRegistry.h"
#include "rename/ui/RenamePage.h"
#include "split/ui/SplitPage.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace ardl;

namespace {

class PageButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = std::make_unique<frmDirEvaVezi>();
        w->Form_Load();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    static QWidget *face(QWidget *button) { return button->findChild<QWidget *>(QStringLiteral("picCheck")); }
    static void click(QWidget *button) { QTest::mouseClick(face(button), Qt::LeftButton, {}, QPoint(5, 5)); }
    static bool checked(QWidget *button) { return GetProp(button, "Checked").toBool(); }
    QStringList checkedButtons() const
    {
        QStringList names;
        for (QWidget *button : w->columnButtons()) {
            if (checked(button))
                names << button->objectName();
        }
        return names;
    }
    QList<int> visiblePages() const
    {
        QList<int> shown;
        for (int i = 0; i <= 5; ++i) {
            if (w->page(i)->isVisible())
                shown << i;
        }
        return shown;
    }

    ScriptedPrompter answers;
    ScopedPrompter usingAnswers{answers};
    std::unique_ptr<frmDirEvaVezi> w;
};

} // namespace

TEST_F(PageButtonsTest, LoadGivesEveryButtonItsPicturesAndChecksRenameOnly)
{
    const QStringList names{"CBWRename", "CBWUndo", "CBWSplit", "CBWSync", "CBWZip",
                            "CBWMp3",    "CBWHelp", "CBWAbout", "CBWExit"};
    QStringList found;
    for (QWidget *button : w->columnButtons()) {
        found << button->objectName();
        EXPECT_EQ(button->parentWidget(), w->picList);
        EXPECT_EQ(button->size(), QSize(70, 52));
        for (const char *picture : {"CheckedIn", "CheckedOut", "UnCheckedIn", "UnCheckedOut"})
            EXPECT_FALSE(GetProp(button, picture).value<QPixmap>().isNull()) << picture;
        // A checked button looks the same with or without the pointer.
        EXPECT_EQ(GetProp(button, "CheckedIn").value<QPixmap>().toImage(),
                  GetProp(button, "CheckedOut").value<QPixmap>().toImage());
    }
    EXPECT_EQ(found, names);
    EXPECT_EQ(checkedButtons(), QStringList{"CBWRename"});
    const QImage renameFace = QPixmap(QStringLiteral(":/bitmaps/BTN_RENAME_SELECT.png")).toImage();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return face(w->CBWRename)->grab().toImage().convertToFormat(renameFace.format()) == renameFace; },
        1000));
    EXPECT_TRUE(answers.asked.empty());
}

TEST_F(PageButtonsTest, EachPageButtonShowsItsPageAndIsTheOnlyOneChecked)
{
    SetProp(w->CBWHelp, "Checked", true);
    click(w->CBWSplit);
    EXPECT_EQ(w->CurrentPage, 2);
    EXPECT_EQ(visiblePages(), QList<int>{2});
    EXPECT_EQ(checkedButtons(), QStringList{"CBWSplit"});
    EXPECT_EQ(w->picSplit->geometry().right(), w->centralWidget()->width() - 1);

    // Clicking the current page's button keeps it checked and the page shown.
    click(w->CBWSplit);
    EXPECT_EQ(w->CurrentPage, 2);
    EXPECT_EQ(visiblePages(), QList<int>{2});
    EXPECT_EQ(checkedButtons(), QStringList{"CBWSplit"});

    for (int i = 0; i <= 5; ++i) {
        click(w->pageButton(i));
        EXPECT_EQ(w->CurrentPage, i);
        EXPECT_EQ(visiblePages(), QList<int>{i});
        EXPECT_EQ(checkedButtons(), QStringList{w->pageButton(i)->objectName()});
        EXPECT_TRUE(w->page(i)->isEnabled());
    }
}

TEST_F(PageButtonsTest, HelpAndAboutLeaveThePageButtonAsItWas)
{
    click(w->CBWSplit);
    click(w->CBWHelp);
    // No browser here: the help file's own message says so.
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_TRUE(answers.asked[0].text.contains(QStringLiteral("ardl.html")));
    EXPECT_EQ(checkedButtons(), QStringList{"CBWSplit"});
    EXPECT_EQ(w->CurrentPage, 2);
    EXPECT_EQ(visiblePages(), QList<int>{2});

    // The About box, modal over the window, the same each time it opens;
    // OK closes it.
    for (int opening = 0; opening < 2; ++opening) {
        QStringList seen;
        QTimer::singleShot(0, w.get(), [&] {
            EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 2000));
            auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            if (!about)
                return;
            seen << about->windowTitle() << about->lblTitle->text() << about->lblC->text();
            EXPECT_EQ(about->parentWidget(), w.get());
            EXPECT_TRUE(GetProp(w->CBWAbout, "Checked").toBool());
            QTest::mouseClick(about->cmdOk, Qt::LeftButton);
        });
        click(w->CBWAbout);
        EXPECT_EQ(seen, (QStringList{"About Ardelune", "Ardelune v2.0.0", QStringLiteral("\u00A9")}));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(w->findChildren<frmAbout *>().size(), 0);
    }
    EXPECT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(checkedButtons(), QStringList{"CBWSplit"});
    EXPECT_EQ(visiblePages(), QList<int>{2});
}

TEST_F(PageButtonsTest, HoverTextStaysUntilAnotherReplacesIt)
{
    QTest::mouseMove(face(w->CBWSync), QPoint(10, 10));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Allow to Synchronize Directory"));
    // CBWZip has no hover text: the last one stands, and after leaving too.
    QTest::mouseMove(face(w->CBWZip), QPoint(10, 10));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Allow to Synchronize Directory"));
    QCursor::setPos(w->geometry().bottomRight() + QPoint(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->StatusText(), QStringLiteral("Allow to Synchronize Directory"));

    const QPoint pageCorner(w->picRename->width() - 10, w->picRename->height() - 10);
    QTest::mouseMove(w->picRename, pageCorner);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Press F1 for Help"));

    QTest::mouseMove(face(w->CBWExit), QPoint(10, 10));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Quit Ardelune"));
    click(w->CBWSplit);
    QTest::mouseMove(w->picSplit, QPoint(w->picSplit->width() - 2, w->picSplit->height() - 2));   // below cmdSplit
    EXPECT_EQ(w->StatusText(), QStringLiteral("Quit Ardelune"));
}

TEST_F(PageButtonsTest, CommandButtonsKeepToTheBottomOfTheColumn)
{
    for (const QSize size : {QSize(900, 640), QSize(1000, 777)}) {
        w->resize(size);
        QCoreApplication::processEvents();
        const int column = w->picList->height();
        EXPECT_EQ(column, w->centralWidget()->height());
        EXPECT_EQ(w->CBWExit->y(), column - 58);
        EXPECT_EQ(w->CBWAbout->y(), w->CBWExit->y() - 53);
        EXPECT_EQ(w->CBWHelp->y(), w->CBWAbout->y() - 53);
        for (int i = 0; i <= 5; ++i)
            EXPECT_EQ(w->pageButton(i)->y(), 8 + 53 * i);
    }
}

TEST_F(PageButtonsTest, ExitClosesTheWindowAndSavesItsPlacement)
{
    click(w->CBWExit);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QueryValue(ProgramKey + QStringLiteral("Option"), QStringLiteral("MainWidth")).isMissing());
}

namespace {

// Files enough for an Apply to let pending events through on its way,
// previewed with "x_" put before each name.
void PreviewManyRenames(RenamePage *page, const QString &folder)
{
    for (int i = 0; i < 600; ++i) {
        QFile file(folder + QStringLiteral("f%1").arg(i, 3, 10, QChar(u'0')));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    page->AfterFillList(folder);
    page->opt1Insert->click();
    page->txt1Before->setText(QStringLiteral("x_"));
    page->cmdPreview->click();
    ASSERT_TRUE(page->cmdApply->isEnabled());
}

} // namespace

TEST_F(PageButtonsTest, APageStaysDisabledWhileItsRunGoesOnWhateverPageIsShown)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + u'/';
    RenamePage *page = w->picRename;
    ASSERT_NO_FATAL_FAILURE(PreviewManyRenames(page, folder));

    // Back to the page in the middle of the run: Apply must not be reachable
    // a second time; left on another page, the page comes back usable.
    for (const bool comeBack : {true, false}) {
        bool applyReachable = false;
        bool looked = false;
        QTimer::singleShot(0, w.get(), [&] {
            click(w->CBWUndo);
            if (comeBack)
                click(w->CBWRename);
            applyReachable = page->cmdApply->isEnabled();
            looked = true;
        });
        page->cmdApply->click();
        EXPECT_TRUE(looked);
        EXPECT_FALSE(applyReachable);
        if (!comeBack) {
            EXPECT_FALSE(page->isEnabled());   // hidden pages are disabled
            click(w->CBWRename);
        }
        EXPECT_TRUE(page->isEnabled());
        EXPECT_EQ(w->StatusText(), QStringLiteral("600 Files Renamed"));
        page->cmdPreview->click();
    }
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 600);
    EXPECT_EQ(names.front(), QStringLiteral("x_x_f000"));
    EXPECT_EQ(names.back(), QStringLiteral("x_x_f599"));
}

TEST_F(PageButtonsTest, ClosingInTheMiddleOfARunClosesOnceTheRunHasEnded)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + u'/';
    ASSERT_NO_FATAL_FAILURE(PreviewManyRenames(w->picRename, folder));
    bool shownAfterClose = false;
    QTimer::singleShot(0, w.get(), [&] {
        w->close();
        shownAfterClose = w->isVisible();
    });
    w->picRename->cmdApply->click();
    EXPECT_TRUE(shownAfterClose);
    EXPECT_EQ(w->StatusText(), QStringLiteral("600 Files Renamed"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->isVisible(); }, 5000));
    EXPECT_FALSE(QueryValue(ProgramKey + QStringLiteral("Option"), QStringLiteral("MainWidth")).isMissing());
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("x_*")}, QDir::Files).size(), 600);
}

TEST_F(PageButtonsTest, ControlPageDownAndPageUpStepThroughThePagesFromTheKeyboard)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w.get(), key, modifiers);
    };
    const auto expectPage = [&](int index) {
        EXPECT_EQ(w->CurrentPage, index);
        EXPECT_EQ(visiblePages(), QList<int>{index});
        EXPECT_EQ(checkedButtons(), QStringList{w->pageButton(index)->objectName()});
        // The keyboard goes on in the page shown.
        QWidget *focus = QApplication::focusWidget();
        EXPECT_TRUE(focus && w->page(index)->isAncestorOf(focus)) << (focus ? qPrintable(focus->objectName()) : "");
    };
    SetProp(w->CBWAbout, "Checked", true);
    press(Qt::Key_PageDown);
    expectPage(1);
    press(Qt::Key_PageUp);
    expectPage(0);
    press(Qt::Key_PageUp);   // round to the last page
    expectPage(5);
    press(Qt::Key_Tab);
    expectPage(0);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    expectPage(5);
    EXPECT_TRUE(answers.asked.empty());
}
