#include "rename/ui/UndoPage.h"
#include "common/core/FileRenamer.h"
#include "common/core/modFile.h"
#include "rename/core/RenameLogWriter.h"
#include "platform/settings/RecentList.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ardl;

namespace {

class UndoPageTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        page.LoadCaptions();
        page.SetListColumns();
        QObject::connect(&page, &UndoPage::StatusTextChanged, [this](const QString &text) { status = text; });
    }

    QStringList cells(int row) const { return page.LVUndo->rows().row(row).cells; }

    // A log of renames old -> new, with the new files on disk.
    QString logOf(const QList<std::pair<QString, QString>> &pairs)
    {
        QByteArray log;
        for (const auto &[from, to] : pairs) {
            log += QFile::encodeName(dir() + from) + " -> " + QFile::encodeName(dir() + to) + "\r\n";
            if (!QFile::exists(path(to)))
                writeFile(to, from.toUtf8());
        }
        return writeFile("Log.log", log);
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    UndoPage page;
    QString status;
};

} // namespace

TEST_F(UndoPageTest, ALogIsListedNewPathFirstAndUndoneOnYes)
{
    page.FillListLog(logOf({{"a.txt", "01.txt"}, {"b.txt", "02.txt"}, {"same.txt", "same.txt"}}));
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 3);
    EXPECT_EQ(cells(0), QStringList({dir() + "01.txt", dir() + "a.txt"}));
    EXPECT_TRUE(page.cmdUndo->isEnabled());
    EXPECT_TRUE(page.cmdDeleteSelect->isEnabled());

    page.cmdUndo_Click(); // the question is answered No
    EXPECT_EQ(answers.messages(), QStringList{"Do you want rename all this files"});
    EXPECT_EQ(listing(), QStringList({"01.txt", "02.txt", "Log.log", "same.txt"}));

    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(listing(), QStringList({"Log.log", "a.txt", "b.txt", "same.txt"}));
    EXPECT_EQ(readFile("a.txt"), "a.txt");
    EXPECT_EQ(status, QStringLiteral("2 Files Restored"));
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0); // finished rows leave the list
    EXPECT_FALSE(page.cmdUndo->isEnabled());
}

TEST_F(UndoPageTest, AFileInTheWayIsNeverReplacedAndNoStopsTheRun)
{
    const QString log = logOf({{"a", "new-a"}, {"b", "new-b"}});
    writeFile("a", "someone else's");
    page.FillListLog(log);
    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No};
    page.cmdUndo_Click();
    ASSERT_EQ(answers.messages().size(), 3);
    EXPECT_EQ(answers.messages()[1], "File " + dir() + "a already exists, it was not replaced");
    EXPECT_EQ(answers.messages()[2], QStringLiteral("Continu with the others files"));
    EXPECT_EQ(readFile("a"), "someone else's");
    EXPECT_EQ(listing(), QStringList({"Log.log", "a", "new-a", "new-b"})); // stopped before b
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 2);

    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(listing(), QStringList({"Log.log", "a", "b", "new-a"}));
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
}

TEST_F(UndoPageTest, NoQuestionWhetherToGoOnWhenNothingIsLeft)
{
    const QString log = logOf({{"a", "new-a"}, {"b", "new-b"}, {"same", "same"}});
    writeFile("b", "someone else's");
    page.FillListLog(log);
    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok};
    page.cmdUndo_Click();
    // b fails last; the row after it has nothing to do.
    EXPECT_EQ(answers.messages(), QStringList({"Do you want rename all this files",
                                               "File " + dir() + "b already exists, it was not replaced"}));
    EXPECT_EQ(readFile("a"), "a");
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
}

