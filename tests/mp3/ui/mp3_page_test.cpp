#include "mp3/ui/Mp3Page.h"

#include "../core/Mp3TestFiles.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/ListView.h"
#include "platform/foldertree/FolderTree.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

using namespace ardl;
using test::AudioBody;
using test::MakeTag;
using test::TagBytes;

namespace {

class Mp3PageTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        page.LoadCaptions();
        page.resize(1100, 700);
        page.show();
        QObject::connect(&page, &Mp3Page::StatusTextChanged, [this](const QString &text) { status = text; });
    }

    QString dir() const { return path() + u'/'; }

    QString tagged(const QString &name, const ID3Tag &tag, quint32 seed = 1)
    {
        return writeFile(name, AudioBody(2000, seed) + TagBytes(tag));
    }

    void addFolder(const QString &folder, bool recursive = false)
    {
        page.chkMp3Recursive->setChecked(recursive);
        ScanOptions options;
        options.Recursive = recursive;
        options.Path = folder;
        options.Mask = QStringLiteral("*.mp3");
        page.FillListMp3File(options);
    }

    QStringList column(int cell) const
    {
        QStringList out;
        for (const ListRow &row : page.LVMp3File->rows().rows())
            out << row.cells.value(cell);
        return out;
    }

    QColor colour(int row) const { return page.LVMp3File->rows().row(row).foreground.value<QColor>(); }

    // The editor holds no tag: it shows nothing, Save is off, and a save
    // tried after typing leaves `file` as `bytes`.
    void expectNoTagInTheEditor(const char *file, const QByteArray &bytes)
    {
        EXPECT_FALSE(page.editor().loaded());
        EXPECT_TRUE(page.txtEditTagTitle->text().isEmpty());
        EXPECT_FALSE(page.cmdEditTagSave->isEnabled());
        page.txtEditTagTitle->setText("Typed meanwhile");
        page.cmdEditTagSave_Click();
        EXPECT_EQ(readFile(file), bytes);
    }

    void clickRow(int row)
    {
        const QModelIndex index = page.LVMp3File->model()->index(row, 0);
        QTest::mouseClick(page.LVMp3File->viewport(), Qt::LeftButton, {}, page.LVMp3File->visualRect(index).center());
    }

    void showTab(const char *key)
    {
        page.selectTab(key);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    Mp3Page page;
    QString status;
};

const QColor Green(0, 130, 0);
const QColor Red(255, 0, 0);

} // namespace

TEST_F(Mp3PageTest, StartsWithCaptionsGenresAndOnlyAddEnabled)
{
    EXPECT_EQ(page.chkMp3Recursive->text(), QStringLiteral("Rec&ursive Dir"));
    EXPECT_EQ(page.TabStrip->tabText(2), QStringLiteral("ID&3 Tag Editor"));
    EXPECT_EQ(page.TabStrip->tabData(1).toString(), QStringLiteral("MASS"));
    EXPECT_EQ(page.LVMp3File->rows().column(2).alignment, Qt::AlignHCenter);
    for (QComboBox *list : {page.cboMassID3Genre, page.cboEditTagGenre}) {
        ASSERT_EQ(list->count(), 148);
        EXPECT_EQ(list->itemText(17), QStringLiteral("Rock"));
        EXPECT_EQ(list->itemData(147).toString(), QStringLiteral("Synthpop") + QString(50, u' ') + "|147");
    }
    EXPECT_EQ(page.cboMassID3Genre->currentIndex(), -1);
    EXPECT_TRUE(page.cmdAddMp3File->isEnabled());
    for (QPushButton *b :
         {page.cmdDelMp3File, page.cmdClearMp3File, page.cmdID3ToFile, page.cmdSaveTags, page.cmdEditTagSave})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(page.picID3ToFile->isVisible());
    EXPECT_FALSE(page.txtMassID3Title->isEnabled());
}

