// The Rename and Undo pages inside the real window, used with the keyboard and
// looked at in the window's sizes: the minimum and the designed one.
#include "frame/frmDirEvaVezi.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "rename/ui/RenamePage.h"
#include "rename/ui/UndoPage.h"
#include "mp3/ui/Mp3Page.h"
#include "split/ui/SplitPage.h"
#include "sync/ui/SyncPage.h"
#include "zip/ui/ZipPage.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <memory>

using namespace ardl;

namespace {

class PageLayoutTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        window = std::make_unique<frmDirEvaVezi>();
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void resizeTo(int width, int height)
    {
        window->resize(width, height);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == QSize(width, height); }, 10000));
        QApplication::processEvents();
    }

    RenamePage &page() { return *window->picRename; }

    QList<QWidget *> spinners() { return {page().UDSStart, page().UDSIncrement, page().UDSZeroFill}; }

    static QLineEdit *textBox(QWidget *spinner)
    {
        return spinner->findChild<QLineEdit *>(QStringLiteral("txtUpDown"));
    }

    // Whether the text box shows `digits` whole: its width inside the frame
    // and the text margins of a line edit.
    static bool showsWhole(QLineEdit *box, const QString &digits)
    {
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        return box->width() - 2 * frame - 2 * 2 >= box->fontMetrics().horizontalAdvance(digits);
    }

    // Where `w` lies in the page.
    QRect inPage(QWidget *w) { return QRect(w->mapTo(&page(), QPoint(0, 0)), w->size()); }

    // A folder of files, listed and previewed, so that Apply is enabled.
    void previewSomeFiles()
    {
        for (const char *name : {"a.txt", "b.txt"})
            writeFile(QLatin1String(name), name);
        page().txtFilter->setText(QString());
        page().AfterFillList(path() + u'/');
        page().opt4Upper->click();
        page().cmdPreview_Click();
        ASSERT_TRUE(page().cmdApply->isEnabled());
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    std::unique_ptr<frmDirEvaVezi> window;
};

} // namespace

TEST_F(PageLayoutTest, TabLeavesEachSpinnerAndReachesApply)
{
    previewSomeFiles();
    page().opt2Before->click();
    textBox(page().UDSStart)->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return textBox(page().UDSStart)->hasFocus(); }, 10000));

    QList<QWidget *> reached;
    for (int i = 0; i < 40 && QApplication::focusWidget() != page().cmdApply; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    ASSERT_GE(reached.size(), 2);
    EXPECT_EQ(reached[0], textBox(page().UDSIncrement));
    EXPECT_EQ(reached[1], textBox(page().UDSZeroFill));
    EXPECT_EQ(QApplication::focusWidget(), page().cmdApply);

    // Typing after Tab goes where the focus went, not into Start.
    textBox(page().UDSStart)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    EXPECT_EQ(GetProp(page().UDSStart, "Value").toInt(), 0);
    EXPECT_EQ(GetProp(page().UDSIncrement, "Value").toInt(), 5);
}

TEST_F(PageLayoutTest, AtTheMinimumSizeEverySpinnerShowsAHundred)
{
    resizeTo(776, 579);
    for (QWidget *spinner : spinners())
        EXPECT_TRUE(showsWhole(textBox(spinner), QStringLiteral("100")))
            << spinner->objectName().toStdString() << " " << textBox(spinner)->width();
}

