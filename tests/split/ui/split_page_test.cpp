#include "split/ui/SplitPage.h"
#include "split/ui/PathLabel.h"
#include "common/core/FileDialogs.h"
#include "common/core/ProgramFolders.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/FileDrag.h"
#include "common/ui/LateBound.h"
#include "common/ui/modListView.h"
#include "platform/settings/RecentList.h"
#include "support/FileContent.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

using namespace ardl;
using namespace ardl::test;

namespace {

class SplitPageTest : public TempDirTest {
protected:
    void SetUp() override
    {
        ForgetFileDialogFolders();
        host.resize(900, 600);
        auto *layout = new QVBoxLayout(&host);
        page = new SplitPage;
        layout->addWidget(page);
        status = new QLabel;
        status->setObjectName(QStringLiteral("StatusPanel"));
        layout->addWidget(status);
        page->LoadCaptions();
        LoadRecentList(page->txtDstFile, QStringLiteral("Split\\Dir"), 10);
        page->SetDefaults();
        QObject::connect(page, &SplitPage::StatusTextChanged, status, &QLabel::setText);
        out = makeDir(QStringLiteral("out")) + u'/';
    }

    QString file(const QString &name, qint64 length)
    {
        return writeFile(QStringLiteral("in/") + name, PatternBytes(length, quint32(length)));
    }

    void add(const QStringList &paths)
    {
        answers.openAnswers.push_back(paths);
        page->cmdOpenFile->click();
    }

    void clickLabel(QLabel *label) { QTest::mouseClick(label, Qt::LeftButton); }

    QStringList outEntries() const { return QDir(out).entryList(QDir::Files, QDir::Name); }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    QWidget host;
    SplitPage *page = nullptr;
    QLabel *status = nullptr;
    QString out;
};

} // namespace

TEST_F(SplitPageTest, CaptionsAndStartSettings)
{
    EXPECT_EQ(page->optSize->text(), QStringLiteral("Split by Size"));
    EXPECT_EQ(page->optPart->text(), QStringLiteral("Num of Part"));
    EXPECT_EQ(page->lblBy->text(), QStringLiteral("or by"));
    EXPECT_EQ(page->fraSplitSize->title(), QStringLiteral("Size of Each Part"));
    EXPECT_EQ(page->fraSplitPart->title(), QStringLiteral("Number of Parts"));
    EXPECT_EQ(page->opt144->text(), QStringLiteral("1.44 Kb"));
    EXPECT_EQ(page->lblH->text(), QStringLiteral("Hour"));
    EXPECT_EQ(page->chkExe->text(), QStringLiteral("&Include Exe File on First Split file for Merging"));
    EXPECT_EQ(page->chkDeleteFileAfterSplit->text(), QStringLiteral("&Delete Original file after Splitting"));
    EXPECT_EQ(page->cmdSplit->text(), QStringLiteral("&Split File"));
    EXPECT_EQ(page->fraSplitSourceFile->title(), QStringLiteral("Source Files"));
    EXPECT_EQ(page->fraSplitDestFolder->title(), QStringLiteral("Destination Folder"));
    EXPECT_EQ(page->lblNumberFileSplit->text(), QStringLiteral("Number of File to Split :"));

    EXPECT_TRUE(page->optSize->isChecked());
    EXPECT_TRUE(page->opt144->isChecked());
    EXPECT_FALSE(page->fraSplitPart->isEnabled());
    EXPECT_TRUE(page->fraSplitSize->isEnabled());
    EXPECT_EQ(page->txtBps->text(), QStringLiteral("44000"));
    EXPECT_EQ(page->txtDown->text(), QStringLiteral("44000"));
    EXPECT_EQ(page->Options.SplitBy, SplitBySize);
    EXPECT_EQ(page->Options.SizeMode, SizeMode144);
    EXPECT_EQ(page->Options.SizeUnit, UnitBytes);
    EXPECT_EQ(page->Options.CustomSize, 0);
    for (QPushButton *b : {page->cmdRemoveFile, page->cmdRemoveAll, page->cmdSplit})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(page->lblInfo1->text(), QStringLiteral("0"));

    // Each value stands 45 twips (3 pixels) right of its caption.
    EXPECT_EQ(page->lblInfo6->x(), page->lblFileOrgSize->x() + page->lblFileOrgSize->width() + 3);
    EXPECT_EQ(page->lblInfo1->x(), page->lblNumberFileSplit->x() + page->lblNumberFileSplit->width() + 3);
}

