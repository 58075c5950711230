#include "sync/core/SyncTestSupport.h"

#include "common/core/ListSort.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "platform/ftp/FtpTestServer.h"
#include "platform/settings/modRegistry.h"
#include "sync/core/CompareTypes.h"
#include "sync/core/modClass.h"
#include "sync/ui/SyncPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace ardl;
using namespace ardl::test;

namespace {

const QDateTime T0 = Local(2024, 1, 2, 3, 4, 5);
const QDateTime T1 = Local(2024, 6, 7, 8, 9, 10);

class SyncPageTest : public SyncTreeTest {
protected:
    void SetUp() override
    {
        SyncItems().clear();
        SetSortAscending(true);
        page.FillKinds();
        page.LoadCaptions();
        page.LoadSettings();
        page.LoadFilterList();
        page.CheckFilterButtons();
        QObject::connect(&page, &SyncPage::StatusTextChanged, [this](const QString &text) { status = text; });
        page.resize(900, 600);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    }

    // Left only, right only, same and different files.
    void fourKinds()
    {
        left(QStringLiteral("left only.txt"), "L", T0);
        right(QStringLiteral("right only.txt"), "R", T0);
        left(QStringLiteral("sub/same.txt"), "S", T0);
        right(QStringLiteral("sub/same.txt"), "S", T0);
        left(QStringLiteral("different.txt"), "new", T1);
        right(QStringLiteral("different.txt"), "old", T0);
    }