TEST_F(PageLayoutTest, AtTheDesignedSizeRuleLabelsReadWholeAndSpinnersShowFourDigits)
{
    resizeTo(900, 640);
    for (QWidget *spinner : spinners())
        EXPECT_TRUE(showsWhole(textBox(spinner), QStringLiteral("0000"))) << spinner->objectName().toStdString();

    // Every caption of the rule panel has the room its text needs.
    for (QWidget *w : page().picRen->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&page()))
            continue;
        if (qobject_cast<QLabel *>(w) || qobject_cast<QRadioButton *>(w) || qobject_cast<QCheckBox *>(w)) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
        }
    }
    for (QGroupBox *group : page().picRen->findChildren<QGroupBox *>())
        EXPECT_GE(group->width(), group->fontMetrics().horizontalAdvance(group->title()))
            << group->objectName().toStdString();

    // The three labels over the spinners keep apart.
    const QLabel *labels[] = {page().lblStart, page().lblIncrement, page().lblZeroFill};
    for (int i = 0; i + 1 < 3; ++i) {
        const int textEnd = inPage(const_cast<QLabel *>(labels[i])).left()
                            + labels[i]->fontMetrics().horizontalAdvance(labels[i]->text());
        EXPECT_GE(inPage(const_cast<QLabel *>(labels[i + 1])).left() - textEnd, 4)
            << labels[i]->text().toStdString();
    }
}

TEST_F(PageLayoutTest, TheLastColumnOfEachListTakesTheFreeWidth)
{
    resizeTo(900, 640);
    const auto fills = [](ListView *list) {
        const QHeaderView *header = list->header();
        const int last = header->count() - 1;
        return header->sectionViewportPosition(last) + header->sectionSize(last) == list->viewport()->width();
    };
    EXPECT_TRUE(fills(page().LVFile));
    page().TabStripFile->setCurrentIndex(1);
    page().TabStripFile_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fills(page().LVPreview); }, 10000));

    window->CBWUndo_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fills(window->picUndo->LVUndo); }, 10000));
}

// Each box shows the icon of its kind: a warning for a command that cannot
// go on, a question for a Yes/No choice.
TEST_F(PageLayoutTest, MessageBoxesShowTheIconOfTheirKind)
{
    writeFile("a.txt", "a");
    writeFile("b.txt", "b");
    page().txtFilter->setText(QString());
    page().AfterFillList(path() + u'/');
    page().cmdApply_Click();   // no preview yet
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Exclamation);

    page().opt1Replace->click();   // both files get one name: an error row
    page().txt1Replace->setText(QStringLiteral("same"));
    page().cmdPreview_Click();
    answers.messageAnswers = {MsgAnswer::No};
    page().cmdApply_Click();
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].buttons, MsgButtons::YesNoDefaultNo); // going on despite errors is never the default
    EXPECT_EQ(answers.asked[1].icon, MsgIcon::Question);

    // Undo of a file that is gone: the system's reason, then whether to go on.
    const QByteArray dir = QFile::encodeName(path() + u'/');
    const QString log = writeFile("undo.log", dir + "old.txt -> " + dir + "gone.txt\r\n" + dir + "old2.txt -> "
                                                   + dir + "gone2.txt\r\n");
    window->CBWUndo_Click();
    window->picUndo->FillListLog(log);
    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No};
    window->picUndo->cmdUndo_Click();
    ASSERT_EQ(answers.asked.size(), 5u);
    EXPECT_EQ(answers.asked[2].icon, MsgIcon::Question);
    EXPECT_EQ(answers.asked[3].icon, MsgIcon::Exclamation);
    EXPECT_EQ(answers.asked[4].icon, MsgIcon::Question);
}

namespace {

// The pairs of shown controls directly inside `parent` that cover one another.
QStringList overlappingChildren(QWidget *parent)
{
    QList<QWidget *> shown;
    for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(parent) && !w->isWindow())
            shown << w;
    QStringList pairs;
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                pairs << shown[i]->objectName() + u'/' + shown[j]->objectName();
    return pairs;
}

} // namespace

