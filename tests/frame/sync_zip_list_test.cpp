#include "frame/frmDirEvaVezi.h"
#include "common/core/ScriptedPrompter.h"
#include "support/TestSupport.h"
#include "sync/ui/SyncPage.h"
#include "zip/ui/frmListZip.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ardl;
using namespace ardl::test;

namespace {

// A synchronisation against a sync file, through the real window: the right
// files bound for the other machine reach the zip list, and Create packs them.
class SyncZipListTest : public TempDirTest {
protected:
    QStringList zipEntries(const QString &archive) const
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
        unzip.waitForFinished(30000);
        return QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

    ScriptedPrompter answers;
    ScopedPrompter usingAnswers{answers};
};

TEST_F(SyncZipListTest, TheFilesBoundForTheOtherMachineArePackedIntoTheChosenArchive)
{
    const QString syn = writeFile(QStringLiteral("other.syn"),
                                  "/elsewhere/\r\nthere only.txt|1|01/01/2020 10:00:00\r\n");
    writeFile(QStringLiteral("right/here only.txt"), "H");
    writeFile(QStringLiteral("right/sub/deeper.txt"), "D");
    const QString archive = path(QStringLiteral("carry.zip"));
    answers.saveAnswers.push_back(archive);

    frmDirEvaVezi w;
    w.Form_Load();
    w.show();
    w.CBWSync_Click();
    SyncPage &page = *w.picSync;
    page.cboDirFile->setCurrentIndex(page.cboDirFile->findText(QStringLiteral("File")));
    page.txtRootLeft->setEditText(syn);
    page.txtRootRight->setText(path(QStringLiteral("right/")));
    page.cmdCompare->click();
    ASSERT_TRUE(page.cmdSync->isEnabled());

    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<frmListZip *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < dialog->lstList->count(); ++i)
            listed << dialog->lstList->item(i)->text();
        QTest::mouseClick(dialog->cmdCreate, Qt::LeftButton);
    });
    page.cmdSync->click();

    const QStringList expected{path(QStringLiteral("right/here only.txt")), path(QStringLiteral("right/sub/deeper.txt"))};
    listed.sort();   // in the order the result list shows
    EXPECT_EQ(listed, expected);
    // Each entry carries the file's folder path, not the path relative to the synchronised folder.
    QStringList entries = zipEntries(archive);
    entries.sort();
    QStringList stored;
    for (const QString &file : expected)
        stored << file.mid(1);   // without the leading "/"
    stored.sort();
    EXPECT_EQ(entries, stored);
}

} // namespace
