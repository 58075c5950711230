#include "zip/core/ZipCoreTest.h"

#include "common/core/FileDialogs.h"
#include "common/ui/ListView.h"
#include "platform/ziplib/ZipReader.h"
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"
#include "zip/ui/ZipPage.h"
#include "zip/ui/ZipRecords.h"
#include "zip/ui/frmBrowseForZip.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace ardl;
using namespace ardl::test;

namespace {

class ZipPageTest : public ZipCoreTest {
protected:
    ZipPageTest()
    {
        ForgetFileDialogFolders();
        page.LoadCaptions();
        page.resize(900, 600);
        QObject::connect(&page, &ZipPage::StatusTextChanged, [this](const QString &text) { statusText = text; });
        // Dialogs answer from the test.
        page.ShowAddDialog = [this] { addDialog(); };
        page.ShowDeleteDialog = [this] {
            seenWhichFiles = ExtractParam.WhichFiles;
            deleteDialog();
        };
        page.ShowExtractDialog = [this] {
            seenWhichFiles = ExtractParam.WhichFiles;
            extractDialog();
        };
        page.ShowCommentDialog = [this] { commentDialog(); };
        ExtractParam = {};
        ZipAddParam = {};
    }

    void open(const QString &zipPath)
    {
        answers.openAnswers.push_back({zipPath});
        page.cmdZipOpen_Click();
    }

    // The add dialog confirms these files with these options.
    void willAdd(const QStringList &names, ZipAddParamRecord options = {})
    {
        addDialog = [this, names, options] {
            for (const QString &name : names)
                ZipFileList->Add(path(name), 0, QDateTime());
            ZipAddParam = options;
            AddConfirmed = true;
        };
    }

    QStringList column(int cell) const
    {
        QStringList out;
        for (const ListRow &row : page.LVZip->rows().rows())
            out << row.cells.value(cell);
        return out;
    }

