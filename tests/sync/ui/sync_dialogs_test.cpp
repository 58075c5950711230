#include "sync/core/SyncTestSupport.h"

#include "common/core/ScriptedPrompter.h"
#include "common/ui/ListView.h"
#include "platform/ftp/FtpTestServer.h"
#include "platform/settings/modRegistry.h"
#include "sync/core/CompareTypes.h"
#include "sync/core/SyncFile.h"
#include "sync/core/modClass.h"
#include "sync/core/modFtp.h"
#include "sync/ui/frmBrowseFtpDir.h"
#include "sync/ui/frmCreateSyncFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ardl;
using namespace ardl::test;

namespace {

class BrowseFtpDirTest : public TempDirTest {
protected:
    void SetUp() override
    {
        for (const char *folder : {"pub/doc/deep", "pub/caf\xc3\xa9 bar", "other"})
            makeDir(QStringLiteral("root/") + QString::fromUtf8(folder));
        writeFile(QStringLiteral("root/pub/a file.txt"), "not a folder");
        server = std::make_unique<FtpTestServer>(path(QStringLiteral("root")), FtpTestServer::Access::User, false);
        ASSERT_TRUE(server->started()) << server->error().toStdString();
        FtpSite &site = FtpBrowseSite();
        site = FtpSite{};
        site.Server = QStringLiteral("127.0.0.1");
        site.Port = server->port();
        site.User = QString::fromLatin1(FtpTestServer::UserName);
        site.Password = QString::fromLatin1(FtpTestServer::Password);
    }

    QStringList shown() const
    {
        QStringList out;
        for (const ListRow &row : dialog.LVFtpBrowse->rows().rows())
            out << row.cells.value(0);
        out.sort();
        return out;
    }

    void open(const QString &name)
    {
        const int row = dialog.LVFtpBrowse->rows().findKey(name);
        ASSERT_GE(row, 0) << name.toStdString();
        dialog.LVFtpBrowse->setCurrentIndex(dialog.LVFtpBrowse->rows().index(row, 0));
        dialog.LVFtpBrowse_DblClick();
    }

    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    std::unique_ptr<FtpTestServer> server;
    frmBrowseFtpDir dialog;
};

class CreateSyncFileTest : public TempDirTest {
protected:
    ScriptedPrompter answers;
    ScopedPrompter scoped{answers};
    frmCreateSyncFile dialog;
};

} // namespace

TEST_F(BrowseFtpDirTest, WalksTheFoldersOfTheServer)
{
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Remote Directory"));
    EXPECT_EQ(dialog.txtDir->text(), QStringLiteral("/"));
    EXPECT_EQ(shown(), (QStringList{"other", "pub"}));

    open(QStringLiteral("pub"));
    EXPECT_EQ(dialog.CurrentDir, QStringLiteral("/pub"));
    EXPECT_EQ(shown(), (QStringList{"caf\xc3\xa9 bar", "doc"})); // files never appear
    open(QStringLiteral("doc"));
    EXPECT_EQ(dialog.txtDir->text(), QStringLiteral("/pub/doc"));
    EXPECT_EQ(shown(), QStringList{"deep"});

    dialog.cmdBrowseFtp_Click();
    EXPECT_EQ(dialog.CurrentDir, QStringLiteral("/pub"));
    dialog.cmdBrowseFtp_Click();
    EXPECT_EQ(dialog.CurrentDir, QStringLiteral("/"));
    dialog.cmdBrowseFtp_Click();
    EXPECT_EQ(dialog.CurrentDir, QStringLiteral("/"));
    EXPECT_EQ(shown(), (QStringList{"other", "pub"}));

    // A typed folder: shown when the server has it, else said and reset.
    dialog.txtDir->setText(QString::fromUtf8("/pub/caf\xc3\xa9 bar"));
    QTest::keyClick(dialog.txtDir, Qt::Key_Return);
    EXPECT_EQ(dialog.CurrentDir, QString::fromUtf8("/pub/caf\xc3\xa9 bar"));
    EXPECT_TRUE(shown().isEmpty());
    dialog.txtDir->setText(QStringLiteral("/nowhere"));
    QTest::keyClick(dialog.txtDir, Qt::Key_Return);
    EXPECT_EQ(answers.messages(), QStringList{"Remote Directory : /nowhere don't exist"});
    EXPECT_EQ(dialog.txtDir->text(), QStringLiteral("/"));
    EXPECT_EQ(dialog.CurrentDir, QString::fromUtf8("/pub/caf\xc3\xa9 bar"));

    dialog.txtDir->setText(QStringLiteral("/pub/doc"));
    dialog.cmdOk_Click();
    EXPECT_EQ(FtpBrowseSite().Dir, QStringLiteral("/pub/doc"));
    dialog.cmdAnnuler_Click();
    EXPECT_EQ(FtpBrowseSite().Dir, QString());
}

