#include "rename/ui/RenamePage.h"
#include "common/core/FileRenamer.h"
#include "common/core/ListSort.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/LateBound.h"
#include "common/ui/ListView.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QColor>
#include <QDragEnterEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <unistd.h>

using namespace ardl;

namespace {

class RenamePageTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        page.LoadCaptions();
        page.SetListHeaders();
        QObject::connect(&page, &RenamePage::StatusTextChanged, [this](const QString &text) { status = text; });
    }

    QStringList column(ListView *list, int cell) const
    {
        QStringList out;
        for (const ListRow &row : list->rows().rows())
            out << row.cells.value(cell);
        return out;
    }

    void addFolder(const QString &folder)
    {
        page.txtFilter->setText(QString()); // an empty filter lists everything
        page.AfterFillList(folder);
    }

    // Name removed, numbering before the name from 5 with two digits.
    void numberFromFive()
    {
        page.opt1Remove->click();
        page.opt2Before->click();
        SetProp(page.UDSStart, "Value", 5);
        SetProp(page.UDSZeroFill, "Value", 2);
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    RenamePage page;
    QString status;
};

} // namespace

TEST_F(RenamePageTest, PreviewThenApplyRenamesAndLogsWhatThePreviewShowed)
{
    for (const char *name : {"x.txt", "y.txt", "z.jpg"})
        writeFile(name, name);
    addFolder(dir());
    EXPECT_EQ(status, QStringLiteral("3 Files Added"));
    EXPECT_TRUE(page.cmdPreview->isEnabled());
    EXPECT_FALSE(page.cmdApply->isEnabled());

    numberFromFive();
    QTest::mouseClick(page.cmdPreview, Qt::LeftButton);
    EXPECT_EQ(status, QStringLiteral("Preview : 0 Errors"));
    EXPECT_EQ(page.TabStripFile->tabData(page.TabStripFile->currentIndex()).toString(), QStringLiteral("PREVIEW"));
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"05", "06", "07"}));
    EXPECT_EQ(column(page.LVPreview, 1), QStringList({"txt", "txt", "jpg"}));
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Ok", "Ok", "Ok"}));
    EXPECT_EQ(page.LVPreview->rows().row(0).key, dir() + "05.txt");
    ASSERT_TRUE(page.cmdApply->isEnabled());

    page.chkLog->click();
    EXPECT_TRUE(page.txtLog->isEnabled());
    page.txtLog->setText(path("rename.log"));
    QTest::mouseClick(page.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(status, QStringLiteral("3 Files Renamed"));
    EXPECT_EQ(listing(), QStringList({"05.txt", "06.txt", "07.jpg", "rename.log"}));
    EXPECT_EQ(readFile("07.jpg"), "z.jpg");
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("rename.log"), d + "x.txt -> " + d + "05.txt\r\n" + d + "y.txt -> " + d + "06.txt\r\n" + d
                                          + "z.jpg -> " + d + "07.jpg\r\n");
    // The list shows the new names; the plan is spent, and only a new
    // Preview shows rows and enables Apply again.
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"05", "06", "07"}));
    EXPECT_EQ(page.LVFile->rows().row(2).key, dir() + "07.jpg");
    EXPECT_FALSE(page.cmdApply->isEnabled());
    EXPECT_EQ(page.LVPreview->rows().rowCount(), 0);
    page.cmdApply_Click();
    EXPECT_EQ(answers.messages(),
              QStringList{"You must click Preview button before click Apply button, for check error"});
    QTest::mouseClick(page.cmdPreview, Qt::LeftButton);
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"05", "06", "07"}));
    EXPECT_TRUE(page.cmdApply->isEnabled());
}