TEST_F(SplitPageTest, AddFileOpensAtHomeThenWhereTheLastFileWasChosen)
{
    const QString first = file(QStringLiteral("a.bin"), 10);
    add({first});
    ASSERT_EQ(answers.count(ScriptedPrompter::Kind::OpenFile), 1);
    EXPECT_EQ(answers.asked.back().startFolder, QDir::homePath() + u'/');
    add({});
    EXPECT_EQ(answers.asked.back().startFolder, path(QStringLiteral("in")) + u'/');
    EXPECT_NE(answers.asked.back().startFolder, DataFolder());
}

TEST_F(SplitPageTest, TheSizeBandKeepsToTheBottomAndSplitToTheRight)
{
    for (const QSize size : {QSize(700, 520), QSize(1100, 800)}) {
        host.resize(size);
        host.show();
        QCoreApplication::processEvents();
        const int h = page->height();
        EXPECT_EQ(page->fraSplitSize->y(), h - 158);               // 2370 twips
        EXPECT_EQ(page->lblBy->y(), page->fraSplitSize->y() + 18); // 270 twips
        EXPECT_EQ(page->cmdSplit->x(), page->width() - 95);        // 1425 twips
        EXPECT_LE(page->cmdSplit->geometry().bottom(), h);
        EXPECT_LE(page->fraInfo->geometry().right(), page->width());
        EXPECT_LT(page->fraSplitDestFolder->geometry().bottom(), page->fraSplitSize->y());
    }
}

TEST_F(SplitPageTest, SizeHandlersKeepTheOptionsInStep)
{
    page->opt720->click();
    EXPECT_EQ(page->Options.SizeMode, SizeMode720);
    page->optDownload->click();
    EXPECT_EQ(page->Options.SizeMode, SizeModeDownload);
    page->optPart->click();
    EXPECT_EQ(page->Options.SplitBy, SplitByParts);
    EXPECT_TRUE(page->fraSplitPart->isEnabled());
    EXPECT_FALSE(page->fraSplitSize->isEnabled());
    page->optSize->click();
    EXPECT_EQ(page->Options.SplitBy, SplitBySize);
    EXPECT_FALSE(page->fraSplitPart->isEnabled());

    // A unit picks the custom size and cuts it to the digits it allows.
    page->txtSize->setText(QStringLiteral("123456789"));
    EXPECT_EQ(page->Options.CustomSize, 123456789);
    clickLabel(page->lblKb);
    EXPECT_TRUE(page->optOthers->isChecked());
    EXPECT_EQ(page->txtSize->text(), QStringLiteral("123456"));
    EXPECT_EQ(page->txtSize->maxLength(), 6);
    EXPECT_EQ(page->Options.SizeMode, SizeModeCustom);
    EXPECT_EQ(page->Options.SizeUnit, UnitKb);
    EXPECT_EQ(page->Options.CustomSize, 123456);
    clickLabel(page->lblMb);
    EXPECT_EQ(page->txtSize->text(), QStringLiteral("123"));
    EXPECT_EQ(page->Options.SizeUnit, UnitMb);
    EXPECT_TRUE(page->lblMb->font().bold());
    EXPECT_FALSE(page->lblKb->font().bold());
}