    void setRoots(const QString &leftRoot, const QString &rightRoot)
    {
        page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("Dir")));
        page.txtRootLeft->setEditText(leftRoot);
        page.txtRootRight->setText(rightRoot);
        page.chkSyncRecursive->setChecked(true);
    }

    void compare() { QTest::mouseClick(page.cmdCompare, Qt::LeftButton); }

    // Confirms the question and runs Synchronize.
    void synchronize()
    {
        answers.messageAnswers.push_back(MsgAnswer::Yes);
        QTest::mouseClick(page.cmdSync, Qt::LeftButton);
    }

    int rowOf(const QString &key) const { return page.LVSync->rows().findKey(key); }
    int iconOf(const QString &key) const { return page.RowActionIcon(rowOf(key)); }
    QStringList cells(const QString &key) const { return page.LVSync->rows().row(rowOf(key)).cells; }
    QStringList keys() const
    {
        QStringList out;
        for (const ListRow &row : page.LVSync->rows().rows())
            out << row.key;
        return out;
    }

    void doubleClick(const QString &key)
    {
        const QModelIndex index = page.LVSync->rows().index(rowOf(key), 0);
        page.LVSync->scrollTo(index);
        const QPoint at = page.LVSync->visualRect(index).center();
        QTest::mouseClick(page.LVSync->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(page.LVSync->viewport(), Qt::LeftButton, {}, at);
    }

    void clickHeader(int column)
    {
        QHeaderView *header = page.LVSync->header();
        const int x = header->sectionViewportPosition(column - 1) + header->sectionSize(column - 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    static void clickToggle(QWidget *toggle) { QTest::mouseClick(toggle, Qt::LeftButton); }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    SyncPage page;
    QString status;
};

} // namespace

TEST_F(SyncPageTest, CompareShowsEveryKindOfRowInItsColourAndIcon)
{
    fourKinds();
    setRoots(leftRoot(), rightRoot());
    EXPECT_FALSE(page.cmdSync->isEnabled());
    compare();
    EXPECT_EQ(status, QStringLiteral("4 Files to Synchronize"));
    EXPECT_TRUE(page.cmdSync->isEnabled());
    EXPECT_TRUE(answers.messages().isEmpty());

    // Sorted by name; a right-only row shows its name on the right only.
    EXPECT_EQ(keys(), (QStringList{"different.txt", "left only.txt", "right only.txt", "sub/same.txt"}));
    EXPECT_EQ(iconOf(QStringLiteral("left only.txt")), SyncActionIcon::LeftOnlyCopy);
    EXPECT_EQ(iconOf(QStringLiteral("right only.txt")), SyncActionIcon::RightOnlyCopy);
    EXPECT_EQ(iconOf(QStringLiteral("sub/same.txt")), SyncActionIcon::Same);
    EXPECT_EQ(iconOf(QStringLiteral("different.txt")), SyncActionIcon::DifferentNone);
    EXPECT_EQ(cells(QStringLiteral("right only.txt")),
              (QStringList{"", "", "", "", "2024-01-02 03:04:05", "1", "right only.txt"}));
    EXPECT_EQ(cells(QStringLiteral("left only.txt")),
              (QStringList{"left only.txt", "1", "2024-01-02 03:04:05", "", "", "", ""}));
    const ListViewModel &rows = page.LVSync->rows();
    const auto colour = [&](const QString &key) {
        return rows.data(rows.index(rowOf(key), 6), Qt::ForegroundRole).value<QColor>();
    };
    EXPECT_EQ(colour(QStringLiteral("left only.txt")), QColor(0, 130, 0));
    EXPECT_EQ(colour(QStringLiteral("sub/same.txt")), QColor(0, 0, 0));
    EXPECT_EQ(colour(QStringLiteral("different.txt")), QColor(255, 0, 0));
    EXPECT_EQ(colour(QStringLiteral("right only.txt")), QColor(0, 0, 255));
    // The file icon only for rows with a left file.
    EXPECT_TRUE(rows.data(rows.index(rowOf(QStringLiteral("left only.txt")), 0), Qt::DecorationRole).isValid());
    EXPECT_FALSE(rows.data(rows.index(rowOf(QStringLiteral("right only.txt")), 0), Qt::DecorationRole).isValid());

    // The left root went into its recent list.
    EXPECT_EQ(page.ListRecent.value(0), leftRoot() + QStringLiteral("|Dir||"));
}

TEST_F(SyncPageTest, FiltersAndDoubleClicksKeepTheChosenActions)
{
    fourKinds();
    setRoots(leftRoot(), rightRoot());
    compare();

    // A different row cycles none, left to right, right to left, skip; a
    // same row does not change.
    const QString different = QStringLiteral("different.txt");
    doubleClick(different);
    EXPECT_EQ(iconOf(different), SyncActionIcon::DifferentToRight);
    doubleClick(different);
    EXPECT_EQ(iconOf(different), SyncActionIcon::DifferentToLeft);
    doubleClick(QStringLiteral("sub/same.txt"));
    EXPECT_EQ(iconOf(QStringLiteral("sub/same.txt")), SyncActionIcon::Same);
    doubleClick(QStringLiteral("right only.txt"));
    EXPECT_EQ(iconOf(QStringLiteral("right only.txt")), SyncActionIcon::RightOnlySkip);

    clickToggle(page.CBW_Egal);
    EXPECT_FALSE(GetProp(page.CBW_Egal, "Checked").toBool());
    EXPECT_EQ(keys(), (QStringList{"different.txt", "left only.txt", "right only.txt"}));
    EXPECT_EQ(iconOf(different), SyncActionIcon::DifferentToLeft);
    clickToggle(page.CBW_Egal);
    EXPECT_EQ(iconOf(QStringLiteral("sub/same.txt")), SyncActionIcon::Same);
    EXPECT_EQ(iconOf(QStringLiteral("right only.txt")), SyncActionIcon::RightOnlySkip);

    for (QWidget *toggle : {page.CBW_LR, page.CBW_Egal, page.CBW_Diff, page.CBW_RL})
        clickToggle(toggle);
    EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
    EXPECT_EQ(SyncItems().Count(), 4);
}

TEST_F(SyncPageTest, HeaderSortsOneSidedRowsByTheirOwnValues)
{
    left(QStringLiteral("nine.txt"), QByteArray(9, 'x'), T0);
    left(QStringLiteral("eleven.txt"), QByteArray(11, 'x'), T0);
    right(QStringLiteral("ten.txt"), QByteArray(10, 'x'), T0);
    setRoots(leftRoot(), rightRoot());
    compare();
    clickHeader(2); // the left size, in the direction in force
    EXPECT_EQ(keys(), (QStringList{"nine.txt", "ten.txt", "eleven.txt"}));
    clickHeader(2);
    EXPECT_EQ(keys(), (QStringList{"eleven.txt", "ten.txt", "nine.txt"}));
    // Afterwards the right-only row's left cells are empty again.
    EXPECT_EQ(cells(QStringLiteral("ten.txt")).mid(0, 3), (QStringList{"", "", ""}));
    EXPECT_EQ(cells(QStringLiteral("nine.txt")).mid(4, 3), (QStringList{"", "", ""}));
}

TEST_F(SyncPageTest, AnEditAfterTheCompareEmptiesTheListAndTheRunDoesNothing)
{
    fourKinds();
    makeDir(QStringLiteral("other"));
    setRoots(leftRoot(), rightRoot());
    compare();
    ASSERT_TRUE(page.cmdSync->isEnabled());

    page.txtRootRight->setText(path(QStringLiteral("other")));
    EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
    EXPECT_FALSE(page.cmdSync->isEnabled());
    EXPECT_FALSE(page.plan());
    answers.messageAnswers.push_back(MsgAnswer::Yes);
    page.cmdSync_Click();
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 0);
    EXPECT_TRUE(QDir(path(QStringLiteral("other"))).isEmpty());

    // Each input counts, typing in the left box too.
    for (const std::function<void()> &edit : std::vector<std::function<void()>>{
             [&] { page.txtRootLeft->setEditText(leftRoot() + QStringLiteral("x")); },
             [&] { page.cboFilter->setEditText(QStringLiteral("*.txt")); }, [&] { page.chkSyncDate->click(); },
             [&] { page.chkSyncRecursive->click(); }}) {
        setRoots(leftRoot(), rightRoot());
        page.cboFilter->setEditText(QStringLiteral("*.*"));
        compare();
        ASSERT_TRUE(page.cmdSync->isEnabled());
        edit();
        EXPECT_FALSE(page.cmdSync->isEnabled());
        EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
    }
}