TEST_F(RenamePageTest, EveryRowKeepsTheExactNameItWasListedWith)
{
    writeFile("name.", "dotted");
    writeFile("name", "plain");
    writeFile("docs..", "two dots");
    makeDir("docs.");
    writeFile("...", "dots");
    writeFile("blank ", "blank");
    addFolder(dir());
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"...", "blank ", "docs..", "name", "name."}));
    EXPECT_EQ(column(page.LVFile, 1), QStringList({"", "", "", "", ""}));
    page.LVFile->selectAll();
    EXPECT_EQ(page.LVFile_OLESetData(),
              QStringList({dir() + "...", dir() + "blank ", dir() + "docs..", dir() + "name", dir() + "name."}));

    page.opt4Upper->click();
    page.chkLog->click();
    page.txtLog->setText(path("upper.log"));
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"...", "BLANK ", "DOCS..", "NAME", "NAME."}));
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Ok", "Ok", "Ok", "Ok", "Ok"}));
    page.cmdApply_Click();
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(listing(), QStringList({"...", "BLANK ", "DOCS..", "NAME", "NAME.", "upper.log"}));
    EXPECT_EQ(readFile("NAME."), "dotted");
    EXPECT_EQ(readFile("NAME"), "plain");
    EXPECT_TRUE(QFileInfo(path("docs.")).isDir()); // the folder beside "docs.." is left alone
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_TRUE(readFile("upper.log").contains(d + "name. -> " + d + "NAME.\r\n"));
    EXPECT_TRUE(readFile("upper.log").contains(d + "... -> " + d + "...\r\n"));

    // Rules work on the name as listed: "..." gets its prefix, and the
    // folder holding it is never what is renamed.
    page.opt4None->click();
    page.opt1Insert->click();
    page.txt1Before->setText(QStringLiteral("x"));
    page.chkLog->click();
    page.cmdPreview_Click();
    page.cmdApply_Click();
    EXPECT_EQ(listing(), QStringList({"upper.log", "x...", "xBLANK ", "xDOCS..", "xNAME", "xNAME."}));
    EXPECT_EQ(readFile("x..."), "dots");
    EXPECT_TRUE(answers.asked.empty());
}

TEST_F(RenamePageTest, AddingTheFolderAgainAfterARenameListsEachFileOnce)
{
    writeFile("1.txt", "one");
    writeFile("2.txt", "two");
    addFolder(dir());
    page.opt1Remove->click();
    page.opt2Before->click();
    SetProp(page.UDSStart, "Value", 2);
    page.cmdPreview_Click();
    page.cmdApply_Click();
    EXPECT_EQ(listing(), QStringList({"2.txt", "3.txt"}));
    EXPECT_EQ(readFile("2.txt"), "one");

    addFolder(dir());
    EXPECT_EQ(status, QStringLiteral("2 Files Added"));
    EXPECT_EQ(page.LVFile->rows().rowCount(), 2);
    page.opt1None->click();
    page.opt2None->click();
    page.cmdPreview_Click();
    EXPECT_EQ(status, QStringLiteral("Preview : 0 Errors"));
}

TEST_F(RenamePageTest, ANameThatIsNotUtf8IsAnErrAndNeverNamedInTheLog)
{
    writeRawNamedFile("bad\xff.txt");
    writeFile("good.txt", "G");
    addFolder(dir());
    page.opt4Upper->click();
    page.chkLog->click();
    page.txtLog->setText(path("run.log"));
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Err", "Ok"}));
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdApply_Click();
    EXPECT_EQ(answers.messages().back(),
              QStringLiteral("1 files were left out of the log: their names are not valid UTF-8 and cannot be "
                             "written exactly"));
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("run.log"), d + "good.txt -> " + d + "GOOD.TXT\r\n");
    EXPECT_EQ(::access((d + "bad\xff.txt").constData(), F_OK), 0);
}