// With the size frame greyed (split by number of parts), or the page during
// a run, the unit labels and the spinner's slide are out of reach: a click
// through the window changes no setting and cuts no typed size.
TEST_F(SplitPageTest, GreyedSettingsIgnoreClicks)
{
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QWindow *window = host.windowHandle();
    auto clickAt = [&](QWidget *widget, QPoint at) {
        const QPoint inHost = widget->mapTo(&host, at);
        QTest::mousePress(window, Qt::LeftButton, {}, inHost);
        QTest::mouseMove(window, inHost + QPoint(120, 0));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inHost + QPoint(120, 0));
    };
    page->txtSize->setText(QStringLiteral("123456789"));
    page->optPart->click();
    ASSERT_FALSE(page->lblMb->isEnabled());
    clickAt(page->lblMb, QPoint(2, 2));
    EXPECT_EQ(page->txtSize->text(), QStringLiteral("123456789"));
    EXPECT_TRUE(page->opt144->isChecked());
    EXPECT_EQ(page->Options.SizeMode, SizeMode144);
    EXPECT_EQ(page->Options.SizeUnit, UnitBytes);
    EXPECT_EQ(page->Options.SplitBy, SplitByParts);

    page->optSize->click();
    ASSERT_FALSE(page->UDSPart->isEnabled());
    QWidget *slideButton = page->UDSPart->findChild<QWidget *>(QStringLiteral("picBouton"));
    ASSERT_NE(slideButton, nullptr);
    clickAt(slideButton, QPoint(3, 5));
    EXPECT_EQ(page->settings().partCount, 2);
}

TEST_F(SplitPageTest, NumberBoxesTakeDigitsAndFallBackToTheirDefaults)
{
    page->txtBps->clear();
    EXPECT_EQ(page->txtBps->text(), QStringLiteral("44000"));
    page->txtDown->clear();
    EXPECT_EQ(page->txtDown->text(), QStringLiteral("44000"));
    page->txtH->clear();
    EXPECT_EQ(page->txtH->text(), QStringLiteral("0"));
    page->txtSize->clear();
    EXPECT_EQ(page->txtSize->text(), QStringLiteral("0"));

    page->txtM->selectAll();
    QTest::keyClicks(page->txtM, QStringLiteral("1a-2.5e"));
    EXPECT_EQ(page->txtM->text(), QStringLiteral("125"));
}

TEST_F(SplitPageTest, AddRemoveAndThePanel)
{
    const QString a = file(QStringLiteral("a.bin"), 3000000);
    const QString b = file(QStringLiteral("b.bin"), 10);
    const QString c = file(QStringLiteral("c.bin"), 0);
    add({a, b, path(QStringLiteral("in/gone.bin")), c});
    EXPECT_EQ(page->sourceFiles(), (QStringList{a, b, c}));
    EXPECT_EQ(page->lstSourceFile->currentRow(), 0);
    for (QPushButton *button : {page->cmdRemoveFile, page->cmdRemoveAll, page->cmdSplit})
        EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(page->lblInfo1->text(), QStringLiteral("3"));
    EXPECT_EQ(page->lblInfo3->text(), a);
    EXPECT_EQ(page->lblInfo3->toolTip(), a);
    EXPECT_EQ(page->lblInfo6->text(), QStringLiteral("3000000"));
    EXPECT_EQ(page->lblInfo4->text(), QStringLiteral("1456128  (Max : 1456128)"));
    EXPECT_EQ(page->lblInfo5->text(), QStringLiteral("3"));
    EXPECT_EQ(page->lblInfo7->text(), QStringLiteral("0 h 4 m 24 s"));

    // Cancelling the dialog changes nothing.
    page->cmdOpenFile->click();
    EXPECT_EQ(page->sourceFiles().size(), 3);
    EXPECT_EQ(page->lblInfo3->text(), a);

    page->lstSourceFile->setCurrentRow(1);
    EXPECT_EQ(page->lblInfo6->text(), QStringLiteral("10"));
    page->cmdRemoveFile->click();
    EXPECT_EQ(page->sourceFiles(), (QStringList{a, c}));
    EXPECT_EQ(page->lblInfo3->text(), c); // the next entry takes the selection
    EXPECT_EQ(page->lblInfo5->text(), QStringLiteral("0"));
    EXPECT_EQ(page->lblInfo4->text(), QStringLiteral("0  (Max : 1456128)"));

    // Nothing selected: nothing removed, the panel still refreshed.
    page->lstSourceFile->setCurrentRow(-1);
    page->lstSourceFile->clearSelection();
    page->cmdRemoveFile->click();
    EXPECT_EQ(page->sourceFiles().size(), 2);
    EXPECT_EQ(page->lblInfo3->text(), QString());

    page->cmdRemoveAll->click();
    EXPECT_TRUE(page->sourceFiles().isEmpty());
    EXPECT_EQ(page->lblInfo1->text(), QStringLiteral("0"));
    EXPECT_EQ(page->lblInfo6->text(), QString());
    EXPECT_FALSE(page->cmdSplit->isEnabled());
}