    void selectRows(const QList<int> &rows)
    {
        page.LVZip->clearSelection();
        for (int row : rows)
            page.LVZip->selectionModel()->select(page.LVZip->rows().index(row, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    bool archiveButtonsEnabled() const
    {
        return page.cmdZipAdd->isEnabled() && page.cmdZipDelete->isEnabled() && page.cmdZipExtract->isEnabled()
               && page.cmdZipComment->isEnabled();
    }

    // An archive of text files made by zip, with a folder entry.
    void makeSample()
    {
        writeFile("s/a.txt", TextBytes(5000, 1));
        writeFile("s/b.log", "b");
        writeFile("s/sub/c.txt", "c");
        SetFileTime(path("s/a.txt"), QDateTime(QDate(2015, 4, 3), QTime(2, 1, 0)));
        // Named one by one so that the archive's order is known.
        ASSERT_EQ(RunTool("zip", {"-q", "a.zip", "s/", "s/a.txt", "s/b.log", "s/sub/", "s/sub/c.txt"}, path()).exitCode,
                  0);
    }

    ZipPage page;
    QString statusText;
    int seenWhichFiles = -1;
    std::function<void()> addDialog = [] {};
    std::function<void()> deleteDialog = [] { DeleteConfirmed = true; };
    std::function<void()> extractDialog = [] {};
    std::function<void()> commentDialog = [] {};

    // The Extract dialog confirmed as offered, into `folder` with folder
    // names, over existing files when `overwrite`.
    void extractAsOfferedInto(const char *folder, bool overwrite = false)
    {
        extractDialog = [this, folder, overwrite] {
            ExtractParam.Folder = path(folder);
            ExtractParam.UseFolderNames = true;
            ExtractParam.Overwrite = overwrite;
            ExtractConfirmed = true;
        };
    }
};

} // namespace

TEST_F(ZipPageTest, OpenListsTheFilesOfAnArchiveWithTheirFigures)
{
    makeSample();
    EXPECT_FALSE(page.cmdZipAdd->isEnabled());
    open(archive());
    EXPECT_EQ(statusText, QStringLiteral("Zip File %1 Opened with 3 Files").arg(archive()));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.log", "c.txt"}));
    EXPECT_EQ(column(5), QStringList({"s/", "s/", "s/sub/"}));
    EXPECT_EQ(column(1).first(), QStringLiteral("2015-04-03 02:01:00"));
    EXPECT_EQ(column(2).first(), QStringLiteral("5000"));
    EXPECT_GT(column(3).first().toInt(), 50);
    EXPECT_LT(column(4).first().toInt(), 2500);
    EXPECT_TRUE(archiveButtonsEnabled());

    page.LVZip_ColumnClick(3); // by size, largest first
    EXPECT_EQ(column(0).first(), QStringLiteral("a.txt"));
}

TEST_F(ZipPageTest, OpeningAFileThatIsNoArchiveSaysSoAndChangesNothing)
{
    makeSample();
    open(archive());
    writeFile("not.zip", "plain text");
    open(path("not.zip"));
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().first().contains("Could not open " + path("not.zip")));
    EXPECT_EQ(page.LVZip->rows().rowCount(), 0);
    EXPECT_FALSE(archiveButtonsEnabled());
    EXPECT_EQ(readFile("not.zip"), QByteArray("plain text"));
}

TEST_F(ZipPageTest, NewOnAnExistingArchiveReplacesItAtTheFirstAdd)
{
    makeSample();
    const QByteArray before = readFile("a.zip");
    answers.saveAnswers.push_back(archive());
    answers.messageAnswers.push_back(MsgAnswer::Yes);
    page.cmdZipNew_Click();
    EXPECT_EQ(answers.asked.back().text, QStringLiteral("File %1 Already exist, overwrite ?").arg(archive()));
    EXPECT_EQ(statusText, QStringLiteral("Zip File %1 Created").arg(archive()));
    EXPECT_TRUE(page.cmdZipAdd->isEnabled());
    EXPECT_FALSE(page.cmdZipDelete->isEnabled());
    EXPECT_EQ(readFile("a.zip"), before);

    writeFile("new.txt", "new");
    willAdd({"new.txt"});
    page.cmdZipAdd_Click();
    EXPECT_EQ(entryNames(archive()), QStringList({"new.txt"}));
    EXPECT_EQ(column(0), QStringList({"new.txt"}));
    EXPECT_EQ(statusText, QStringLiteral("1 Added Files"));
}

TEST_F(ZipPageTest, NewAndOpenStartAtHomeThenWhereEachWasLastUsed)
{
    makeSample();
    const QString home = QDir::homePath() + u'/';
    answers.saveAnswers.push_back(path("made/first.zip"));
    makeDir("made");
    page.cmdZipNew_Click();
    EXPECT_EQ(answers.asked.back().startFolder, home);
    // A plain name goes where the dialog was showing, never elsewhere.
    answers.saveAnswers.push_back(QStringLiteral("plain.zip"));
    page.cmdZipNew_Click();
    EXPECT_EQ(answers.asked.back().startFolder, path("made") + u'/');
    EXPECT_EQ(statusText, QStringLiteral("Zip File %1 Created").arg(path("made/plain.zip")));
    writeFile("new.txt", "new");
    willAdd({"new.txt"});
    page.cmdZipAdd_Click();
    EXPECT_EQ(entryNames(path("made/plain.zip")), QStringList({"new.txt"}));

    // Open remembers its own folder.
    open(archive());
    EXPECT_EQ(answers.asked.back().kind, ScriptedPrompter::Kind::OpenFile);
    EXPECT_EQ(answers.asked.back().startFolder, home);
    open(archive());
    EXPECT_EQ(answers.asked.back().startFolder, path() + u'/');
}

TEST_F(ZipPageTest, AfterNewOverAnArchiveThatNothingReplacedItsListedFilesStaySafe)
{
    makeSample();
    answers.saveAnswers.push_back(archive());
    answers.messageAnswers.push_back(MsgAnswer::Yes);
    page.cmdZipNew_Click();
    // Freshen finds nothing to renew: the old archive stays and is listed.
    writeFile("new.txt", "new");
    ZipAddParamRecord freshen;
    freshen.Action = 1;
    willAdd({"new.txt"}, freshen);
    page.cmdZipAdd_Click();
    ASSERT_EQ(column(0), QStringList({"a.txt", "b.log", "c.txt"}));
    ASSERT_TRUE(archiveButtonsEnabled());

    makeDir("out");
    extractDialog = [this] {
        ExtractParam.Folder = path("out");
        ExtractConfirmed = true;
    };
    page.cmdZipExtract_Click();
    commentDialog = [] {
        ZipComment = QStringLiteral("kept");
        CommentConfirmed = true;
    };
    page.cmdZipComment_Click();
    ASSERT_TRUE(QFileInfo::exists(archive()));
    EXPECT_EQ(entryNames(archive()), QStringList({"s/", "s/a.txt", "s/b.log", "s/sub/", "s/sub/c.txt"}));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.log", "c.txt"}));

    // The rows shown are what the next add goes beside.
    willAdd({"new.txt"});
    page.cmdZipAdd_Click();
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.log", "c.txt", "new.txt"}));
}

TEST_F(ZipPageTest, NewAnsweredNoKeepsTheArchiveThatWasOpen)
{
    makeSample();
    open(archive());
    writeFile("other.zip", "x");
    answers.saveAnswers.push_back(path("other.zip"));
    answers.messageAnswers.push_back(MsgAnswer::No);
    page.cmdZipNew_Click();
    EXPECT_EQ(ZCL.Archive, archive());
    EXPECT_EQ(page.LVZip->rows().rowCount(), 3);
}

TEST_F(ZipPageTest, AddShowsWhatTheArchiveHoldsAndCountsWhatWentIn)
{
    makeSample();
    open(archive());
    writeFile("x.txt", "x");
    ZipAddParamRecord options;
    options.Level = 0;
    willAdd({"x.txt", "missing.txt"}, options);
    page.cmdZipAdd_Click();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().first().contains(path("missing.txt") + ": could not be added"));
    EXPECT_EQ(statusText, QStringLiteral("1 Added Files"));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.log", "c.txt", "x.txt"}));
    EXPECT_EQ(column(3).last(), QStringLiteral("0"));