TEST_F(Mp3PageTest, AddListsMp3FilesOnceAndReportsTheRowCount)
{
    tagged("b.mp3", MakeTag("b", "b"));
    tagged("A.MP3", MakeTag("a", "a"));
    writeFile("notes.txt", "x");
    tagged("sub/c.mp3", MakeTag("c", "c"));
    page.FTMp3->setSelectedFolder(path());
    page.cmdAddMp3File_Click();
    EXPECT_EQ(column(0), QStringList({"A.MP3", "b.mp3"}));
    EXPECT_EQ(column(1), QStringList({dir(), dir()}));
    EXPECT_EQ(page.LVMp3File->rows().row(0).key, dir() + "A.MP3");
    EXPECT_EQ(status, QStringLiteral("2 Files Added"));

    addFolder(path(), true);
    EXPECT_EQ(column(0), QStringList({"A.MP3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(status, QStringLiteral("3 Files Added"));
    addFolder(path(), true);
    EXPECT_EQ(page.LVMp3File->rows().rowCount(), 3);
    EXPECT_EQ(status, QStringLiteral("3 Files Added"));
    EXPECT_TRUE(page.LVMp3File->selectedRows().isEmpty());
    EXPECT_TRUE(page.cmdDelMp3File->isEnabled());
    EXPECT_TRUE(page.cmdID3ToFile->isEnabled());
    EXPECT_FALSE(page.cmdSaveTags->isEnabled()); // no field checked

    page.cmdDelMp3File_Click();
    EXPECT_EQ(status, QStringLiteral("0 Files Deleted"));
    page.LVMp3File->selectionModel()->select(page.LVMp3File->model()->index(1, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    page.cmdDelMp3File_Click();
    EXPECT_EQ(status, QStringLiteral("1 Files Deleted"));
    EXPECT_EQ(column(0), QStringList({"A.MP3", "c.mp3"}));

    page.cmdClearMp3File_Click();
    EXPECT_EQ(status, QStringLiteral("List Cleared"));
    EXPECT_EQ(page.LVMp3File->rows().rowCount(), 0);
    for (QPushButton *b :
         {page.cmdDelMp3File, page.cmdClearMp3File, page.cmdID3ToFile, page.cmdSaveTags, page.cmdEditTagSave})
        EXPECT_FALSE(b->isEnabled());
}

TEST_F(Mp3PageTest, RenameRunShowsOkInGreenAndErrorInRedAndSortsByStatus)
{
    tagged("1.mp3", MakeTag("Morning Song", "Blue Lake"), 1);
    writeFile("2.mp3", AudioBody(3000, 2));
    tagged("3.mp3", MakeTag("Morning Song", "Blue Lake"), 3);
    addFolder(path());
    page.chkIDToFileSpace->click();
    EXPECT_TRUE(page.txtIDToFileSpaceReplace->isEnabled());
    page.txtIDToFileSpaceReplace->setText("_");
    page.optIDToFileCaseUpper->click();
    QTest::mouseClick(page.cmdID3ToFile, Qt::LeftButton);

    EXPECT_EQ(column(0), QStringList({"BLUE_LAKE_-_MORNING_SONG.mp3", "2.mp3", "3.mp3"}));
    EXPECT_EQ(column(2), QStringList({"Ok", "Error", "Error"}));
    EXPECT_EQ(colour(0), Green);
    EXPECT_EQ(colour(1), Red);
    EXPECT_EQ(page.LVMp3File->rows().row(0).key, dir() + "BLUE_LAKE_-_MORNING_SONG.mp3");
    EXPECT_TRUE(status.startsWith(QStringLiteral("1 renamed, 0 already named so, 2 failed, for example 2.mp3: ")));
    EXPECT_EQ(QDir(path()).entryList(QDir::Files, QDir::Name),
              QStringList({"2.mp3", "3.mp3", "BLUE_LAKE_-_MORNING_SONG.mp3"}));

    page.LVMp3File_ColumnClick(3);
    page.LVMp3File_ColumnClick(3);
    EXPECT_EQ(column(2), QStringList({"Error", "Error", "Ok"}));
    EXPECT_EQ(page.LastSortMp3, 3);
}

TEST_F(Mp3PageTest, AFileNamedAsItsTagSaysIsOkOnEveryRun)
{
    tagged("Blue Lake - Morning Song.mp3", MakeTag("Morning Song", "Blue Lake"), 1);
    tagged("track.mp3", MakeTag("Evening Song", "Blue Lake"), 2);
    addFolder(path());
    for (const QString &summary : {QStringLiteral("1 renamed, 1 already named so, 0 failed"),
                                   QStringLiteral("0 renamed, 2 already named so, 0 failed")}) {
        QTest::mouseClick(page.cmdID3ToFile, Qt::LeftButton);
        EXPECT_EQ(column(0), QStringList({"Blue Lake - Morning Song.mp3", "Blue Lake - Evening Song.mp3"}));
        EXPECT_EQ(column(2), QStringList({"Ok", "Ok"}));
        EXPECT_EQ(colour(0), Green);
        EXPECT_EQ(status, summary);
    }
    EXPECT_EQ(QDir(path()).entryList(QDir::Files, QDir::Name),
              QStringList({"Blue Lake - Evening Song.mp3", "Blue Lake - Morning Song.mp3"}));
}

TEST_F(Mp3PageTest, MassTaggingNeedsAChosenGenreBeforeItCanSave)
{
    tagged("a.mp3", MakeTag("a", "a"));
    writeFile("b.mp3", AudioBody(3000, 2));
    addFolder(path());
    showTab("MASS");
    page.chkMassID3Genre->click();
    EXPECT_TRUE(page.cboMassID3Genre->isEnabled());
    EXPECT_FALSE(page.cmdSaveTags->isEnabled());
    page.cmdSaveTags_Click(); // refused without a genre
    EXPECT_EQ(column(2), QStringList({"", ""}));

    page.cboMassID3Genre->setCurrentIndex(17);
    EXPECT_TRUE(page.cmdSaveTags->isEnabled());
    page.chkMassID3Year->click();
    page.txtMassID3Year->setText("20011");
    QTest::mouseClick(page.cmdSaveTags, Qt::LeftButton);
    EXPECT_EQ(column(2), QStringList({"Ok", "Error"}));
    EXPECT_EQ(colour(1), Red);
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(path("a.mp3"), tag));
    EXPECT_EQ(tag.Genre, 17);
    EXPECT_EQ(FieldText(tag.Year), QStringLiteral("2001"));
    EXPECT_EQ(QFileInfo(path("b.mp3")).size(), 3000);

    page.chkMassID3Genre->click();
    page.chkMassID3Year->click();
    EXPECT_FALSE(page.cmdSaveTags->isEnabled());
    EXPECT_FALSE(page.cboMassID3Genre->isEnabled());
}

TEST_F(Mp3PageTest, AMassTaggingRunWithoutFailuresNoLongerShowsAnEarlierOne)
{
    tagged("a.mp3", MakeTag("a", "a"));
    writeFile("b.mp3", AudioBody(3000, 2));
    addFolder(path());
    showTab("MASS");
    page.chkMassID3Year->click();
    page.txtMassID3Year->setText("2001");
    QTest::mouseClick(page.cmdSaveTags, Qt::LeftButton);
    EXPECT_EQ(status, QStringLiteral("1 files were not changed, for example b.mp3: ")
                          + QStringLiteral("The file does not end with an ID3v1 tag"));

    tagged("b.mp3", MakeTag("b", "b"), 2); // given a tag meanwhile
    QTest::mouseClick(page.cmdSaveTags, Qt::LeftButton);
    EXPECT_EQ(column(2), QStringList({"Ok", "Ok"}));
    EXPECT_EQ(status, QStringLiteral("2 files tagged"));
}

TEST_F(Mp3PageTest, TheEditorLoadsAClickedRowOnlyWhileShownAndSavesToThatFile)
{
    ID3Tag tag = MakeTag("Hello", "Artist", "Album", "1999", "c", 255);
    tagged("a.mp3", tag, 1);
    tagged("b.mp3", MakeTag("Other", "Other"), 2);
    writeFile("c.mp3", AudioBody(3000, 3));
    addFolder(path());

    showTab("MASS");
    clickRow(0);
    EXPECT_TRUE(page.txtEditTagTitle->text().isEmpty());
    EXPECT_FALSE(page.cmdEditTagSave->isEnabled());

    showTab("EDIT");
    EXPECT_TRUE(page.picEditTag->isVisible());
    EXPECT_FALSE(page.picMassID3->isVisible());
    EXPECT_TRUE(page.txtEditTagTitle->text().isEmpty()); // switching loads nothing
    clickRow(0);
    EXPECT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Hello"));
    EXPECT_EQ(page.cboEditTagGenre->currentIndex(), 0); // genre 255 shows "Blues"
    EXPECT_TRUE(page.cmdEditTagSave->isEnabled());

    // Moving to another row with the keys loads it; saving writes that one.
    QTest::keyClick(page.LVMp3File, Qt::Key_Down);
    EXPECT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Other"));
    page.txtEditTagTitle->setText("Changed");
    QTest::mouseClick(page.cmdEditTagSave, Qt::LeftButton);
    ASSERT_TRUE(ReadID3Tag(path("b.mp3"), tag));
    EXPECT_EQ(FieldText(tag.Title).trimmed(), QStringLiteral("Changed"));
    ASSERT_TRUE(ReadID3Tag(path("a.mp3"), tag));
    EXPECT_EQ(FieldText(tag.Title).trimmed(), QStringLiteral("Hello"));
    EXPECT_TRUE(page.txtEditTagTitle->text().isEmpty());
    EXPECT_FALSE(page.cmdEditTagSave->isEnabled());
    EXPECT_TRUE(page.LVMp3File->selectedRows().isEmpty());
    EXPECT_TRUE(answers.asked.empty());

    // A file without a tag leaves the editor empty.
    clickRow(2);
    EXPECT_FALSE(page.cmdEditTagSave->isEnabled());
    EXPECT_FALSE(page.editor().loaded());
}

TEST_F(Mp3PageTest, TheEditorKeepsAGenreWithoutANameUnlessTheUserChoosesOne)
{
    tagged("a.mp3", MakeTag("Hello", "Artist", "", "", "", 255));
    addFolder(path());
    showTab("EDIT");
    clickRow(0);
    ASSERT_TRUE(page.cmdEditTagSave->isEnabled());
    EXPECT_EQ(page.cboEditTagGenre->currentIndex(), 0); // shown as the first entry
    page.txtEditTagTitle->setText("Changed");
    QTest::mouseClick(page.cmdEditTagSave, Qt::LeftButton);
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(path("a.mp3"), tag));
    EXPECT_EQ(FieldText(tag.Title).trimmed(), QStringLiteral("Changed"));
    EXPECT_EQ(tag.Genre, 255);

    // A genre the user picks is written, the first entry too.
    clickRow(0);
    QTest::keyClick(page.cboEditTagGenre, Qt::Key_Down);
    QTest::keyClick(page.cboEditTagGenre, Qt::Key_Up);
    EXPECT_EQ(page.cboEditTagGenre->currentIndex(), 0);
    QTest::mouseClick(page.cmdEditTagSave, Qt::LeftButton);
    ASSERT_TRUE(ReadID3Tag(path("a.mp3"), tag));
    EXPECT_EQ(tag.Genre, 0);
}

TEST_F(Mp3PageTest, NamesThatShowAlikeAreRowsOfTheirOwnAndOnlyTheRealFileIsTagged)
{
    // Two names that are not UTF-8 and differ only in the bytes that cannot
    // be shown, and a name that really holds the character they show as.
    const QByteArray ff = AudioBody(2000, 1) + TagBytes(MakeTag("ff", "ff"));
    const QByteArray fe = AudioBody(2000, 2) + TagBytes(MakeTag("fe", "fe"));
    writeRawNamedFile("a\xff.mp3", ff);
    writeRawNamedFile("a\xfe.mp3", fe);
    const QString lookAlike = QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral(".mp3");
    tagged(lookAlike, MakeTag("Real", "Real"), 3);
    addFolder(path());
    EXPECT_EQ(status, QStringLiteral("3 Files Added"));
    ASSERT_EQ(page.LVMp3File->rows().rowCount(), 3);
    int exactRow = -1;
    for (int row = 0; row < 3; ++row) {
        if (page.LVMp3File->rows().row(row).rawKey.isEmpty())
            exactRow = row;
    }
    ASSERT_GE(exactRow, 0);

    // The editor loads the real file's tag only.
    showTab("EDIT");
    for (int row = 0; row < 3; ++row) {
        clickRow(row);
        EXPECT_EQ(page.editor().loaded(), row == exactRow) << row;
    }

    showTab("MASS");
    page.chkMassID3Year->click();
    page.txtMassID3Year->setText("1999");
    QTest::mouseClick(page.cmdSaveTags, Qt::LeftButton);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(column(2)[row], row == exactRow ? "Ok" : "Error") << row;
    EXPECT_TRUE(status.startsWith(QStringLiteral("2 files were not changed")));
    EXPECT_TRUE(status.endsWith(QStringLiteral("The name is not valid UTF-8: it cannot be named exactly")));
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(path(lookAlike), tag));
    EXPECT_EQ(FieldText(tag.Year), QStringLiteral("1999"));
    EXPECT_EQ(readRawNamedFile("a\xff.mp3"), ff);
    EXPECT_EQ(readRawNamedFile("a\xfe.mp3"), fe);
}

TEST_F(Mp3PageTest, AFailedSaveSaysSoAndMarksTheRow)
{
    tagged("a.mp3", MakeTag("a", "a"));
    addFolder(path());
    showTab("EDIT");
    clickRow(0);
    ASSERT_TRUE(page.cmdEditTagSave->isEnabled());
    const QByteArray untagged = AudioBody(3000, 5);
    writeFile("a.mp3", untagged);
    page.cmdEditTagSave_Click();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages()[0].startsWith(QStringLiteral("The tag of ") + path("a.mp3") + " was not saved"));
    EXPECT_EQ(column(2), QStringList{"Error"});
    EXPECT_EQ(colour(0), Red);
    EXPECT_EQ(readFile("a.mp3"), untagged);
    EXPECT_FALSE(page.cmdEditTagSave->isEnabled());
}

TEST_F(Mp3PageTest, TheEditorFollowsItsFileWhenTheRenameRunRenamesIt)
{
    tagged("a.mp3", MakeTag("Song", "Band"));
    addFolder(path());
    showTab("EDIT");
    clickRow(0);
    ASSERT_TRUE(page.cmdEditTagSave->isEnabled());

    showTab("ID3");
    QTest::mouseClick(page.cmdID3ToFile, Qt::LeftButton);
    ASSERT_EQ(column(0), QStringList{"Band - Song.mp3"});

    showTab("EDIT");
    EXPECT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Song"));
    page.txtEditTagTitle->setText("New Song");
    QTest::mouseClick(page.cmdEditTagSave, Qt::LeftButton);
    EXPECT_TRUE(answers.messages().empty());
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(path("Band - Song.mp3"), tag));
    EXPECT_EQ(FieldText(tag.Title).trimmed(), QStringLiteral("New Song"));
    EXPECT_EQ(column(2), QStringList{"Ok"});
}