TEST_F(RenamePageTest, NamesThatShowAlikeAreEachARowThatKeepsItsFilesBytes)
{
    // Two names that are not UTF-8 and differ only in the bytes that cannot
    // be shown, and a name that really holds the character they show as.
    writeRawNamedFile("a\xff.txt", "ff");
    writeRawNamedFile("a\xfe.txt", "fe");
    const QString lookAlike = QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral(".txt");
    writeFile(lookAlike, "real");
    for (const char *name : {"b.txt", "c.txt", "d.txt"})
        writeFile(name, name);
    addFolder(dir());
    EXPECT_EQ(status, QStringLiteral("6 Files Added"));
    ASSERT_EQ(page.LVFile->rows().rowCount(), 6);
    addFolder(dir());
    EXPECT_EQ(status, QStringLiteral("6 Files Added"));

    const QByteArray d = QFile::encodeName(dir());
    QList<QByteArray> raws;
    for (const ListRow &row : page.LVFile->rows().rows()) {
        if (!row.rawKey.isEmpty())
            raws << row.rawKey;
    }
    std::sort(raws.begin(), raws.end());
    EXPECT_EQ(raws, QList<QByteArray>({d + "a\xfe.txt", d + "a\xff.txt"}));

    // Dragged out, the list names no file by a look-alike.
    page.LVFile->selectAll();
    QStringList dragged = page.LVFile_OLESetData();
    dragged.sort();
    EXPECT_EQ(dragged, QStringList({dir() + lookAlike, dir() + "b.txt", dir() + "c.txt", dir() + "d.txt"}));

    page.opt4Upper->click();
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 2).count(QStringLiteral("Err")), 3);
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdApply_Click();
    EXPECT_EQ(readRawNamedFile("a\xff.txt"), "ff");
    EXPECT_EQ(readRawNamedFile("a\xfe.txt"), "fe");
    EXPECT_EQ(readFile(lookAlike), "real");
    EXPECT_EQ(readFile("B.TXT"), "b.txt");
    EXPECT_EQ(page.LVFile->rows().rowCount(), 6);
}

TEST_F(RenamePageTest, ASwapInAFolderThatCannotBeWrittenReportsTheRealReasonForEachFile)
{
    writeFile("1.txt", "one");
    writeFile("2.txt", "two");
    addFolder(dir());
    SetSortAscending(true);
    page.LVFile_ColumnClick(1); // a second click on the file name: descending
    ASSERT_EQ(column(page.LVFile, 0), QStringList({"2", "1"}));
    page.opt1Remove->click();
    page.opt2Before->click();
    SetProp(page.UDSStart, "Value", 1);
    page.cmdPreview_Click();
    ASSERT_EQ(column(page.LVPreview, 2), QStringList({"Ok", "Ok"}));

    test::UnwritableFolder locked(path());
    if (!locked.active())
        GTEST_SKIP() << "this file system lets every change through";
    page.cmdApply_Click();
    EXPECT_EQ(status, QStringLiteral("0 Files Renamed"));
    const QString why = ErrorText(locked.error());
    EXPECT_EQ(answers.messages(), QStringList{"File " + dir() + "2.txt could not be renamed: " + why + "\nFile " + dir()
                                              + "1.txt could not be renamed: " + why});
    EXPECT_EQ(readFile("1.txt"), "one");
    EXPECT_EQ(readFile("2.txt"), "two");
}

TEST_F(RenamePageTest, AChangeAfterPreviewAsksForANewPreview)
{
    writeFile("a.txt", "a");
    addFolder(dir());
    page.opt4Upper->click();
    page.cmdPreview_Click();
    page.opt4Lower->click();
    page.cmdApply_Click();
    EXPECT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(listing(), QStringList({"a.txt"}));

    page.cmdPreview_Click();
    SetProp(page.UDSIncrement, "Value", 3); // the spinners count as rules too
    EXPECT_FALSE(page.previewIsCurrent());
    page.cmdPreview_Click();
    page.cmdApply_Click();
    EXPECT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(listing(), QStringList({"a.txt"})); // lower case of a.txt is a.txt
}