    // A cancelled dialog runs nothing.
    addDialog = [] {};
    const QByteArray before = readFile("a.zip");
    page.cmdZipAdd_Click();
    EXPECT_EQ(readFile("a.zip"), before);
}

TEST_F(ZipPageTest, AddWithAPasswordAndFoldersAsTheDialogSays)
{
    answers.saveAnswers.push_back(archive());
    page.cmdZipNew_Click();
    writeFile("d/e/f.txt", "secret");
    ZipAddParamRecord options;
    options.IncludeSubDir = true;
    willAdd({"d/e/f.txt"}, options);
    ZipPassword = QStringLiteral("pw");
    page.cmdZipAdd_Click();
    const QString entry = QDir::cleanPath(path("d/e/f.txt")).mid(1);
    EXPECT_EQ(entryNames(archive()), QStringList({entry}));
    EXPECT_EQ(entryData(archive(), entry, "pw"), QByteArray("secret"));
    EXPECT_EQ(RunTool("unzip", {"-P", "pw", "-t", archive()}).exitCode, 0);
}

TEST_F(ZipPageTest, TheCommandsAreOffWhileARunGoesOn)
{
    makeSample();
    open(archive());
    writeFile("big.bin", RandomBytes(3 * 1024 * 1024));
    willAdd({"big.bin"});
    bool enabledDuringRun = true;
    int calls = 0;
    ZipKeepAlive = [&] {
        ++calls;
        enabledDuringRun = enabledDuringRun && page.isEnabled();
    };
    page.cmdZipAdd_Click();
    ZipKeepAlive = nullptr;
    EXPECT_GT(calls, 0);
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(page.isEnabled());
}

TEST_F(ZipPageTest, DeleteWithNoRowSelectedAsksThenEmptiesTheArchive)
{
    makeSample();
    open(archive());
    const QByteArray before = readFile("a.zip");
    answers.messageAnswers.push_back(MsgAnswer::No);
    page.cmdZipDelete_Click();
    EXPECT_EQ(seenWhichFiles, 1);
    EXPECT_TRUE(ExtractParam.NoSelection);
    EXPECT_EQ(answers.asked.back().text, QStringLiteral("Remove every file of %1 ?").arg(archive()));
    EXPECT_EQ(readFile("a.zip"), before);

    answers.messageAnswers.push_back(MsgAnswer::Yes);
    page.cmdZipDelete_Click();
    EXPECT_EQ(page.LVZip->rows().rowCount(), 0);
    EXPECT_FALSE(archiveButtonsEnabled());
    EXPECT_EQ(statusText, QStringLiteral("3 Files Deleted of Zip File"));
}

TEST_F(ZipPageTest, DeleteOffersTheSelectedRowsEvenAfterAnEarlierAllFiles)
{
    makeSample();
    open(archive());
    ExtractParam.WhichFiles = 1; // left by an earlier delete of every file
    selectRows({1});
    deleteDialog = [] {};
    page.cmdZipDelete_Click();
    EXPECT_EQ(seenWhichFiles, 0);
    EXPECT_FALSE(ExtractParam.NoSelection);

    // All Files chosen over a selection is asked too, No being the default.
    deleteDialog = [] {
        ExtractParam.WhichFiles = 1;
        DeleteConfirmed = true;
    };
    const QByteArray before = readFile("a.zip");
    page.cmdZipDelete_Click();
    ASSERT_EQ(answers.count(ScriptedPrompter::Kind::Message), 1);
    EXPECT_EQ(answers.asked.back().buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(readFile("a.zip"), before);
}

TEST_F(ZipPageTest, ADeleteThatTakesEveryEntryAsksThenSaysTheArchiveIsGone)
{
    writeFile("a.txt", "a");
    writeFile("b.txt", "b");
    ASSERT_EQ(RunTool("zip", {"-q", "-z", "a.zip", "a.txt", "b.txt"}, path(), "the comment\n.\n").exitCode, 0);
    open(archive());
    const QByteArray before = readFile("a.zip");
    const QString question = QStringLiteral("Delete every entry of %1 ?\n\nAn archive without entries cannot stay: "
                                            "the archive file itself is removed, and its comment with it.")
                                 .arg(archive());
    // A typed wildcard that takes every entry, refused.
    deleteDialog = [] {
        ExtractParam.WhichFiles = 2;
        ExtractParam.FileSpec = QStringLiteral("*");
        DeleteConfirmed = true;
    };
    page.cmdZipDelete_Click();
    ASSERT_EQ(answers.count(ScriptedPrompter::Kind::Message), 1);
    EXPECT_EQ(answers.asked.back().text, question);
    EXPECT_EQ(answers.asked.back().buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(readFile("a.zip"), before);
    EXPECT_EQ(page.LVZip->rows().rowCount(), 2);

    // Both rows selected: the same question; agreed to, the file goes.
    selectRows({0, 1});
    deleteDialog = [] {
        ExtractParam.WhichFiles = 0;
        DeleteConfirmed = true;
    };
    answers.messageAnswers.push_back(MsgAnswer::Yes);
    page.cmdZipDelete_Click();
    ASSERT_EQ(answers.count(ScriptedPrompter::Kind::Message), 2);
    EXPECT_EQ(answers.asked.back().text, question);
    EXPECT_FALSE(QFileInfo::exists(archive()));
    EXPECT_EQ(page.LVZip->rows().rowCount(), 0);
    EXPECT_FALSE(archiveButtonsEnabled());
    EXPECT_EQ(statusText, QStringLiteral("Zip File %1 removed: its last 2 entries were deleted").arg(archive()));
}

TEST_F(ZipPageTest, DeleteSelectedRowsOrATypedWildcard)
{
    makeSample();
    open(archive());
    selectRows({0, 2});
    deleteDialog = [] {
        ExtractParam.WhichFiles = 0;
        DeleteConfirmed = true;
    };
    page.cmdZipDelete_Click();
    EXPECT_FALSE(ExtractParam.NoSelection);
    EXPECT_EQ(column(0), QStringList({"b.log"}));
    EXPECT_EQ(entryNames(archive()), QStringList({"s/", "s/b.log", "s/sub/"}));
    EXPECT_EQ(statusText, QStringLiteral("2 Files Deleted of Zip File"));

    deleteDialog = [] {
        ExtractParam.WhichFiles = 2;
        ExtractParam.FileSpec = QStringLiteral("*.LOG");
        DeleteConfirmed = true;
    };
    page.cmdZipDelete_Click();
    EXPECT_EQ(entryNames(archive()), QStringList({"s/", "s/sub/"}));
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Message), 0);
}

TEST_F(ZipPageTest, ExtractEverythingOrTheTypedNames)
{
    makeSample();
    open(archive());
    makeDir("out");
    extractAsOfferedInto("out");
    page.cmdZipExtract_Click();
    EXPECT_EQ(seenWhichFiles, 1);
    EXPECT_TRUE(IncludeNames.isEmpty());
    EXPECT_EQ(statusText, QStringLiteral("3 Files Extracted of Zip File"));
    EXPECT_EQ(tree(path("out")), QStringList({"s/", "s/a.txt", "s/b.log", "s/sub/", "s/sub/c.txt"}));

    // Existing files: the question is answered No.
    answers.overwriteAnswers = {OverwriteNo};
    extractDialog = [this] {
        ExtractParam.Folder = path("out");
        ExtractParam.UseFolderNames = true;
        ExtractParam.WhichFiles = 2;
        ExtractParam.FileSpec = QStringLiteral("s/sub/c.txt");
        ExtractConfirmed = true;
    };
    page.cmdZipExtract_Click();
    EXPECT_EQ(IncludeNames, QStringList({"s/sub/c.txt"}));
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Overwrite), 1);
    EXPECT_EQ(statusText, QStringLiteral("0 Files Extracted of Zip File"));
}