TEST_F(SyncPageTest, AFailedCompareEmptiesTheListOfTheOneBefore)
{
    fourKinds();
    setRoots(leftRoot(), rightRoot());
    compare();
    ASSERT_EQ(page.LVSync->rows().rowCount(), 4);
    ASSERT_TRUE(QDir(rightRoot()).removeRecursively());
    compare();
    EXPECT_EQ(answers.messages(), QStringList{"Right Root Dir is invalid"});
    EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
    EXPECT_EQ(status, QStringLiteral("0 Files to Synchronize"));
    EXPECT_FALSE(page.cmdSync->isEnabled());
}

TEST_F(SyncPageTest, SynchronizeCopiesTheRowsShownAndReportsFailures)
{
    fourKinds();
    left(QStringLiteral("vanishing.txt"), "V", T0);
    setRoots(leftRoot(), rightRoot());
    compare();
    doubleClick(QStringLiteral("different.txt")); // left to right
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("left/vanishing.txt"))));

    // While the run goes on the page is disabled and a second run does not start.
    QStringList progress;
    bool enabledDuringRun = true;
    QObject::connect(&page, &SyncPage::StatusTextChanged, [&](const QString &text) {
        if (!text.startsWith(QStringLiteral("Synchronize File")))
            return;
        progress << text;
        enabledDuringRun = enabledDuringRun && page.isEnabled();
        page.cmdSync_Click();
        page.cmdCompare_Click();
    });
    answers.overwriteAnswers.push_back(OverwriteYes);
    synchronize();
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(page.isEnabled());
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 2); // the question, then the failures
    EXPECT_EQ(progress,
              (QStringList{"Synchronize File : different.txt (1/5)", "Synchronize File : left only.txt (2/5)",
                           "Synchronize File : right only.txt (3/5)", "Synchronize File : vanishing.txt (5/5)"}));
    EXPECT_EQ(status, QStringLiteral("3 files synchronized, 1 failed"));
    EXPECT_EQ(answers.messages().value(1), QStringLiteral("1 files could not be synchronized:\r\n"
                                                          "vanishing.txt : No such file or directory"));
    EXPECT_EQ(readFile(QStringLiteral("right/different.txt")), "new");
    EXPECT_EQ(QFileInfo(path(QStringLiteral("right/different.txt"))).lastModified(), T1);
    EXPECT_EQ(readFile(QStringLiteral("left/right only.txt")), "R");

    // A second compare finds every copied pair the same.
    compare();
    EXPECT_EQ(iconOf(QStringLiteral("different.txt")), SyncActionIcon::Same);
    EXPECT_EQ(iconOf(QStringLiteral("left only.txt")), SyncActionIcon::Same);
    EXPECT_EQ(iconOf(QStringLiteral("right only.txt")), SyncActionIcon::Same);
}

