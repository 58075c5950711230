#include "zip/core/ZipCoreTest.h"

#include "common/ui/ListView.h"
#include "platform/foldertree/FolderTree.h"
#include "platform/settings/modRegistry.h"
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"
#include "zip/ui/ZipFilesFrame.h"
#include "zip/ui/ZipRecords.h"
#include "zip/ui/frmBrowseForZip.h"
#include "zip/ui/frmComment.h"
#include "zip/ui/frmDeleteZip.h"
#include "zip/ui/frmExtractZip.h"
#include "zip/ui/frmListZip.h"
#include "zip/ui/frmNewFolder.h"
#include "zip/ui/frmPassword.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace ardl;
using namespace ardl::test;

namespace {

class ZipDialogsTest : public ZipCoreTest {
protected:
    ZipDialogsTest()
    {
        ExtractParam = {};
        ZipAddParam = {};
        ZipFileList = std::make_unique<colFile>();
        AddConfirmed = ExtractConfirmed = DeleteConfirmed = CommentConfirmed = NewFolderConfirmed = false;
    }

    QStringList listed() const
    {
        QStringList names;
        for (const clsFile &f : *ZipFileList)
            names << f.Name;
        return names;
    }
};

} // namespace

TEST_F(ZipDialogsTest, PasswordOpeningClearsCancelKeepsItEmpty)
{
    ZipPassword = QStringLiteral("earlier");
    {
        frmPassword dialog;
        EXPECT_TRUE(ZipPassword.isEmpty());
        EXPECT_EQ(dialog.txtPassword->echoMode(), QLineEdit::Password);
        dialog.chkMask->click();
        EXPECT_EQ(dialog.txtPassword->echoMode(), QLineEdit::Normal);
        dialog.txtPassword->setText(QStringLiteral("typed"));
        dialog.cmdCancel->click();
    }
    EXPECT_TRUE(ZipPassword.isEmpty());
    frmPassword dialog;
    dialog.txtPassword->setText(QStringLiteral("typed"));
    dialog.cmdOk->click();
    EXPECT_EQ(ZipPassword, QStringLiteral("typed"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ZipDialogsTest, CommentEditsZipCommentOnlyWhenConfirmed)
{
    ZipComment = QStringLiteral("one\ntwo");
    frmComment dialog;
    EXPECT_EQ(dialog.txtComment->toPlainText(), ZipComment);
    dialog.txtComment->setPlainText(QStringLiteral("changed"));
    dialog.cmdCancel->click();
    EXPECT_FALSE(CommentConfirmed);
    EXPECT_EQ(ZipComment, QStringLiteral("one\ntwo"));
    frmComment again;
    again.txtComment->setPlainText(QStringLiteral("changed"));
    again.cmdOk->click();
    EXPECT_TRUE(CommentConfirmed);
    EXPECT_EQ(ZipComment, QStringLiteral("changed"));
}

TEST_F(ZipDialogsTest, DeleteWithNoSelectionOffersAllFilesAndTakesATypedName)
{
    ExtractParam.NoSelection = true;
    ExtractParam.WhichFiles = 1;
    frmDeleteZip dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delete files"));
    EXPECT_TRUE(dialog.fraFiles->optAllFiles->isChecked());
    EXPECT_FALSE(dialog.fraFiles->optSelectFiles->isEnabled());
    EXPECT_FALSE(dialog.fraFiles->txtFiles->isEnabled());
    dialog.fraFiles->optFiles->click();
    EXPECT_TRUE(dialog.fraFiles->txtFiles->isEnabled());
    dialog.fraFiles->txtFiles->setText(QStringLiteral("*.tmp"));
    dialog.cmdDelete->click();
    EXPECT_TRUE(DeleteConfirmed);
    EXPECT_EQ(ExtractParam.WhichFiles, 2);
    EXPECT_EQ(ExtractParam.FileSpec, QStringLiteral("*.tmp"));
}

TEST_F(ZipDialogsTest, DeleteWithRowsSelectedPreselectsThem)
{
    ExtractParam.NoSelection = false;
    ExtractParam.WhichFiles = 1; // what an earlier delete of every file left
    frmDeleteZip dialog;
    EXPECT_TRUE(dialog.fraFiles->optSelectFiles->isChecked());
    EXPECT_TRUE(dialog.fraFiles->optSelectFiles->isEnabled());
    dialog.cmdDelete->click();
    EXPECT_TRUE(DeleteConfirmed);
    EXPECT_EQ(ExtractParam.WhichFiles, 0);
}

TEST_F(ZipDialogsTest, NewFolderGivesTheTypedName)
{
    frmNewFolder dialog;
    EXPECT_FALSE(NewFolderConfirmed);
    dialog.txtNewFolder->setText(QStringLiteral("fresh"));
    dialog.cmdOk->click();
    EXPECT_TRUE(NewFolderConfirmed);
    EXPECT_EQ(NewFolderName, QStringLiteral("fresh"));
}

TEST_F(ZipDialogsTest, ExtractCreatesATypedFolderAndKeepsItsChoices)
{
    ExtractParam.NoSelection = true;
    ExtractParam.WhichFiles = 1;
    {
        frmExtractZip dialog;
        EXPECT_TRUE(dialog.fraFiles->optAllFiles->isChecked());
        EXPECT_FALSE(dialog.fraFiles->optSelectFiles->isEnabled());
        EXPECT_FALSE(dialog.chkOverFile->isChecked());
        dialog.chkOverFile->setChecked(true);
        dialog.chkUseName->setChecked(true);
        dialog.cboFolder->setEditText(path("new/deeper/still"));
        dialog.cmdExtract->click();
        EXPECT_TRUE(ExtractConfirmed);
    }
    EXPECT_TRUE(QDir(path("new/deeper/still")).exists());
    EXPECT_EQ(ExtractParam.Folder, path("new/deeper/still"));
    EXPECT_TRUE(ExtractParam.Overwrite);
    EXPECT_FALSE(ExtractParam.SkipOlder);
    EXPECT_TRUE(ExtractParam.UseFolderNames);
    EXPECT_EQ(QueryValue(ProgramKey + "Option\\Extract", "Overwrite").toString(), QStringLiteral("True"));
    EXPECT_EQ(QueryValue(ProgramKey + "Option\\Extract", "Skipolder").toString(), QStringLiteral("False"));

    ExtractParam.NoSelection = false;
    ExtractParam.WhichFiles = 0;
    frmExtractZip again;
    EXPECT_TRUE(again.chkOverFile->isChecked());
    EXPECT_TRUE(again.fraFiles->optSelectFiles->isChecked());
    EXPECT_EQ(again.cboFolder->currentText(), path("new/deeper/still"));
}

TEST_F(ZipDialogsTest, ExtractGoesToTheFolderPickedEvenWhenItsNameEndsInASpace)
{
    // "proj " and "proj" are two folders: the files go to the one picked,
    // never into the other.
    makeDir("base/proj");
    const QString picked = makeDir("base/proj ");
    {
        frmExtractZip dialog;
        dialog.FTZip_FolderChanged(picked);
        dialog.cmdExtract->click();
        EXPECT_TRUE(ExtractConfirmed);
    }
    EXPECT_EQ(ExtractParam.Folder, picked);
    EXPECT_EQ(tree(path("base")), QStringList({"proj /", "proj/"}));

    // A box of blanks names no folder.
    ExtractConfirmed = false;
    frmExtractZip blank;
    blank.cboFolder->setEditText(QStringLiteral("   "));
    blank.cmdExtract->click();
    EXPECT_FALSE(ExtractConfirmed);
    EXPECT_EQ(answers.messages().size(), 1);
}

TEST_F(ZipDialogsTest, ExtractSaysSoWhenATypedFolderIsNotThere)
{
    frmExtractZip dialog;
    dialog.cboFolder->setEditText(path("nowhere"));
    dialog.cmdSelect();
    EXPECT_EQ(answers.messages(), QStringList(QStringLiteral("Could not find folder %1.").arg(path("nowhere"))));
    EXPECT_FALSE(QDir(path("nowhere")).exists());
    EXPECT_FALSE(ExtractConfirmed);
}

TEST_F(ZipDialogsTest, ANewFolderWithNoNameCreatesNothingNew)
{
    makeDir("base");
    frmExtractZip dialog;
    dialog.FTZip->setSelectedFolder(path("base"));
    dialog.ShowNewFolderDialog = [] {
        NewFolderName = QString();
        NewFolderConfirmed = true;
    };
    dialog.cmdNewFolder_Click();
    EXPECT_TRUE(tree(path("base")).isEmpty());
    EXPECT_EQ(dialog.cboFolder->currentText(), path("base"));
    dialog.ShowNewFolderDialog = [] {
        NewFolderName = QStringLiteral("made");
        NewFolderConfirmed = true;
    };
    dialog.cmdNewFolder_Click();
    EXPECT_EQ(tree(path("base")), QStringList({"made/"}));
    EXPECT_EQ(dialog.cboFolder->currentText(), path("base/made"));
}

TEST_F(ZipDialogsTest, AddFilesTakesTheSelectedRowsOrTheWildcardMatches)
{
    writeFile("pick/one.txt", "1");
    writeFile("pick/two.log", "22");
    writeFile("pick/sub/three.txt", "333");
    frmBrowseForZip dialog;
    dialog.FTBrowseZip_FolderChanged(makeDir("empty"));
    dialog.cmdAdd_Click(); // no rows: nothing happens
    EXPECT_FALSE(AddConfirmed);

    dialog.FTBrowseZip_FolderChanged(path("pick"));
    ASSERT_EQ(dialog.LVZipAdd->rows().rowCount(), 2);
    dialog.LVZipAdd->selectionModel()->select(dialog.LVZipAdd->rows().index(1, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog.cboCompression->setCurrentIndex(4);
    dialog.cboAction->setCurrentIndex(3);
    dialog.chkIncludeSubDir->setChecked(true);
    dialog.cmdAdd_Click();
    EXPECT_TRUE(AddConfirmed);
    EXPECT_EQ(listed(), QStringList({path("pick/two.log")}));
    EXPECT_EQ(ZipFileList->Item(1).Size, 2);
    EXPECT_EQ(ZipAddParam.Level, 0);
    EXPECT_EQ(ZipAddParam.Action, 3);
    EXPECT_TRUE(ZipAddParam.IncludeSubDir);
    EXPECT_EQ(QueryValue(ProgramKey + "Option\\AddZip", "IncSubDir").toString(), QStringLiteral("True"));
}

TEST_F(ZipDialogsTest, AddWithWildcardsWalksSubFoldersWhenAskedAndRemembersTheFilter)
{
    writeFile("pick/one.txt", "1");
    writeFile("pick/two.log", "22");
    writeFile("pick/sub/three.txt", "333");
    {
        frmBrowseForZip dialog;
        dialog.FTBrowseZip_FolderChanged(path("pick"));
        dialog.cboFilter->setEditText(QStringLiteral("*.txt"));
        dialog.chkRecursive->setChecked(true);
        dialog.cmdAddWildcard_Click();
    }
    EXPECT_TRUE(AddConfirmed);
    EXPECT_EQ(listed(), QStringList({path("pick/one.txt"), path("pick/sub/three.txt")}));

    ZipFileList = std::make_unique<colFile>();
    AddConfirmed = false;
    frmBrowseForZip again;
    EXPECT_EQ(again.cboFilter->currentText(), QStringLiteral("*.txt"));
    EXPECT_TRUE(again.chkRecursive->isChecked());
    again.FTBrowseZip_FolderChanged(path("pick"));
    again.cboFilter->setEditText(QStringLiteral("*.none"));
    again.cmdAddWildcard_Click();
    EXPECT_TRUE(AddConfirmed);
    EXPECT_EQ(ZipFileList->Count(), 0);
}

TEST_F(ZipDialogsTest, TheSyncZipListPacksItsFilesWithTheirFolders)
{
    const QString a = writeFile("sync/a.txt", "a");
    const QString b = writeFile("sync/deep/b.txt", "b");
    // A move run on the Zip page beforehand leaves nothing behind.
    ZCL.Archive = path("page.zip");
    ZipOptions.fMove = 1;
    ZipOptions.fDeleteEntries = 1;
    ZipPassword = QStringLiteral("page password");

    frmListZip dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create Zip File for Synchronize"));
    dialog.AddItem(a);
    dialog.AddItem(b);
    answers.saveAnswers.push_back(archive());
    dialog.cmdCreate_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QString root = QDir::cleanPath(path()).mid(1);
    EXPECT_EQ(entryNames(archive()), QStringList({root + "/sync/a.txt", root + "/sync/deep/b.txt"}));
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_TRUE(QFile::exists(b));
    EXPECT_EQ(RunTool("unzip", {"-t", archive()}).exitCode, 0);
    EXPECT_EQ(ZCL.Archive, path("page.zip"));
    EXPECT_EQ(ZipOptions.fMove, 1);
}

// The list holds the files the compare found for the other machine, those
// whose names start with "." among them: the archive holds every one.
TEST_F(ZipDialogsTest, TheSyncZipListPacksHiddenFilesItListsToo)
{
    const QString a = writeFile("sync/a.txt", "a");
    const QString hidden = writeFile("sync/.profile", "hidden");
    frmListZip dialog;
    dialog.AddItem(a);
    dialog.AddItem(hidden);
    answers.saveAnswers.push_back(archive());
    dialog.cmdCreate_Click();
    const QString root = QDir::cleanPath(path()).mid(1);
    EXPECT_EQ(entryNames(archive()), QStringList({root + "/sync/a.txt", root + "/sync/.profile"}));
    EXPECT_EQ(entryData(archive(), root + "/sync/.profile"), QByteArray("hidden"));
    EXPECT_EQ(ZipMessage, QString());
}

TEST_F(ZipDialogsTest, TheSyncZipListReplacesAnArchiveOnlyWhenToldTo)
{
    const QString a = writeFile("a.txt", "a");
    writeFile("old.txt", "old");
    ASSERT_EQ(zipFiles({"old.txt"}), 0);
    const QByteArray before = readFile("a.zip");

    frmListZip dialog;
    dialog.AddItem(a);
    answers.saveAnswers.push_back(archive());
    answers.messageAnswers.push_back(MsgAnswer::No);
    dialog.cmdCreate_Click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(readFile("a.zip"), before);

    answers.saveAnswers.push_back(archive());
    answers.messageAnswers.push_back(MsgAnswer::Yes);
    dialog.cmdCreate_Click();
    EXPECT_EQ(entryNames(archive()), QStringList({QDir::cleanPath(a).mid(1)}));
}

TEST_F(ZipDialogsTest, AnEmptySyncZipListStillRunsAndSaysNothingWasWritten)
{
    frmListZip dialog;
    answers.saveAnswers.push_back(archive());
    dialog.cmdCreate_Click();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().first().startsWith("Nothing to do"));
    EXPECT_FALSE(QFile::exists(archive()));
}