TEST_F(ZipPageTest, ExtractOffersTheSelectedRowsEvenAfterAnEarlierAllFiles)
{
    makeSample();
    open(archive());
    makeDir("out");
    extractAsOfferedInto("out", true);
    page.cmdZipExtract_Click(); // nothing selected: every entry
    EXPECT_EQ(seenWhichFiles, 1);
    writeFile("out/s/a.txt", "edited since");
    writeFile("out/s/sub/c.txt", "edited too");

    selectRows({1});
    page.cmdZipExtract_Click();
    EXPECT_EQ(seenWhichFiles, 0);
    EXPECT_FALSE(ExtractParam.NoSelection);
    EXPECT_EQ(readFile("out/s/a.txt"), QByteArray("edited since"));
    EXPECT_EQ(readFile("out/s/sub/c.txt"), QByteArray("edited too"));
    EXPECT_EQ(readFile("out/s/b.log"), QByteArray("b"));
    EXPECT_EQ(statusText, QStringLiteral("1 Files Extracted of Zip File"));
}

TEST_F(ZipPageTest, CommentShowsTheStoredOneAndCancelChangesNothing)
{
    writeFile("c.txt", "c");
    ASSERT_EQ(RunTool("zip", {"-q", "-z", "a.zip", "c.txt"}, path(), "Stored comment\nline 2\n.\n").exitCode, 0);
    open(archive());
    QString shown;
    commentDialog = [&] { shown = ZipComment; };
    const QByteArray before = readFile("a.zip");
    page.cmdZipComment_Click();
    EXPECT_EQ(shown, QStringLiteral("Stored comment\r\nline 2"));
    EXPECT_EQ(readFile("a.zip"), before);

    commentDialog = [] {
        ZipComment = QStringLiteral("New comment\nline 2");
        CommentConfirmed = true;
    };
    page.cmdZipComment_Click();
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    EXPECT_EQ(reader.rawComment(), QByteArray("New comment\r\nline 2"));
}