TEST_F(SyncPageTest, NoToTheQuestionAndTheCloseBoxCopyNothing)
{
    left(QStringLiteral("a.txt"), "left", T1);
    right(QStringLiteral("a.txt"), "right", T0);
    setRoots(leftRoot(), rightRoot());
    compare();
    doubleClick(QStringLiteral("a.txt"));
    answers.messageAnswers.push_back(MsgAnswer::No);
    QTest::mouseClick(page.cmdSync, Qt::LeftButton);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 0);

    answers.overwriteAnswers.push_back(OverwriteNone); // the close box
    synchronize();
    EXPECT_EQ(readFile(QStringLiteral("right/a.txt")), "right");
    EXPECT_EQ(QFileInfo(path(QStringLiteral("right/a.txt"))).lastModified(), T0);
    EXPECT_EQ(status, QStringLiteral("0 files synchronized, 0 failed"));
}

TEST_F(SyncPageTest, AgainstASyncFileTheRightFilesGoToTheZipList)
{
    const QString syn = writeFile(
        QStringLiteral("other machine.syn"),
        "/elsewhere/\r\nold.txt|3|01/01/2020 10:00:00\r\nthere only.txt|1|01/01/2020 10:00:00\r\n");
    right(QStringLiteral("old.txt"), "newer", T1);
    right(QStringLiteral("sub/here only.txt"), "H", T0);
    QStringList handed;
    page.setZipListHandler([&](const QStringList &paths) { handed = paths; });
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("File")));
    EXPECT_FALSE(page.chkSyncRecursive->isEnabled());
    EXPECT_TRUE(page.chkSyncFileCreate->isVisibleTo(&page));
    page.txtRootLeft->setEditText(syn);
    page.txtRootRight->setText(rightRoot());
    compare();
    doubleClick(QStringLiteral("old.txt"));
    doubleClick(QStringLiteral("old.txt")); // right to left: bound for the other machine
    QTest::mouseClick(page.cmdSync, Qt::LeftButton);
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 0); // no question for a zip list
    EXPECT_EQ(handed,
              (QStringList{path(QStringLiteral("right/old.txt")), path(QStringLiteral("right/sub/here only.txt"))}));
    EXPECT_EQ(status, QStringLiteral("Press F1 for Help"));
}

TEST_F(SyncPageTest, KindsShowTheirControlsAndRecentEntriesBringThemBack)
{
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("Ftp")));
    EXPECT_TRUE(page.txtLogin->isVisibleTo(&page));
    EXPECT_EQ(page.txtLogin->text(), QStringLiteral("anonymous"));
    EXPECT_FALSE(page.txtLogin->isEnabled());
    EXPECT_EQ(page.txtPasswd->text(), QStringLiteral("Wren@"));
    EXPECT_TRUE(page.chkanonymous->isChecked());
    page.chkanonymous->click();
    EXPECT_TRUE(page.txtLogin->isEnabled());
    EXPECT_EQ(page.txtLogin->text(), QStringLiteral("anonymous"));

    // Two entries as a compare leaves them: an FTP site and a folder.
    page.txtRootLeft->addItem(QStringLiteral("ftp.example.org"));
    page.ListRecent << QStringLiteral("ftp.example.org|Ftp|/pub|bob|pw|0|2121");
    page.txtRootLeft->addItem(QStringLiteral("/data/"));
    page.ListRecent << QStringLiteral("/data/|Dir||");
    page.txtRootLeft->setCurrentIndex(0);
    page.txtRootLeft_Click();
    EXPECT_EQ(page.cboDirFile->currentText(), QStringLiteral("Ftp"));
    EXPECT_EQ(page.txtRootLeft->currentText(), QStringLiteral("ftp.example.org"));
    EXPECT_EQ(page.txtLogin->text(), QStringLiteral("bob"));
    EXPECT_TRUE(page.txtLogin->isEnabled());
    EXPECT_EQ(page.txtPasswd->text(), QStringLiteral("pw"));
    EXPECT_EQ(page.txtRemoteDir->text(), QStringLiteral("/pub"));
    EXPECT_EQ(page.txtPort->text(), QStringLiteral("2121"));
    EXPECT_FALSE(page.chkanonymous->isChecked());

    page.txtRootLeft->setCurrentIndex(1);
    page.txtRootLeft_Click();
    EXPECT_EQ(page.cboDirFile->currentText(), QStringLiteral("Dir"));
    EXPECT_EQ(page.txtRootLeft->currentText(), QStringLiteral("/data/"));
    EXPECT_FALSE(page.txtLogin->isVisibleTo(&page));
    EXPECT_EQ(page.txtLogin->text(), QString());
    EXPECT_EQ(page.txtPasswd->text(), QString());

    // Choosing a kind by hand empties the left box.
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("File")));
    EXPECT_EQ(page.txtRootLeft->currentText(), QString());
}

