#include "common/core/ScriptedPrompter.h"
#include "platform/shell/FileIcons.h"
#include "platform/shell/modShell32.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>
#include <QUrl>

using namespace ardl;

TEST(FileIcons, EveryNameGetsAnIconSharedByItsType)
{
    const QIcon text = SmallFileIcon(QStringLiteral("/no/such/dir/notes.txt"));   // need not exist
    EXPECT_FALSE(text.isNull());
    EXPECT_EQ(SmallFileIcon(QStringLiteral("OTHER.TXT")).cacheKey(), text.cacheKey());
    const QIcon unknown = SmallFileIcon(QStringLiteral("data.zz-unknown-type"));
    EXPECT_FALSE(unknown.isNull());
    EXPECT_FALSE(SmallFileIcon(QStringLiteral("Makefile")).isNull());
    EXPECT_FALSE(SmallFileIcon(QStringLiteral("/a.b/noext")).isNull());   // a dotted folder is no extension
    EXPECT_EQ(SmallFileIcon(QStringLiteral("x.other-unknown")).cacheKey(), unknown.cacheKey());

    const QVariant cell = vbAddFileItemIcon(QStringLiteral("song.mp3"));
    ASSERT_TRUE(cell.canConvert<QIcon>());
    EXPECT_FALSE(cell.value<QIcon>().isNull());
}

TEST(BrowseForFolder, GivesTheFolderWithOneTrailingSeparatorOrNothing)
{
    ScriptedPrompter answers;
    answers.folderAnswers = {QStringLiteral("/tmp/some"), QStringLiteral("/tmp/other/"), QStringLiteral("/"),
                             QString(), QStringLiteral("relative/dir")};
    ScopedPrompter scoped(answers);
    EXPECT_EQ(BrowseForFolder(), QStringLiteral("/tmp/some/"));
    EXPECT_EQ(BrowseForFolder(QStringLiteral("/tmp")), QStringLiteral("/tmp/other/"));
    EXPECT_EQ(BrowseForFolder(), QStringLiteral("/"));
    EXPECT_EQ(BrowseForFolder(), QString());   // Cancel
    EXPECT_EQ(BrowseForFolder(), QString());   // not a file-system folder
    ASSERT_EQ(answers.asked.size(), 5u);
    EXPECT_EQ(answers.asked[0].text, QStringLiteral("Destination Folder"));
}

namespace {

class ShellOpen : public test::TempDirTest {};

} // namespace

TEST_F(ShellOpen, HandsDocumentsAndAddressesToTheDesktop)
{
    test::UrlCatcher catcher({QStringLiteral("file"), QStringLiteral("https")});
    ScriptedPrompter answers;
    ScopedPrompter scoped(answers);
    const QString doc = writeFile(QStringLiteral("notes:2024.txt"), "x");
    EXPECT_TRUE(RunShellExecute(QStringLiteral("Open"), QStringLiteral("notes:2024.txt"), path()));
    EXPECT_TRUE(RunShellExecute(QString(), QStringLiteral("https://example.org/ardl")));
    EXPECT_FALSE(RunShellExecute(QStringLiteral("open"), path(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(RunShellExecute(QStringLiteral("print"), doc));
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl::fromLocalFile(doc), QUrl(QStringLiteral("https://example.org/ardl"))}));
    EXPECT_TRUE(answers.asked.empty());
}

TEST_F(ShellOpen, WithoutAnAssociatedProgramAsksForOneAndStartsItWithoutAShell)
{
    // The offscreen test platform has no desktop to open documents with.
    const QString doc = writeFile(QStringLiteral("report $(touch pwned).odt"), "x");
    const QString opener = writeFile(QStringLiteral("opener"), "#!/bin/sh\nprintf \"$1\" > \"$2.out\"\n");
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner);
    ScriptedPrompter answers;
    answers.inputAnswers = {opener + QStringLiteral(" opened"), std::nullopt, QStringLiteral("\"\"")};
    ScopedPrompter scoped(answers);
    EXPECT_TRUE(RunShellExecute(QStringLiteral("open"), doc));
    EXPECT_TRUE(QTest::qWaitFor([&] { return readFile(QStringLiteral("report $(touch pwned).odt.out")) == "opened"; }, 5000));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("pwned"))));
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Input), 1);

    EXPECT_FALSE(RunShellExecute(QStringLiteral("open"), doc));   // chooser cancelled
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Input), 2);
    EXPECT_FALSE(RunShellExecute(QStringLiteral("open"), doc));   // quotes that name no program
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::Input), 3);
}