TEST_F(ZipPageTest, ADropAfterADeleteAddsTheDroppedFilesWithTheirFolders)
{
    makeSample();
    open(archive());
    deleteDialog = [] {
        ExtractParam.WhichFiles = 2;
        ExtractParam.FileSpec = QStringLiteral("b.log");
        DeleteConfirmed = true;
    };
    page.cmdZipDelete_Click();
    writeFile("drop/one.txt", "1");
    writeFile("drop/in/two.txt", "2");
    writeFile("three.txt", "3");

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path("drop")), QUrl::fromLocalFile(path("three.txt"))});
    QWidget *viewport = page.LVZip->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);

    const QString root = QDir::cleanPath(path()).mid(1);
    EXPECT_EQ(statusText, QStringLiteral("3 Added Files"));
    EXPECT_EQ(column(0), QStringList({"a.txt", "c.txt", "one.txt", "two.txt", "three.txt"}));
    EXPECT_EQ(column(5).last(), root + u'/');
    EXPECT_TRUE(entryNames(archive()).contains(root + "/drop/in/two.txt"));
}

namespace {

void Drop(QWidget *viewport, const QList<QUrl> &urls, bool *accepted)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    *accepted = enter.isAccepted();
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
}

const QString LeftOutText = QStringLiteral(
    "files were left out because their names are not valid UTF-8 and cannot be shown exactly, for example ");

} // namespace