TEST_F(Mp3PageTest, MassTaggingEmptiesTheEditorSoItCannotPutTheOldTagBack)
{
    tagged("a.mp3", MakeTag("Song", "Band"));
    addFolder(path());
    showTab("MASS");
    page.chkMassID3Artist->click();
    page.txtMassID3Artist->setText("Mass");
    showTab("EDIT");
    clickRow(0);
    ASSERT_EQ(page.txtEditTagArtist->text(), QStringLiteral("Band"));

    showTab("MASS");
    QTest::mouseClick(page.cmdSaveTags, Qt::LeftButton);
    ASSERT_EQ(column(2), QStringList{"Ok"});

    showTab("EDIT");
    EXPECT_TRUE(page.txtEditTagArtist->text().isEmpty());
    EXPECT_FALSE(page.cmdEditTagSave->isEnabled());
    page.cmdEditTagSave_Click();
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(path("a.mp3"), tag));
    EXPECT_EQ(FieldText(tag.Artist).trimmed(), QStringLiteral("Mass"));
    EXPECT_EQ(FieldText(tag.Title).trimmed(), QStringLiteral("Song"));
}

TEST_F(Mp3PageTest, TheEditorHoldsATagOnlyWhileItsRowIsSelected)
{
    tagged("a.mp3", MakeTag("Song A", "Band"), 1);
    tagged("b.mp3", MakeTag("Song B", "Band"), 2);
    addFolder(path());
    const QByteArray b = readFile("b.mp3");
    showTab("EDIT");
    clickRow(0);
    const auto ctrlClickRow = [this](int row) {
        const QModelIndex index = page.LVMp3File->model()->index(row, 0);
        QTest::mouseClick(page.LVMp3File->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          page.LVMp3File->visualRect(index).center());
    };
    ctrlClickRow(1);
    ASSERT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Song B"));

    // Sorting moves the rows, not the selection: the editor keeps its tag.
    for (int click = 0; click < 2 && column(0).front() != QStringLiteral("b.mp3"); ++click)
        page.LVMp3File_ColumnClick(1);
    ASSERT_EQ(column(0), QStringList({"b.mp3", "a.mp3"}));
    EXPECT_TRUE(page.cmdEditTagSave->isEnabled());

    // Ctrl+click takes b.mp3 out of the selection: only a.mp3 stays marked,
    // so the editor must not go on showing and saving b.mp3.
    ctrlClickRow(0);
    ASSERT_EQ(page.LVMp3File->selectedRows(), QList<int>{1});
    expectNoTagInTheEditor("b.mp3", b);

    // The selected row loads again with a click.
    clickRow(1);
    EXPECT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Song A"));
}

TEST_F(Mp3PageTest, ARowPickedUnderAnotherPanelEndsTheTagTheEditorHeld)
{
    tagged("a.mp3", MakeTag("Song A", "Band"), 1);
    tagged("b.mp3", MakeTag("Song B", "Band"), 2);
    addFolder(path());
    const QByteArray a = readFile("a.mp3");
    showTab("EDIT");
    clickRow(0);
    ASSERT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Song A"));

    // b.mp3 is picked on the mass tagging panel: it loads nothing there, and
    // back in the editor a save must not write a.mp3 while b.mp3 is marked.
    showTab("MASS");
    clickRow(1);
    showTab("EDIT");
    ASSERT_EQ(page.LVMp3File->selectedRows(), QList<int>{1});
    expectNoTagInTheEditor("a.mp3", a);

    // A click on the marked row loads it.
    clickRow(1);
    EXPECT_EQ(page.txtEditTagTitle->text(), QStringLiteral("Song B"));
}