TEST_F(PageLayoutTest, AtTheMinimumSizeNoControlOfTheToolPagesCoversAnother)
{
    resizeTo(776, 579);
    window->CBWSplit_Click();
    EXPECT_EQ(overlappingChildren(window->picSplit).join(u' ').toStdString(), "");
    window->CBWSync_Click();
    SyncPage &sync = *window->picSync;
    for (int kind : {0, 1, 2}) {   // Dir, File, Ftp: each shows its own controls
        sync.cboDirFile->setCurrentIndex(kind);
        QApplication::processEvents();
        EXPECT_EQ(overlappingChildren(&sync).join(u' ').toStdString(), "") << kind;
    }
    // Both roots keep room for a few characters of a path.
    for (QWidget *root : std::initializer_list<QWidget *>{sync.txtRootLeft, sync.txtRootRight})
        EXPECT_GE(root->width(), 8 * root->fontMetrics().averageCharWidth()) << root->objectName().toStdString();
    window->CBWZip_Click();
    QApplication::processEvents();
    EXPECT_EQ(overlappingChildren(window->picZip).join(u' ').toStdString(), "");
    window->CBWMp3_Click();
    QApplication::processEvents();
    EXPECT_EQ(overlappingChildren(window->picMp3).join(u' ').toStdString(), "");
}

namespace {

// The controls Tab stops at from `start` until it comes back round to it,
// or gives up after 60 steps (focus trapped or lost).
QList<QWidget *> tabCycle(QWidget *start)
{
    start->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&] { return start->hasFocus(); }, 10000)) << start->objectName().toStdString();
    QList<QWidget *> stops{start};
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (now == start || !now)
            return stops;
        stops << now;
    }
    ADD_FAILURE() << "Tab never came back to " << start->objectName().toStdString();
    return stops;
}

} // namespace

// Every set of options, nested frames included, keeps a Tab stop at its
// chosen option, and Tab comes back round to where it started.
TEST_F(PageLayoutTest, TabReachesTheChosenOptionOfEveryGroupOnSplitAndMp3)
{
    window->CBWSplit_Click();
    SplitPage &split = *window->picSplit;
    QList<QWidget *> stops = tabCycle(split.lstSourceFile);
    for (QWidget *w : std::initializer_list<QWidget *>{split.optSize, split.opt144, split.txtDstFile})
        EXPECT_TRUE(stops.contains(w)) << w->objectName().toStdString();
    EXPECT_LT(stops.indexOf(split.optSize), stops.indexOf(split.opt144));   // the choice, then its sizes

    // Arrows move within the sizes, and Tab still finds the newly chosen one.
    split.opt144->setFocus(Qt::TabFocusReason);
    QTest::keyClick(split.opt144, Qt::Key_Right);
    EXPECT_TRUE(split.opt288->isChecked());
    EXPECT_TRUE(tabCycle(split.lstSourceFile).contains(split.opt288));

    window->CBWMp3_Click();
    Mp3Page &mp3 = *window->picMp3;
    mp3.chkIDToFileSpace->setChecked(true);
    stops = tabCycle(mp3.LVMp3File);
    for (QWidget *w : std::initializer_list<QWidget *>{mp3.optIDToFileDefault, mp3.optIDToFileSpaceReplace,
                                                       mp3.txtIDToFileSpaceReplace, mp3.optIDToFileCaseNone})
        EXPECT_TRUE(stops.contains(w)) << w->objectName().toStdString();
    // Choosing a case does not take the format's choice away.
    mp3.optIDToFileCaseLower->click();
    EXPECT_TRUE(mp3.optIDToFileDefault->isChecked());
}

TEST_F(PageLayoutTest, TabGoesRoundTheSyncAndZipPages)
{
    window->CBWSync_Click();
    SyncPage &sync = *window->picSync;
    sync.cboDirFile->setCurrentIndex(2);   // Ftp: its fields join the row
    sync.chkanonymous->click();   // off: the login can be typed
    const QList<QWidget *> stops = tabCycle(sync.cboDirFile);
    for (QWidget *w : std::initializer_list<QWidget *>{sync.txtRootLeft, sync.cboFilter, sync.txtRootRight,
                                                       sync.txtLogin, sync.txtPasswd, sync.txtPort, sync.cmdCompare,
                                                       sync.cmdSyncFile, sync.LVSync})
        EXPECT_TRUE(stops.contains(w)) << w->objectName().toStdString();

    window->CBWZip_Click();
    ZipPage &zip = *window->picZip;
    EXPECT_TRUE(tabCycle(zip.cmdZipNew).contains(zip.cmdZipOpen));
}
