#include "frame/frmDirEvaVezi.h"
#include "frame/frmSplash.h"
#include "common/ui/ListView.h"
#include "mp3/ui/Mp3Page.h"
#include "platform/settings/modRegistry.h"
#include "rename/ui/RenamePage.h"
#include "rename/ui/UndoPage.h"
#include "sync/ui/SyncPage.h"
#include "zip/ui/ZipPage.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace ardl;

namespace {

const QString Option = ProgramKey + QStringLiteral("Option");
const QString Sync = ProgramKey + QStringLiteral("Sync");

std::unique_ptr<frmDirEvaVezi> startWindow()
{
    auto w = std::make_unique<frmDirEvaVezi>();
    w->Form_Load();
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
}

QList<ListView *> allLists(frmDirEvaVezi &w)
{
    return {w.picRename->LVFile, w.picRename->LVPreview, w.picUndo->LVUndo,
            w.picSync->LVSync,   w.picZip->LVZip,        w.picMp3->LVMp3File};
}

} // namespace

TEST(MainWindow, FirstRunOpensOnRenameAndCreatesTheStore)
{
    auto w = startWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Ardelune v2.0.0"));
    EXPECT_EQ(w->minimumSize(), QSize(776, 579));
    EXPECT_EQ(w->CurrentPage, 0);
    EXPECT_TRUE(w->picRename->isVisible());
    EXPECT_TRUE(w->picRename->isEnabled());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_FALSE(w->page(i)->isVisible()) << i;
        EXPECT_FALSE(w->page(i)->isEnabled()) << i;
    }
    EXPECT_EQ(w->picSync->cboDirFile->currentText(), QStringLiteral("Dir"));
    EXPECT_EQ(w->picSync->cboDirFile->count(), 3);
    EXPECT_EQ(w->picRename->LastSortFile, 1);
    EXPECT_EQ(w->picZip->LastSortZip, 1);
    EXPECT_EQ(w->picMp3->LastSortMp3, 0);
    w->close();

    EXPECT_TRUE(SettingsStore().keyExists(Option));
    EXPECT_TRUE(SettingsStore().keyExists(Sync));
    for (const char *list : {"Sync\\RootLeft", "Split\\RootLeft", "Split\\Dir", "Undo\\Log"})
        EXPECT_EQ(QueryValue(ProgramKey + QLatin1String(list), QString()), RegValue::dword(10)) << list;
    EXPECT_EQ(QueryValue(ProgramKey + QStringLiteral("Sync\\Filter"), QString()), RegValue::dword(5));
    EXPECT_EQ(QueryValue(Sync, QStringLiteral("DirFile")).toString(), QStringLiteral("Dir"));
    EXPECT_TRUE(QueryValue(Sync, QStringLiteral("RootRight")).isMissing());
    EXPECT_TRUE(QueryValue(Sync, QStringLiteral("RootLeft")).isMissing());
}

// The last column of a list takes whatever width is free, so its own width
// is stored but follows the list's when shown.
TEST(MainWindow, SecondStartRestoresPlacementAndAllColumnWidths)
{
    QList<int> widths;
    {
        auto w = startWindow();
        w->setGeometry(40, 50, 830, 610);
        int width = 41;
        for (ListView *list : allLists(*w)) {
            for (int c = 0; c < list->header()->count(); ++c) {
                list->header()->resizeSection(c, width);
                widths << (c + 1 < list->header()->count() ? width : -1);
                ++width;
            }
        }
        ASSERT_EQ(widths.size(), 25);
        w->close();
    }
    EXPECT_EQ(QueryValue(Option, QStringLiteral("MainWidth")).toString(), QStringLiteral("12450"));
    EXPECT_EQ(QueryValue(Option, QStringLiteral("File_File")).toString(), QString::number(41 * 15));

    auto w = startWindow();
    EXPECT_EQ(w->geometry(), QRect(40, 50, 830, 610));
    QList<int> restored;
    for (ListView *list : allLists(*w)) {
        for (int c = 0; c < list->header()->count(); ++c)
            restored << (c + 1 < list->header()->count() ? list->header()->sectionSize(c) : -1);
    }
    EXPECT_EQ(restored, widths);
}