TEST_F(RenamePageTest, ClashesAreRedErrorsAndYesGoesOnWithTheOkRowsOnly)
{
    makeDir("docs");
    writeFile("docs/a.txt", "A");
    writeFile("docs/b.txt", "B");
    addFolder(path("docs/"));
    page.opt1DirName->click();
    page.cmdPreview_Click();
    EXPECT_EQ(status, QStringLiteral("Preview : 1 Errors"));
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Ok", "Err"}));
    const ListRow &err = page.LVPreview->rows().row(1);
    EXPECT_EQ(err.foreground.value<QColor>(), QColor(255, 0, 0));
    EXPECT_TRUE(err.key.isEmpty());
    EXPECT_FALSE(err.icon.isValid());
    // The row says why, over every cell and in the status bar once selected.
    const QString why = QStringLiteral("An earlier row gets the same new name");
    EXPECT_EQ(page.LVPreview->rows().index(1, 3).data(Qt::ToolTipRole).toString(), why);
    EXPECT_FALSE(page.LVPreview->rows().index(0, 0).data(Qt::ToolTipRole).isValid());
    page.LVPreview->setCurrentIndex(page.LVPreview->rows().index(1, 0));
    EXPECT_EQ(status, why);

    answers.messageAnswers = {MsgAnswer::No};
    page.cmdApply_Click();
    EXPECT_EQ(answers.messages().back(), QStringLiteral("There are 1 errors, Click Yes for continu, No for Stop"));
    // Enter alone stops: going on renames files although some rows failed the check.
    EXPECT_EQ(answers.asked.back().buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(QDir(path("docs")).entryList(QDir::Files), QStringList({"a.txt", "b.txt"}));

    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdApply_Click();
    EXPECT_EQ(status, QStringLiteral("1 Files Renamed"));
    EXPECT_EQ(QDir(path("docs")).entryList(QDir::Files), QStringList({"b.txt", "docs.txt"}));
    EXPECT_EQ(readFile("docs/docs.txt"), "A");
}

TEST_F(RenamePageTest, AFileThatAppearsInTheWayIsReportedAndNotCounted)
{
    writeFile("a.txt", "A");
    addFolder(dir());
    page.opt1Replace->click();
    page.txt1Replace->setText(QStringLiteral("b"));
    page.cmdPreview_Click();
    writeFile("b.txt", "someone else's");
    page.cmdApply_Click();
    EXPECT_EQ(status, QStringLiteral("0 Files Renamed"));
    EXPECT_EQ(answers.messages(), QStringList{"File " + dir() + "b.txt already exists, it was not replaced"});
    EXPECT_EQ(readFile("b.txt"), "someone else's");
    EXPECT_EQ(readFile("a.txt"), "A");
}

TEST_F(RenamePageTest, NumberingFollowsTheSortedOrderAndRestartsPerFolder)
{
    writeFile("one/b", "");
    writeFile("one/c", "");
    writeFile("two/a", "");
    page.chkRecursive->setChecked(true);
    addFolder(dir());
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"b", "c", "a"}));
    page.opt2After->click();
    EXPECT_TRUE(page.fraOpt2->isEnabled());
    SetSortAscending(false);
    page.LVFile_ColumnClick(1); // by file name: a second click on it turns to ascending
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"a", "b", "c"}));
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"a0", "b1", "c2"}));
    page.chkInitDir->click();
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"a0", "b0", "c1"}));
}