TEST_F(UndoPageTest, TheRunKeepsThePageBusyAndReportsTheRealReasonOfEachFailure)
{
    // Each message shown during the run finds the page disabled.
    struct Watching : Prompter {
        ScriptedPrompter &inner;
        QWidget &page;
        QList<bool> enabled;
        Watching(ScriptedPrompter &inner, QWidget &page)
            : inner(inner)
            , page(page)
        {
        }
        MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) override
        {
            enabled << page.isEnabled();
            return inner.message(text, title, icon, buttons);
        }
        std::optional<QString> inputBox(const QString &, const QString &, const QString &) override { return {}; }
        std::optional<QString> password(const QString &, const QString &) override { return {}; }
        int askOverwrite(const QString &) override { return OverwriteCancel; }
        QString browseForFolder(const QString &, const QString &) override { return {}; }
        QStringList openFileNames(const FileDialogRequest &) override { return {}; }
        QString saveFileName(const FileDialogRequest &) override { return {}; }
    } watching(answers, page);
    ScopedPrompter watched(watching);

    page.FillListLog(logOf({{"a", "b"}, {"b", "a"}})); // a swap
    test::UnwritableFolder locked(path());
    if (!locked.active())
        GTEST_SKIP() << "this file system lets every change through";
    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok};
    page.cmdUndo_Click();
    const QString why = ErrorText(locked.error());
    ASSERT_EQ(answers.messages().size(), 4);
    EXPECT_EQ(answers.messages()[1], "File " + dir() + "b could not be renamed\n" + why);
    EXPECT_EQ(answers.messages()[3], "File " + dir() + "a could not be renamed\n" + why);
    // After a failure, Enter alone stops the run; the question before it renames, as it says.
    EXPECT_EQ(answers.asked[2].buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(answers.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(watching.enabled, QList<bool>({true, false, false, false}));
    EXPECT_TRUE(page.isEnabled());
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 2);
}

TEST_F(UndoPageTest, NoStopsTheQuestionsEvenInTheMiddleOfACycle)
{
    // Three files that took each other's names in turn.
    page.FillListLog(logOf({{"a", "b"}, {"b", "c"}, {"c", "a"}}));
    test::UnwritableFolder locked(path());
    if (!locked.active())
        GTEST_SKIP() << "this file system lets every change through";
    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No};
    page.cmdUndo_Click();
    const QStringList messages = answers.messages();
    ASSERT_EQ(messages.size(), 3) << messages.join(u'|').toStdString();
    EXPECT_TRUE(messages[1].endsWith(ErrorText(locked.error())));
    EXPECT_EQ(messages[2], QStringLiteral("Continu with the others files"));
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 3);
    EXPECT_EQ(status, QStringLiteral("0 Files Restored"));
}

TEST_F(UndoPageTest, PairsThatNameOneFileTwiceAreLeftAloneWhateverTheirNames)
{
    // What an older version wrote for a file whose name is not UTF-8: the
    // look-alike name on both sides.
    const QByteArray d = QFile::encodeName(dir());
    writeFile("x.log", d + "bad\xEF\xBF\xBD.txt -> " + d + "bad\xEF\xBF\xBD.txt\r\n" + d + "a -> " + d + "b\r\n");
    writeFile("b", "was a");
    page.FillListLog(path("x.log"));
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 2);
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(answers.messages(), QStringList{"Do you want rename all this files"});
    EXPECT_EQ(readFile("a"), "was a");
    EXPECT_EQ(status, QStringLiteral("1 Files Restored"));
}

TEST_F(UndoPageTest, MissingLogsMalformedLinesAndDeletingRows)
{
    page.FillListLog(logOf({{"a", "b"}}));
    EXPECT_TRUE(page.cmdUndo->isEnabled());
    page.FillListLog(path("missing.log")); // a log deleted since it was listed
    EXPECT_EQ(answers.messages(), QStringList{"File " + path("missing.log") + " not exist"});
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);
    EXPECT_FALSE(page.cmdUndo->isEnabled());
    EXPECT_FALSE(page.cmdDeleteSelect->isEnabled());

    writeFile("odd.log", "no arrow here\r\n/d/x -> /d/y -> /d/z\r\n/d/old -> /d/new\r\n");
    page.FillListLog(path("odd.log"));
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_EQ(cells(0), QStringList({"/d/new", "/d/old"}));

    page.LVUndo->selectAll();
    page.cmdDeleteSelect_Click();
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);
    EXPECT_FALSE(page.cmdDeleteSelect->isEnabled());
    EXPECT_FALSE(page.cmdUndo->isEnabled());
}

TEST_F(UndoPageTest, ALogInAnotherEncodingNeverGivesAFileALookAlikeName)
{
    const QByteArray d = QFile::encodeName(dir());
    writeFile("cafe.mp3", "was caf\xE9");
    writeFile("02", "was b");
    writeFile("x.log", d + "caf\xE9.mp3 -> " + d + "cafe.mp3\r\n" + d + "b -> " + d + "02\r\n");
    page.FillListLog(path("x.log"));
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_EQ(status, QStringLiteral("1 lines of the log could not be read and are not listed"));
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(readFile("b"), "was b");
    EXPECT_EQ(readFile("cafe.mp3"), "was caf\xE9");
    EXPECT_EQ(QDir(path()).entryList(QDir::Files, QDir::Name), QStringList({"b", "cafe.mp3", "x.log"}));
}

