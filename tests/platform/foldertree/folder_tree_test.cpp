#include "platform/foldertree/FolderTree.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTest>

using namespace ardl;

namespace {

class FolderTreeTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        for (const char *d : {"a/b/c", "a/b/d", "a/e", "f"})
            makeDir(QString::fromLatin1(d));
        writeFile(QStringLiteral("a/b/file.txt"), "x");
    }

    // Waits until the model has read `folder`.
    static bool waitLoaded(QSignalSpy &loaded, const QString &folder)
    {
        return QTest::qWaitFor([&] {
            for (const QList<QVariant> &args : loaded)
                if (args.value(0).toString() == folder)
                    return true;
            return false;
        }, 10000);
    }
};

} // namespace

TEST_F(FolderTreeTest, FolderSetBeforeItsParentsAreReadStaysSelected)
{
    // Many folders sort before the target, so it only stays in view if the
    // tree follows it as they arrive.
    for (int i = 0; i < 300; ++i)
        makeDir(QStringLiteral("a/b/s%1").arg(i, 3, 10, QLatin1Char('0')));
    makeDir(QStringLiteral("a/b/zz"));
    FolderTree tree;
    QSignalSpy changed(&tree, &FolderTree::folderChanged);
    QSignalSpy picked(&tree, &FolderTree::folderPicked);
    QSignalSpy loaded(tree.fileSystemModel(), &QFileSystemModel::directoryLoaded);
    const QString target = path(QStringLiteral("a/b/zz"));
    tree.setSelectedFolder(target + u'/');
    EXPECT_EQ(tree.selectedFolder(), target);
    tree.resize(300, 400);
    tree.show();

    ASSERT_TRUE(waitLoaded(loaded, path(QStringLiteral("a/b"))));
    QFileSystemModel *model = tree.fileSystemModel();
    const QModelIndex b = model->index(path(QStringLiteral("a/b")));
    // Folders only: c, d, s000 to s299 and zz, not file.txt; the target in view.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return model->rowCount(b) == 303
            && tree.viewport()->rect().contains(tree.visualRect(tree.currentIndex()).center());
    }, 10000));
    EXPECT_EQ(tree.selectedFolder(), target);
    EXPECT_EQ(model->filePath(tree.currentIndex()), target);
    EXPECT_TRUE(tree.isExpanded(b));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toString(), target);
    EXPECT_EQ(picked.size(), 0);   // set by code, not picked by the user

    tree.setSelectedFolder(path(QStringLiteral("no/such/folder")));
    EXPECT_EQ(tree.selectedFolder(), target);
}

TEST_F(FolderTreeTest, UserClickPicksAFolder)
{
    FolderTree tree;
    QSignalSpy loaded(tree.fileSystemModel(), &QFileSystemModel::directoryLoaded);
    tree.setSelectedFolder(path(QStringLiteral("a/e")));
    tree.resize(300, 600);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_TRUE(waitLoaded(loaded, path(QStringLiteral("a"))));
    QSignalSpy changed(&tree, &FolderTree::folderChanged);
    QSignalSpy picked(&tree, &FolderTree::folderPicked);

    const QModelIndex b = tree.fileSystemModel()->index(path(QStringLiteral("a/b")));
    tree.scrollTo(b);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(b).center());
    EXPECT_EQ(tree.selectedFolder(), path(QStringLiteral("a/b")));
    ASSERT_EQ(picked.size(), 1);
    EXPECT_EQ(picked[0][0].toString(), path(QStringLiteral("a/b")));
    ASSERT_EQ(changed.size(), 1);
}

TEST_F(FolderTreeTest, RefreshShowsNewFoldersAndKeepsTheSelection)
{
    FolderTree tree;
    QSignalSpy loaded(tree.fileSystemModel(), &QFileSystemModel::directoryLoaded);
    tree.setSelectedFolder(path(QStringLiteral("a")));
    ASSERT_TRUE(waitLoaded(loaded, path()));
    makeDir(QStringLiteral("a/new"));
    QSignalSpy changed(&tree, &FolderTree::folderChanged);
    tree.refresh();
    EXPECT_EQ(tree.selectedFolder(), path(QStringLiteral("a")));
    EXPECT_EQ(changed.size(), 0);
    tree.setSelectedFolder(path(QStringLiteral("a/new")));
    EXPECT_EQ(tree.fileSystemModel()->filePath(tree.currentIndex()), path(QStringLiteral("a/new")));
    ASSERT_EQ(changed.size(), 1);
}

TEST_F(FolderTreeTest, AFolderRemovedBehindTheTreesBackGivesWayToTheOneShownSelected)
{
    FolderTree tree;
    QSignalSpy loaded(tree.fileSystemModel(), &QFileSystemModel::directoryLoaded);
    const QString gone = path(QStringLiteral("a/e"));
    tree.setSelectedFolder(gone);
    tree.resize(300, 600);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    ASSERT_TRUE(waitLoaded(loaded, path(QStringLiteral("a"))));
    QSignalSpy changed(&tree, &FolderTree::folderChanged);

    ASSERT_TRUE(QDir(gone).removeRecursively());
    QFileSystemModel *model = tree.fileSystemModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->index(gone).isValid(); }, 10000));
    // The folder acted on is the one the tree shows selected.
    const QString shown = model->filePath(tree.currentIndex());
    EXPECT_NE(shown, gone);
    EXPECT_EQ(tree.selectedFolder(), shown);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.back()[0].toString(), shown);
}