TEST_F(BrowseFtpDirTest, AFailedLoginIsSaidWhenTheFirstFolderIsListed)
{
    FtpBrowseSite().Password = QStringLiteral("wrong");
    dialog.Form_Load();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages().front().startsWith(QStringLiteral("530 ")))
        << answers.messages().front().toStdString();
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(CreateSyncFileTest, WritesTheFolderChosenAndAsksBeforeReplacing)
{
    const QString folder = makeDir(QStringLiteral("tree")) + u'/';
    writeFile(QStringLiteral("tree/a.txt"), "abc");
    writeFile(QStringLiteral("tree/sub/b.dat"), "12345");
    const QString key = ProgramKey + QStringLiteral("Sync");
    CreateNewKey(key);
    SetKeyValue(key, QStringLiteral("DirFileSync"), folder, REG_SZ);

    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create Synchronize File"));
    EXPECT_EQ(dialog.txtDst->text(), folder);
    dialog.chkRecursive->setChecked(true);
    const QString target = path(QStringLiteral("tree.syn"));
    answers.saveAnswers.push_back(target);
    dialog.cmdCreate_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SyncFileContents contents = ReadSyncFile(target);
    ASSERT_TRUE(contents.ok);
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[1].name, QStringLiteral("sub/b.dat"));

    // An existing file is replaced only after Yes.
    writeFile(QStringLiteral("tree.syn"), "keep");
    dialog.setResult(0);
    answers.saveAnswers.push_back(target);
    answers.messageAnswers.push_back(MsgAnswer::No);
    dialog.cmdCreate_Click();
    EXPECT_EQ(readFile(QStringLiteral("tree.syn")), "keep");
    EXPECT_EQ(answers.messages(), QStringList{QStringLiteral("File %1 allready exist, overwrite it ?").arg(target)});
    EXPECT_EQ(dialog.result(), 0);

    // A folder that is not there is said; nothing is written.
    dialog.txtDst->setText(path(QStringLiteral("missing")));
    answers.saveAnswers.push_back(path(QStringLiteral("missing.syn")));
    dialog.cmdCreate_Click();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing.syn"))));
    EXPECT_EQ(answers.messages().back(),
              QStringLiteral("Directory %1 is invalid").arg(path(QStringLiteral("missing"))));

    // Cancel in the save dialog writes nothing.
    dialog.cmdCreate_Click();
    EXPECT_EQ(answers.count(ScriptedPrompter::Kind::SaveFile), 4);
}

TEST_F(CreateSyncFileTest, ASyncFileMadeAsTheDialogOpensComparesSameWithItsWholeFolder)
{
    // A compare against a sync file takes the local folder with its
    // sub-folders: a file listing only the top folder would make every file
    // below it look missing, and be packed to go back over the ones here.
    const QString folder = makeDir(QStringLiteral("tree")) + u'/';
    writeFile(QStringLiteral("tree/a.txt"), "abc");
    writeFile(QStringLiteral("tree/sub/b.dat"), "12345");
    dialog.Form_Load();
    dialog.txtDst->setText(folder);
    const QString target = path(QStringLiteral("tree.syn"));
    answers.saveAnswers.push_back(target);
    dialog.cmdCreate_Click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);

    SyncItems().clear();
    ASSERT_TRUE(RunCompare(FileRequest(target, folder)).completed);
    const std::map<QString, int> classes = ClassesOfSyncItems();
    EXPECT_EQ(classes, (std::map<QString, int>{{"a.txt", CompareType::Same}, {"sub/b.dat", CompareType::Same}}));
}

TEST_F(CreateSyncFileTest, NamesALineCannotHoldAreLeftOutAndToldInOneMessage)
{
    makeDir(QStringLiteral("tree"));
    writeRawNamedFile("tree/a bad\xff.txt", "1");
    writeRawNamedFile("tree/b line\nbreak.txt", "2");
    writeRawNamedFile("tree/c back\\slash.txt", "3");
    writeFile(QStringLiteral("tree/d plain.txt"), "4");
    dialog.Form_Load();
    dialog.txtDst->setText(path(QStringLiteral("tree")));
    dialog.cboFilter->setEditText(QStringLiteral("*.*"));
    const QString target = path(QStringLiteral("tree.syn"));
    answers.saveAnswers.push_back(target);
    QTest::mouseClick(dialog.cmdCreate, Qt::LeftButton);

    EXPECT_EQ(answers.messages(),
              QStringList{QStringLiteral("3 files were left out of the sync file because a line of it cannot hold "
                                         "their names (a line break, \"\\\" or bytes that are not UTF-8), for "
                                         "example a bad\\xFF.txt")});
    EXPECT_EQ(answers.asked.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SyncFileContents contents = ReadSyncFile(target);
    ASSERT_TRUE(contents.ok);
    ASSERT_EQ(contents.entries.size(), 1u);
    EXPECT_EQ(contents.entries[0].name, QStringLiteral("d plain.txt"));
}

// Enter in the folder box creates the file, as the Create button does;
// Escape closes the dialog as Cancel.
TEST_F(CreateSyncFileTest, EnterCreatesAndEscapeCancels)
{
    const QString folder = makeDir(QStringLiteral("tree")) + u'/';
    writeFile(QStringLiteral("tree/a.txt"), "abc");
    const QString key = ProgramKey + QStringLiteral("Sync");
    CreateNewKey(key);
    SetKeyValue(key, QStringLiteral("DirFileSync"), folder, REG_SZ);
    const QString target = path(QStringLiteral("tree.syn"));
    answers.saveAnswers.push_back(target);

    dialog.Form_Load();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.txtDst->setFocus();
    QTest::keyClick(dialog.txtDst, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_TRUE(answers.folderAnswers.empty() && answers.saveAnswers.empty());

    frmCreateSyncFile again;
    again.Form_Load();
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
}