TEST_F(UndoPageTest, BrowseLoadsTheLogAndRemembersItWhileCancelChangesNothing)
{
    const QString log = logOf({{"a", "b"}});
    LoadRecentList(page.cboLogFile, QStringLiteral("Undo\\Log"), 10); // as the window's load does
    page.cmdBrowseUndo_Click();                                       // cancelled
    EXPECT_EQ(page.cboLogFile->count(), 0);
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);
    // With no log shown, the box opens where the default log is kept.
    EXPECT_EQ(answers.asked.back().startFolder, PathWithOutFile(DefaultRenameLogPath()));

    answers.openAnswers = {QStringList{log}};
    page.cmdBrowseUndo_Click();
    EXPECT_EQ(page.cboLogFile->currentText(), log);
    page.cmdBrowseUndo_Click(); // then in the folder of the log shown
    EXPECT_EQ(answers.asked.back().startFolder, dir());
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_EQ(RecentListEntries(QStringLiteral("Undo\\Log"), 10), QStringList{log});

    page.cboLogFile->setEditText(QString());
    page.cboLogFile_Click(); // an empty entry loads nothing
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_TRUE(answers.messages().isEmpty());
}

TEST_F(UndoPageTest, ATypedLogLoadsOnEnterAndWhenTheBoxIsLeft)
{
    const QString first = logOf({{"a", "b"}});
    page.cboLogFile->addItem(path("other.log")); // an entry of the list, not the one typed
    page.cboLogFile->setEditText(QString());
    QTest::keyClicks(page.cboLogFile, first);
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0); // nothing is read while typing
    QTest::keyClick(page.cboLogFile, Qt::Key_Return);
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_EQ(cells(0), QStringList({dir() + "b", dir() + "a"}));
    EXPECT_TRUE(page.cmdUndo->isEnabled());
    EXPECT_TRUE(answers.messages().isEmpty());

    // Enter again reads the log again, once.
    writeFile("Log.log", QFile::encodeName(dir()) + "c -> " + QFile::encodeName(dir()) + "d\r\n"
                             + QFile::encodeName(dir()) + "e -> " + QFile::encodeName(dir()) + "f\r\n");
    QTest::keyClick(page.cboLogFile, Qt::Key_Return);
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 2);

    // A path typed and then left is loaded as well; leaving it unchanged reads nothing.
    page.cboLogFile->setEditText(QString());
    QTest::keyClicks(page.cboLogFile, path("typed.log"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(page.cboLogFile, &out);
    EXPECT_EQ(answers.messages(), QStringList{"File " + path("typed.log") + " not exist"});
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);
    QCoreApplication::sendEvent(page.cboLogFile, &out);
    EXPECT_EQ(answers.messages().size(), 1);
}

TEST_F(UndoPageTest, APathTypedButNotLoadedWaitsUntilTheUndoOfTheListShownIsDone)
{
    const QString shown = logOf({{"a1", "b1"}, {"a2", "b2"}});
    QByteArray typed;
    for (const QString name : {"c1", "c2", "c3"}) {
        writeFile(name + "x", "c");
        typed += QFile::encodeName(dir() + name) + " -> " + QFile::encodeName(dir() + name + "x") + "\r\n";
    }
    writeFile("typed.log", typed);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.cboLogFile->setFocus();
    page.cboLogFile->setEditText(QString());
    QTest::keyClicks(page.cboLogFile, shown);
    QTest::keyClick(page.cboLogFile, Qt::Key_Return);
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 2);

    // Another log typed, then "&Rename" by its key: the box keeps the focus
    // until the run takes it away.
    page.cboLogFile->setEditText(QString());
    QTest::keyClicks(page.cboLogFile, path("typed.log"));
    ASSERT_TRUE(page.cboLogFile->hasFocus());
    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdUndo->click();
    EXPECT_EQ(answers.messages(), QStringList{"Do you want rename all this files"});
    EXPECT_EQ(status, QStringLiteral("2 Files Restored"));
    EXPECT_EQ(listing(), QStringList({"Log.log", "a1", "a2", "c1x", "c2x", "c3x", "typed.log"}));
    // The list holds what is left of the run: nothing. The typed log's rows
    // were never dropped as if they had been undone.
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);
    page.cboLogFile->setFocus();
    QTest::keyClick(page.cboLogFile, Qt::Key_Return);
    ASSERT_EQ(page.LVUndo->rows().rowCount(), 3);
    EXPECT_EQ(cells(0), QStringList({dir() + "c1x", dir() + "c1"}));
}
