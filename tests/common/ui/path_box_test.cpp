#include "common/ui/PathBox.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace ardl;

// A path typed in another case than a recent entry names another file:
// Enter must not put the entry in its place.
TEST(PathBox, KeepsAPathTypedInAnotherCaseThanARecentEntry)
{
    QComboBox box;
    MakePathBox(&box);
    box.addItems({QStringLiteral("/data/Left/"), QStringLiteral("/data/other/")});
    box.setEditText(QString());
    box.show();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("/data/left/"));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.currentText(), QStringLiteral("/data/left/"));
}
