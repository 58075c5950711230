#include "rename/ui/UndoPage.h"
#include "platform/settings/RecentList.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

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

    QString dir() const { return path() + u'/'; }
    QStringList listing() const { return QDir(path()).entryList(QDir::Files, QDir::Name); }
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

    page.cmdUndo_Click();   // the question is answered No
    EXPECT_EQ(answers.messages(), QStringList{"Do you want rename all this files"});
    EXPECT_EQ(listing(), QStringList({"01.txt", "02.txt", "Log.log", "same.txt"}));

    answers.messageAnswers = {MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(listing(), QStringList({"Log.log", "a.txt", "b.txt", "same.txt"}));
    EXPECT_EQ(readFile("a.txt"), "a.txt");
    EXPECT_EQ(status, QStringLiteral("2 Files Restored"));
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);   // finished rows leave the list
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
    EXPECT_EQ(listing(), QStringList({"Log.log", "a", "new-a", "new-b"}));   // stopped before b
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 2);

    answers.messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes};
    page.cmdUndo_Click();
    EXPECT_EQ(listing(), QStringList({"Log.log", "a", "b", "new-a"}));
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
}

TEST_F(UndoPageTest, MissingLogsMalformedLinesAndDeletingRows)
{
    page.FillListLog(path("missing.log"));
    EXPECT_EQ(answers.messages(), QStringList{"File " + path("missing.log") + " not exist"});
    EXPECT_FALSE(page.cmdUndo->isEnabled());

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

TEST_F(UndoPageTest, BrowseLoadsTheLogAndRemembersItWhileCancelChangesNothing)
{
    const QString log = logOf({{"a", "b"}});
    LoadRecentList(page.cboLogFile, QStringLiteral("Undo\\Log"), 10);   // as the window's load does
    page.cmdBrowseUndo_Click();   // cancelled
    EXPECT_EQ(page.cboLogFile->count(), 0);
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 0);

    answers.openAnswers = {QStringList{log}};
    page.cmdBrowseUndo_Click();
    EXPECT_EQ(page.cboLogFile->currentText(), log);
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_EQ(RecentListEntries(QStringLiteral("Undo\\Log"), 10), QStringList{log});

    page.cboLogFile->setEditText(QString());
    page.cboLogFile_Click();   // an empty entry loads nothing
    EXPECT_EQ(page.LVUndo->rows().rowCount(), 1);
    EXPECT_TRUE(answers.messages().isEmpty());
}