TEST_F(SyncPageTest, AnFtpRunWorksFromTheSiteOfTheCompare)
{
    left(QStringLiteral("remote dir/on the server.txt"), "server", T0);
    right(QStringLiteral("nested/up load.txt"), "local", T1);
    FtpTestServer server(path(QStringLiteral("left")), FtpTestServer::Access::User, true);
    ASSERT_TRUE(server.started()) << server.error().toStdString();
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("Ftp")));
    page.txtRootLeft->setEditText(QStringLiteral("127.0.0.1"));
    page.chkanonymous->click();
    page.txtLogin->setText(QString::fromLatin1(FtpTestServer::UserName));
    page.txtPasswd->setText(QString::fromLatin1(FtpTestServer::Password));
    page.txtPort->setText(QString::number(server.port()));
    page.txtRemoteDir->setText(QStringLiteral("/remote dir"));
    page.txtRootRight->setText(path(QStringLiteral("right")));
    page.chkSyncRecursive->setChecked(true);
    compare();
    ASSERT_TRUE(page.cmdSync->isEnabled()) << answers.messages().join(u'\n').toStdString();
    EXPECT_EQ(page.ListRecent.value(0),
              QStringLiteral("127.0.0.1|Ftp|/remote dir|tester|s3cret|0|%1").arg(server.port()));

    synchronize();
    EXPECT_EQ(status, QStringLiteral("2 files synchronized, 0 failed"));
    EXPECT_EQ(readFile(QStringLiteral("right/on the server.txt")), "server");
    EXPECT_EQ(readFile(QStringLiteral("left/remote dir/nested/up load.txt")), "local");
    compare();
    EXPECT_EQ(iconOf(QStringLiteral("on the server.txt")), SyncActionIcon::Same);
    EXPECT_EQ(iconOf(QStringLiteral("nested/up load.txt")), SyncActionIcon::Same);

    // A box edited while the remote folders are listed: the list of that
    // compare is not shown.
    QObject::connect(&page, &SyncPage::StatusTextChanged, [&](const QString &text) {
        if (text.startsWith(QStringLiteral("Scan Directory")))
            page.txtRemoteDir->setText(QStringLiteral("/"));
    });
    compare();
    EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
    EXPECT_FALSE(page.cmdSync->isEnabled());
}

TEST_F(SyncPageTest, TheRemoteBrowserGetsTheSiteOfThePage)
{
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("Ftp")));
    page.txtRootLeft->setEditText(QStringLiteral("server"));
    page.txtPort->setText(QStringLiteral("2100"));
    FtpSite asked;
    page.setRemoteFolderBrowser([&](const FtpSite &site) {
        asked = site;
        return QStringLiteral("/chosen");
    });
    QTest::mouseClick(page.cmdBrowseLeft, Qt::LeftButton);
    EXPECT_EQ(asked.Server, QStringLiteral("server"));
    EXPECT_EQ(asked.Port, 2100);
    EXPECT_EQ(asked.User, QStringLiteral("anonymous"));
    EXPECT_EQ(page.txtRemoteDir->text(), QStringLiteral("/chosen"));

    // Cancel keeps the remote folder; a port that is no number is said.
    page.setRemoteFolderBrowser([](const FtpSite &) { return QString(); });
    QTest::mouseClick(page.cmdBrowseLeft, Qt::LeftButton);
    EXPECT_EQ(page.txtRemoteDir->text(), QStringLiteral("/chosen"));
    page.txtPort->setText(QStringLiteral("ftp"));
    QTest::mouseClick(page.cmdBrowseLeft, Qt::LeftButton);
    EXPECT_EQ(answers.messages(), QStringList{"Port must be a number from 1 to 65535"});
}