TEST(MainWindow, MaximisedWindowStoresItsNormalPlacement)
{
    auto w = startWindow();
    w->setGeometry(60, 70, 800, 600);
    w->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->width() > 800; }, 10000));
    w->close();
    EXPECT_EQ(QueryValue(Option, QStringLiteral("MainWidth")).toString(), QString::number(800 * 15));
    EXPECT_EQ(QueryValue(Option, QStringLiteral("MainLeft")).toString(), QString::number(60 * 15));
}

TEST(MainWindow, StoredPlacementOffEveryScreenIsBroughtBack)
{
    CreateNewKey(Option);
    SetKeyValue(Option, QStringLiteral("MainLeft"), QStringLiteral("-900000"), REG_SZ);
    SetKeyValue(Option, QStringLiteral("MainTop"), QStringLiteral("900000"), REG_SZ);
    SetKeyValue(Option, QStringLiteral("MainWidth"), QStringLiteral("12000"), REG_SZ);
    auto w = startWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->geometry())) << w->geometry().x() << "," << w->geometry().y();
    EXPECT_EQ(w->width(), 800);
}

TEST(MainWindow, ClosingKeepsStoredRootsWhenTheBoxesAreEmpty)
{
    CreateNewKey(Sync);
    SetKeyValue(Sync, QStringLiteral("RootRight"), QStringLiteral("/right/"), REG_SZ);
    SetKeyValue(Sync, QStringLiteral("DirFile"), QStringLiteral("Ftp"), REG_SZ);
    auto w = startWindow();
    EXPECT_EQ(w->picSync->txtRootRight->text(), QStringLiteral("/right/"));
    EXPECT_EQ(w->picSync->cboDirFile->currentText(), QStringLiteral("Ftp"));
    w->picSync->txtRootRight->clear();
    w->picSync->cboDirFile->setCurrentIndex(1);
    w->close();
    EXPECT_EQ(QueryValue(Sync, QStringLiteral("RootRight")).toString(), QStringLiteral("/right/"));
    EXPECT_EQ(QueryValue(Sync, QStringLiteral("DirFile")).toString(), QStringLiteral("File"));
}

TEST(MainWindow, LeftRootsComeBackFromTheirRecentList)
{
    const QString list = ProgramKey + QStringLiteral("Sync\\RootLeft");
    CreateNewKey(list);
    SetKeyValue(list, QString(), 10, REG_DWORD);
    const QStringList entries{QStringLiteral("Ftp|host|/pub|bob|pw|0|21"), QStringLiteral("Dir|/data/||")};
    for (int i = 0; i < entries.size(); ++i) {
        const QString key = list + QStringLiteral("\\Recent") + QString::number(i + 1);
        CreateNewKey(key);
        SetKeyValue(key, QString(), entries[i], REG_SZ);
    }
    auto w = startWindow();
    ASSERT_EQ(w->picSync->txtRootLeft->count(), 2);
    EXPECT_EQ(w->picSync->txtRootLeft->itemText(0), QStringLiteral("host"));
    EXPECT_EQ(w->picSync->txtRootLeft->currentText(), QStringLiteral("host"));
    EXPECT_EQ(w->picSync->ListRecent,
              (QStringList{QStringLiteral("host|Ftp|/pub|bob|pw|0|21"), QStringLiteral("/data/|Dir")}));
}

TEST(MainWindow, MinimisedWindowIsNotLaidOutAndRestoringLaysOutAgain)
{
    auto w = startWindow();
    const QRect before = w->picRename->geometry();
    EXPECT_GT(before.width(), 0);
    w->showMinimized();
    w->resize(1000, 700);
    QCoreApplication::processEvents();
    w->showNormal();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w->picRename->geometry().right() == w->centralWidget()->width() - 1; }, 10000));
}

TEST(Splash, ShowsTheTitleAndVersionOverThePicture)
{
    frmSplash splash;
    EXPECT_EQ(splash.lblCaption->text(), QStringLiteral("Ardelune v2.0.0"));
    EXPECT_EQ(splash.size(), QSize(500, 350));
    EXPECT_FALSE(splash.img->pixmap().isNull());
    EXPECT_EQ(splash.img->geometry(), splash.rect());
}

// The splash stays above every window: a message about the settings shown
// while the main window loads would wait under it, and the program would
// seem to hang.
TEST(Splash, StepsAsideForAQuestionButNotForAnotherWindow)
{
    frmSplash splash;
    splash.show();
    QWidget window;
    window.show();
    EXPECT_TRUE(splash.isVisible());

    QDialog question;
    question.setModal(true);
    question.show();
    EXPECT_FALSE(splash.isVisible());
}