TEST_F(ZipPageTest, AMovedAddLeavesOutANameThatIsNotUtf8AndNeverTouchesItsLookAlike)
{
    makeDir("pick");
    writeRawNamedFile("pick/a\xff.txt", "raw bytes");
    // A real file whose name is what the one above reads as.
    writeFile("pick/a\uFFFD.txt", "look-alike");
    writeFile("pick/b.txt", "b");
    answers.saveAnswers.push_back(archive());
    page.cmdZipNew_Click();

    int rowsShown = 0;
    page.ShowAddDialog = [&] {
        frmBrowseForZip dialog(&page);
        dialog.FTBrowseZip_FolderChanged(path("pick"));
        const ListViewModel &rows = dialog.LVZipAdd->rows();
        rowsShown = rows.rowCount();
        for (int i = 0; i < rows.rowCount(); ++i) {
            if (!rows.row(i).rawKey.isEmpty() || rows.row(i).key == path("pick/b.txt"))
                dialog.LVZipAdd->selectionModel()->select(rows.index(i, 0),
                                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        dialog.cboAction->setCurrentIndex(2); // move
        QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
    };
    page.cmdZipAdd_Click();

    EXPECT_EQ(rowsShown, 3); // the two names that read alike are two rows
    EXPECT_EQ(entryNames(archive()), QStringList({"b.txt"}));
    EXPECT_FALSE(QFile::exists(path("pick/b.txt")));
    EXPECT_EQ(readFile("pick/a\uFFFD.txt"), QByteArray("look-alike"));
    EXPECT_EQ(readRawNamedFile("pick/a\xff.txt"), QByteArray("raw bytes"));
    EXPECT_EQ(answers.messages(), QStringList{"1 " + LeftOutText + path("pick/a\\xFF.txt")});
    EXPECT_EQ(statusText, QStringLiteral("1 Added Files"));
}

TEST_F(ZipPageTest, ADropLeavesOutNamesThatAreNotUtf8AndSaysSoOnce)
{
    answers.saveAnswers.push_back(archive());
    page.cmdZipNew_Click();
    const QByteArray folder = QFile::encodeName(dir());
    writeRawNamedFile("b\xfe.txt", "dropped alone");
    makeDir("drop");
    writeRawNamedFile("drop/a\xff.txt", "raw bytes");
    writeFile("drop/a\uFFFD.txt", "look-alike");

    // A drag of nothing but such a file is taken, to say why nothing goes in.
    bool accepted = false;
    Drop(page.LVZip->viewport(), {RawFileUrl(folder + "b\xfe.txt")}, &accepted);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(answers.messages(), QStringList{"1 " + LeftOutText + path("b\\xFE.txt")});
    EXPECT_FALSE(QFile::exists(archive()));
    EXPECT_EQ(statusText, QStringLiteral("0 Added Files"));

    // With a folder: its look-alike goes in once, as itself.
    answers.asked.clear();
    Drop(page.LVZip->viewport(), {RawFileUrl(folder + "b\xfe.txt"), QUrl::fromLocalFile(path("drop"))}, &accepted);
    const QString lookAlike = QDir::cleanPath(path("drop/a\uFFFD.txt")).mid(1);
    EXPECT_EQ(entryNames(archive()), QStringList{lookAlike});
    EXPECT_EQ(entryData(archive(), lookAlike), QByteArray("look-alike"));
    EXPECT_EQ(answers.messages(), QStringList{"2 " + LeftOutText + path("b\\xFE.txt")});
    EXPECT_EQ(statusText, QStringLiteral("1 Added Files"));
    EXPECT_EQ(column(0), QStringList{"a\uFFFD.txt"});
}

TEST_F(ZipPageTest, EntriesWhoseNamesReadAlikeAreTwoRowsEachExtractedAndDeletedAlone)
{
    // "caf\x82.txt" is "café.txt" in the code page of DOS archives: the same
    // text as the UTF-8 name beside it, with the same size and date.
    makeDir("cp");
    writeRawNamedFile("cp/caf\x82.txt", "dos");
    writeFile("cp/caf\u00e9.txt", "utf");
    ASSERT_EQ(RunTool("/bin/sh", {"-c", "touch -d '2020-01-02 03:04:05' cp/* && cd cp && zip -q ../a.zip *"}, path())
                  .exitCode,
              0);
    open(archive());
    ASSERT_EQ(column(0), QStringList({"caf\u00e9.txt", "caf\u00e9.txt"}));
    const int dosRow = page.LVZip->rows().row(0).rawKey.isEmpty() ? 1 : 0;
    EXPECT_EQ(page.LVZip->rows().row(dosRow).rawKey, QByteArray("caf\x82.txt"));

    makeDir("out");
    selectRows({dosRow});
    extractDialog = [this] {
        ExtractParam.Folder = path("out");
        ExtractParam.WhichFiles = 0;
        ExtractConfirmed = true;
    };
    page.cmdZipExtract_Click();
    EXPECT_EQ(tree(path("out")), QStringList({"caf\u00e9.txt"}));
    EXPECT_EQ(readFile("out/caf\u00e9.txt"), QByteArray("dos"));
    EXPECT_EQ(statusText, QStringLiteral("1 Files Extracted of Zip File"));

    selectRows({1 - dosRow});
    deleteDialog = [] {
        ExtractParam.WhichFiles = 0;
        DeleteConfirmed = true;
    };
    page.cmdZipDelete_Click();
    EXPECT_EQ(statusText, QStringLiteral("1 Files Deleted of Zip File"));
    ZipReader reader;
    ASSERT_TRUE(reader.open(archive()));
    ASSERT_EQ(reader.entries().size(), 1u);
    EXPECT_EQ(reader.entries().front().rawName, QByteArray("caf\x82.txt"));
    EXPECT_EQ(page.LVZip->rows().rowCount(), 1);
    EXPECT_TRUE(answers.messages().isEmpty());
}