TEST_F(RenamePageTest, AddDropDeleteAndClearKeepTheListAndButtonsRight)
{
    writeFile("top.txt", "");
    writeFile("noext", "");
    writeFile("sub/deep.txt", "");
    addFolder(dir());
    EXPECT_EQ(page.LVFile->rows().rowCount(), 2);
    addFolder(dir()); // the same folder again adds nothing
    EXPECT_EQ(status, QStringLiteral("2 Files Added"));

    // A dropped folder is listed with its sub-folders; a listed file changes nothing.
    page.LVFile_OLEDragDrop({path("sub"), path("top.txt")});
    EXPECT_EQ(status, QStringLiteral("3 Files Added"));
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"noext", "top", "deep"}));
    EXPECT_EQ(column(page.LVFile, 1), QStringList({"", "txt", "txt"}));

    page.LVFile->selectAll();
    EXPECT_EQ(page.LVFile_OLESetData(), QStringList({dir() + "noext", dir() + "top.txt", path("sub/deep.txt")}));

    page.LVFile->selectionModel()->clearSelection();
    page.LVFile->selectionModel()->select(page.LVFile->rows().index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    page.cmdDelete_Click();
    EXPECT_EQ(status, QStringLiteral("1 Files Deleted"));
    EXPECT_EQ(column(page.LVFile, 0), QStringList({"top", "deep"}));
    page.LVFile_OLEDragDrop({path("noext")}); // can come back once deleted
    EXPECT_EQ(page.LVFile->rows().rowCount(), 3);

    page.cmdPreview_Click();
    page.cmdClear_Click();
    EXPECT_EQ(status, QStringLiteral("List Cleared"));
    EXPECT_EQ(page.LVFile->rows().rowCount(), 0);
    EXPECT_EQ(page.LVPreview->rows().rowCount(), 0);
    for (QPushButton *b : {page.cmdDelete, page.cmdClear, page.cmdPreview, page.cmdApply})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(RenamePageTest, RuleControlsEnableTheirBoxesAndKeepTheOptions)
{
    EXPECT_FALSE(page.txt1Replace->isEnabled());
    page.opt1Insert->click();
    EXPECT_TRUE(page.txt1Before->isEnabled());
    EXPECT_TRUE(page.txt1After->isEnabled());
    EXPECT_EQ(page.Options.NameMode, ModeInsert);
    page.txt1Before->setText(QStringLiteral("pre"));
    page.opt1None->click(); // disabling keeps the text and the value
    EXPECT_FALSE(page.txt1Before->isEnabled());
    EXPECT_EQ(page.Options.Prefix, QStringLiteral("pre"));

    page.opt3Fixed->click();
    EXPECT_TRUE(page.txt3Fixed->isEnabled());
    EXPECT_EQ(page.Options.ExtMode, ModeFixed);
    page.opt4First->click();
    EXPECT_EQ(page.Options.CaseMode, ModeCapitalize);

    EXPECT_FALSE(page.chkMatchCase->isEnabled());
    page.chkSub->click();
    EXPECT_TRUE(page.Options.Substitute);
    for (QWidget *w : {static_cast<QWidget *>(page.txt4Replace), static_cast<QWidget *>(page.txt4With),
                       static_cast<QWidget *>(page.chkMatchCase), static_cast<QWidget *>(page.lbl4Replace)})
        EXPECT_TRUE(w->isEnabled());
    page.chkMatchCase->click();
    EXPECT_TRUE(page.Options.MatchCase);

    answers.saveAnswers = {path("chosen.log")};
    page.chkLog->click();
    page.cmdBrowse_Click();
    EXPECT_EQ(page.txtLog->text(), path("chosen.log"));
    page.cmdBrowse_Click(); // cancelled: the text stays
    EXPECT_EQ(page.txtLog->text(), path("chosen.log"));
    page.chkLog->click();
    EXPECT_FALSE(page.cmdBrowse->isEnabled());
    EXPECT_EQ(page.txtLog->text(), path("chosen.log"));
}

TEST_F(RenamePageTest, AnUnwritableLogStopsApplyBeforeAnythingIsRenamed)
{
    writeFile("a.txt", "A");
    addFolder(dir());
    page.opt4Upper->click();
    page.cmdPreview_Click();
    page.chkLog->click();
    page.txtLog->setText(path("no/such/folder/Log.log"));
    page.cmdApply_Click();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages()[0].contains(QStringLiteral("no/such/folder/Log.log")));
    EXPECT_EQ(listing(), QStringList({"a.txt"}));
}