TEST_F(SplitPageTest, ByNumberAndTheSpinner)
{
    add({file(QStringLiteral("ten.bin"), 10)});
    page->optPart->click();
    SetProp(page->UDSPart, "Value", 4);
    // The panel follows the spinner when it takes or leaves the focus.
    QFocusEvent focus(QEvent::FocusOut);
    QCoreApplication::sendEvent(page->UDSPart, &focus);
    QCoreApplication::processEvents();
    EXPECT_EQ(page->lblInfo4->text(), QStringLiteral("3  (Max : 3)"));
    EXPECT_EQ(page->lblInfo5->text(), QStringLiteral("4"));
    EXPECT_EQ(page->settings().partCount, 4);
}

TEST_F(SplitPageTest, DroppedFilesAndFoldersAreListedAndReadyToSplit)
{
    file(QStringLiteral("dir/one.txt"), 5);
    file(QStringLiteral("dir/sub/two.txt"), 6);
    const QString single = file(QStringLiteral("single.bin"), 7);
    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page->lstSourceFile->viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path(QStringLiteral("in/dir"))), QUrl::fromLocalFile(single)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page->lstSourceFile->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page->lstSourceFile->viewport(), &drop);
    EXPECT_EQ(page->sourceFiles(), (QStringList{path(QStringLiteral("in/dir/one.txt")),
                                                path(QStringLiteral("in/dir/sub/two.txt")), single}));
    EXPECT_TRUE(page->cmdSplit->isEnabled());
    EXPECT_EQ(page->lblInfo1->text(), QStringLiteral("3"));
    EXPECT_EQ(page->lblInfo6->text(), QStringLiteral("5"));

    // Dragged out: the selected entry, as a file.
    page->lstSourceFile->setCurrentRow(2);
    EXPECT_EQ(page->lstSourceFile_OLESetData(), QStringList{single});
    std::unique_ptr<QMimeData> data(FileListData(page->lstSourceFile_OLESetData()));
    EXPECT_EQ(DroppedPaths(data.get()), QStringList{single});
}

TEST_F(SplitPageTest, ADroppedFolderLeavesOutNamesThatAreNotUtf8)
{
    makeDir(QStringLiteral("in/dir"));
    writeRawNamedFile("in/dir/bad\xff.bin");
    // A real file whose name reads like the one above once that is decoded.
    const QString lookalike = file(QStringLiteral("dir/bad\uFFFD.bin"), 5);
    page->lstSourceFile_OLEDragDrop({path(QStringLiteral("in/dir"))});
    EXPECT_EQ(page->sourceFiles(), QStringList{lookalike});
    EXPECT_EQ(status->text(), QStringLiteral("1 files were left out because their names are not valid UTF-8 and "
                                             "cannot be shown exactly, for example ")
                                  + path(QStringLiteral("in/dir/bad\\xFF.bin")));

    // A dropped file of such a name, alone: the drop is taken, to say so.
    writeRawNamedFile("in/odd\xfe.bin");
    QMimeData files;
    files.setUrls({RawFileUrl(QFile::encodeName(path(QStringLiteral("in"))) + "/odd\xfe.bin")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page->lstSourceFile->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page->lstSourceFile->viewport(), &drop);
    EXPECT_EQ(page->sourceFiles(), QStringList{lookalike});
    EXPECT_EQ(status->text(), QStringLiteral("1 files were left out because their names are not valid UTF-8 and "
                                             "cannot be shown exactly, for example ")
                                  + path(QStringLiteral("in/odd\\xFE.bin")));
}

TEST_F(SplitPageTest, BrowseSetsTheDestinationAndTheRecentList)
{
    answers.folderAnswers.push_back(out);
    page->cmdBrowseFolder->click();
    EXPECT_EQ(page->txtDstFile->currentText(), out);
    EXPECT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), QStringList{out});

    // Cancelled: the text stays and still goes to the top of the list.
    const QString other = makeDir(QStringLiteral("other")) + u'/';
    page->txtDstFile->setEditText(other);
    page->cmdBrowseFolder->click();
    EXPECT_EQ(page->txtDstFile->currentText(), other);
    EXPECT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), (QStringList{other, out}));
}