TEST_F(SyncPageTest, AnEditWhileARunLetsEventsThroughNeverRedirectsIt)
{
    left(QStringLiteral("a.txt"), "A", T0);
    left(QStringLiteral("b.txt"), "B", T0);
    makeDir(QStringLiteral("right"));
    makeDir(QStringLiteral("elsewhere"));
    setRoots(leftRoot(), rightRoot());
    compare();

    // The page shown again (its button enables it) and the right box
    // changed in the middle of the run: the run goes on to the folder the
    // compare looked at, and the list is emptied.
    QObject::connect(&page, &SyncPage::StatusTextChanged, [&](const QString &text) {
        if (text.startsWith(QStringLiteral("Synchronize File : a.txt")))
            page.txtRootRight->setText(path(QStringLiteral("elsewhere")));
    });
    synchronize();
    EXPECT_EQ(status, QStringLiteral("2 files synchronized, 0 failed"));
    EXPECT_EQ(readFile(QStringLiteral("right/b.txt")), "B");
    EXPECT_TRUE(QDir(path(QStringLiteral("elsewhere"))).isEmpty());
    EXPECT_FALSE(page.cmdSync->isEnabled());
    EXPECT_EQ(page.LVSync->rows().rowCount(), 0);
}

TEST_F(SyncPageTest, RowsStayTallEnoughForTheirIconsWhenTheFirstRowHasNoFile)
{
    // Sorted by name the right-only file comes first: a row without a file
    // icon must not set the height that every row of the list then takes.
    const QString syn = writeFile(QStringLiteral("other machine.syn"),
                                  "/elsewhere/\r\nzz there.txt|1|01/01/2020 10:00:00\r\n");
    right(QStringLiteral("aa here only.txt"), "H", T0);
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("File")));
    page.txtRootLeft->setEditText(syn);
    page.txtRootRight->setText(rightRoot());
    compare();
    ASSERT_EQ(keys(), (QStringList{"aa here only.txt", "zz there.txt"}));

    ListView *list = page.LVSync;
    const int iconSide = list->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list);
    const int withIcon = list->sizeHintForRow(rowOf(QStringLiteral("zz there.txt")));
    for (const QString &key : keys()) {
        const QRect cell = list->visualRect(list->rows().index(rowOf(key), 0));
        EXPECT_GE(cell.height(), withIcon) << key.toStdString();
        EXPECT_GE(cell.height(), iconSide) << key.toStdString();
    }
}

TEST_F(SyncPageTest, ALeftRootTypedInAnotherCaseThanARecentEntryStaysAsTyped)
{
    // Two folders whose names differ only in case; the recent list knows the
    // upper-case one.
    left(QStringLiteral("a.txt"), "A", T0);
    makeDir(QStringLiteral("Left"));
    makeDir(QStringLiteral("right"));
    const QString other = path(QStringLiteral("Left/"));
    page.txtRootLeft->addItem(other);
    page.ListRecent << other + QStringLiteral("|Dir");
    page.txtRootLeft->setCurrentIndex(0);
    page.txtRootLeft_Click();
    page.txtRootRight->setText(rightRoot());
    page.chkSyncRecursive->setChecked(true);

    // Typed, then Enter, then the focus goes on: the box keeps what was typed.
    page.txtRootLeft->setFocus();
    page.txtRootLeft->lineEdit()->selectAll();
    QTest::keyClicks(page.txtRootLeft->lineEdit(), leftRoot());
    QTest::keyClick(page.txtRootLeft->lineEdit(), Qt::Key_Return);
    page.cmdCompare->setFocus();
    EXPECT_EQ(page.txtRootLeft->currentText(), leftRoot());

    compare();
    EXPECT_EQ(keys(), QStringList{"a.txt"});
    EXPECT_EQ(page.ListRecent.value(0), leftRoot() + QStringLiteral("|Dir||"));
}

TEST_F(SyncPageTest, LocalNamesWithABackslashOrALineBreakAreCopiedBetweenFolders)
{
    // Both are plain characters of a local name: the copy stays in its folder.
    left(QStringLiteral("back\\slash.txt"), "B", T0);
    left(QStringLiteral("sub\\dir/line\nbreak.txt"), "L", T0);
    right(QStringLiteral("from\\right.txt"), "R", T0);
    setRoots(leftRoot(), rightRoot());
    compare();
    ASSERT_EQ(page.LVSync->rows().rowCount(), 3);
    synchronize();
    EXPECT_EQ(status, QStringLiteral("3 files synchronized, 0 failed"));
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 1); // the question only
    EXPECT_EQ(readFile(QStringLiteral("right/back\\slash.txt")), "B");
    EXPECT_EQ(readFile(QStringLiteral("right/sub\\dir/line\nbreak.txt")), "L");
    EXPECT_EQ(readFile(QStringLiteral("left/from\\right.txt")), "R");
}