TEST_F(RenamePageTest, FilesDroppedFromTheDesktopAreListedAndOtherDataIsRefused)
{
    writeFile("dropped.txt", "");
    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.LVFile->viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(path("dropped.txt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.LVFile->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.LVFile->viewport(), &drop);
    EXPECT_EQ(column(page.LVFile, 0), QStringList{"dropped"});
    EXPECT_TRUE(page.cmdPreview->isEnabled());
    EXPECT_TRUE(status.isEmpty()); // dropped files, unlike folders, leave the status alone

    // A file whose name is not UTF-8 is never taken for the file its name
    // shows as.
    writeRawNamedFile("a\xff.txt");
    writeFile(QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral(".txt"), "look-alike");
    QMimeData raw;
    raw.setData(QStringLiteral("text/uri-list"),
                "file://" + QFile::encodeName(dir()).toPercentEncoding("/") + "a%FF.txt\r\n");
    QDragEnterEvent rawEnter(QPoint(5, 5), Qt::CopyAction, &raw, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.LVFile->viewport(), &rawEnter);
    QDropEvent rawDrop(QPointF(5, 5), Qt::CopyAction, &raw, Qt::LeftButton, {});
    QCoreApplication::sendEvent(page.LVFile->viewport(), &rawDrop);
    EXPECT_TRUE(rawDrop.isAccepted());
    EXPECT_EQ(column(page.LVFile, 0), QStringList{"dropped"});
    EXPECT_TRUE(status.startsWith(QStringLiteral("1 files were left out"))) << status.toStdString();
    EXPECT_TRUE(status.endsWith(path("a\\xFF.txt"))) << status.toStdString();
}

TEST_F(RenamePageTest, AnApplyThatRenamesNothingSaysSoAndKeepsTheLogOfTheRealRename)
{
    for (const char *name : {"x.txt", "y.txt"})
        writeFile(name, name);
    addFolder(dir());
    numberFromFive();
    page.chkLog->click();
    page.txtLog->setText(path("rename.log"));
    page.cmdPreview_Click();
    page.cmdApply_Click();
    ASSERT_EQ(status, QStringLiteral("2 Files Renamed"));
    const QByteArray first = readFile("rename.log");

    // The same rules again: every file already has its new name.
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Ok", "Ok"}));
    page.cmdApply_Click();
    EXPECT_EQ(status, "No file was renamed: every file already has the name the preview shows. The log "
                          + path("rename.log") + " is left as it was");
    EXPECT_TRUE(answers.messages().isEmpty());
    EXPECT_EQ(readFile("rename.log"), first);
    EXPECT_EQ(listing(), QStringList({"05.txt", "06.txt", "rename.log"}));

    // Without a log the page says the same, without the log's part.
    page.chkLog->click();
    page.cmdPreview_Click();
    page.cmdApply_Click();
    EXPECT_EQ(status, QStringLiteral("No file was renamed: every file already has the name the preview shows"));
}

TEST_F(RenamePageTest, FilesGoneSinceTheyWereListedAreErrAndNeverLogged)
{
    for (const char *name : {"x.txt", "y.txt", "z.jpg"})
        writeFile(name, name);
    addFolder(dir());
    numberFromFive();
    page.cmdPreview_Click();
    page.cmdApply_Click();
    ASSERT_EQ(listing(), QStringList({"05.txt", "06.txt", "07.jpg"}));
    // Two files get their old names back (as Undo does) behind the list's back.
    ASSERT_TRUE(QFile::rename(path("05.txt"), path("x.txt")));
    ASSERT_TRUE(QFile::rename(path("06.txt"), path("y.txt")));

    SetProp(page.UDSStart, "Value", 10); // 07.jpg moves; 05 and 06 would move too, but are gone
    page.cmdPreview_Click();
    EXPECT_EQ(status, QStringLiteral("Preview : 2 Errors"));
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Err", "Err", "Ok"}));
    page.LVPreview->setCurrentIndex(page.LVPreview->rows().index(0, 0));
    EXPECT_EQ(status, QStringLiteral("The file is no longer there"));

    // With the same rules no name changes: the gone files are still Err.
    SetProp(page.UDSStart, "Value", 5);
    page.cmdPreview_Click();
    EXPECT_EQ(column(page.LVPreview, 0), QStringList({"05", "06", "07"}));
    EXPECT_EQ(column(page.LVPreview, 2), QStringList({"Err", "Err", "Ok"}));

    // Apply goes on with the Ok rows only, and the log names only files that are there.
    SetProp(page.UDSStart, "Value", 10);
    page.cmdPreview_Click();
    page.chkLog->click();
    page.txtLog->setText(path("rename.log"));
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdApply_Click();
    EXPECT_EQ(listing(), QStringList({"12.jpg", "rename.log", "x.txt", "y.txt"}));
    const QByteArray d = QFile::encodeName(dir());
    EXPECT_EQ(readFile("rename.log"), d + "07.jpg -> " + d + "12.jpg\r\n");
}