// A browse cancelled with nothing in the box names no folder: the recent
// list keeps all its folders, the oldest too, and gets no empty entry.
TEST_F(SplitPageTest, BrowseCancelledWithAnEmptyBoxKeepsTheRecentFolders)
{
    QStringList folders;
    for (int i = 1; i <= 10; ++i) {
        folders.prepend(makeDir(QStringLiteral("d%1").arg(i)) + u'/');
        answers.folderAnswers.push_back(folders.front());
        page->cmdBrowseFolder->click();
    }
    ASSERT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), folders);

    page->txtDstFile->setEditText(QString());
    page->cmdBrowseFolder->click(); // cancelled
    EXPECT_EQ(page->txtDstFile->currentText(), QString());
    EXPECT_EQ(RecentListEntries(QStringLiteral("Split\\Dir"), 10), folders);
    EXPECT_EQ(page->txtDstFile->findText(QString()), -1);
    EXPECT_EQ(page->txtDstFile->count(), 10);
}

TEST_F(SplitPageTest, SplitChecksTheListAndTheFolderFirst)
{
    page->cmdSplit_Click();
    page->txtDstFile->setEditText(out);
    add({file(QStringLiteral("a.bin"), 100)});
    page->txtDstFile->setEditText(QString());
    page->cmdSplit_Click();
    page->txtDstFile->setEditText(path(QStringLiteral("missing")));
    page->cmdSplit_Click();
    page->txtDstFile->setEditText(out);
    clickLabel(page->lblBytes); // a custom size of 0
    page->cmdSplit_Click();
    EXPECT_EQ(answers.messages().mid(0, 4),
              (QStringList{"You must add file to split", "You must specify destination directory",
                           "Destination directory does not exist or is invalid",
                           "Size of split file must be greater than 0"}));
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(outEntries().isEmpty());
}

TEST_F(SplitPageTest, SplitWritesTheMergeProgramAndReports)
{
    const QString a = file(QStringLiteral("Report.doc"), 3000000);
    add({a});
    page->txtDstFile->setEditText(out);
    page->chkExe->setChecked(true);
    page->chkDeleteFileAfterSplit->setChecked(true);
    page->cmdSplit->click();
    EXPECT_EQ(outEntries(), (QStringList{"Report-merge", "Report1.kos", "Report2.kos"}));
    EXPECT_FALSE(QFile::exists(a));
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(answers.asked.back().icon, MsgIcon::Information);
    EXPECT_EQ(answers.messages()[0],
              QStringLiteral("1 of 1 files split\r\n\r\n") + a
                  + QStringLiteral(": 3 parts, the first is the merge program Report-merge; the source was deleted"));
    EXPECT_EQ(status->text(), QStringLiteral("1 of 1 files split"));
    EXPECT_EQ(page->sourceFiles(), QStringList{a}); // the entry stays
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(SplitPageTest, HoverTextsOfTheButtons)
{
    host.show();
    const std::pair<QWidget *, const char *> hovers[] = {
        {page->cmdOpenFile, "Allow to Add File to Split"},
        {page->cmdRemoveAll, "Allow to Clear List of File to Split"},
        {page->cmdBrowseFolder, "Allow to Select Destination Directory of Splited Files"},
        {page->cmdSplit, "Split File"},
    };
    for (const auto &[button, text] : hovers) {
        QTest::mouseMove(button, QPoint(3, 3));
        EXPECT_EQ(status->text(), QLatin1String(text));
    }
}
