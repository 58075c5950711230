#include "common/core/LeftOutNames.h"
#include "common/core/colFile.h"

#include <gtest/gtest.h>

using namespace ardl;

TEST(LeftOutNames, ShownNamesEscapeEveryByteThatIsNotWellFormedUtf8)
{
    EXPECT_EQ(ShownName(QByteArrayView("caf\xc3\xa9 \xf0\x9f\x98\x80.txt")), QString::fromUtf8("café 😀.txt"));
    EXPECT_EQ(ShownName(QByteArrayView("a\xff.txt")), QStringLiteral("a\\xFF.txt"));
    // A real U+FFFD is a name of its own, not the mark of a bad byte.
    EXPECT_EQ(ShownName(QByteArrayView("a\xef\xbf\xbd.txt")), QStringLiteral("a\uFFFD.txt"));
    EXPECT_EQ(ShownName(QByteArrayView("\xe2\x82 cut")), QStringLiteral("\\xE2\\x82 cut"));
    EXPECT_EQ(ShownName(QByteArrayView("\xc0\xaf overlong")), QStringLiteral("\\xC0\\xAF overlong"));
    EXPECT_EQ(ShownName(QByteArrayView("\xed\xa0\x80 half pair")), QStringLiteral("\\xED\\xA0\\x80 half pair"));
    EXPECT_EQ(ShownName(QByteArrayView("\xf4\x90\x80\x80 past U+10FFFF")),
              QStringLiteral("\\xF4\\x90\\x80\\x80 past U+10FFFF"));
    // A line break or tab would break the message it stands in.
    EXPECT_EQ(ShownName(QByteArrayView("two\nlines\tand\x7f")), QStringLiteral("two\\x0Alines\\x09and\\x7F"));

    const clsFile exact{QStringLiteral("/d/plain.txt"), 1, {}, 0, 0, {}};
    const clsFile inexact{QStringLiteral("/d/\uFFFD"), 1, {}, 0, 0, QByteArray("/d/\xfe")};
    EXPECT_EQ(ShownName(exact), QStringLiteral("/d/plain.txt"));
    EXPECT_EQ(ShownName(inexact), QStringLiteral("/d/\\xFE"));
}

TEST(LeftOutNames, CountsEveryNameAndKeepsTheFirstAsTheExample)
{
    colFile files;
    files.Add(QStringLiteral("/d/a.txt"), 1, {});
    files.Add(clsFile{QStringLiteral("/d/\uFFFD.txt"), 1, {}, 0, 0, QByteArray("/d/\xff.txt")});
    files.Add(clsFile{QStringLiteral("/d/\uFFFD.txt"), 1, {}, 0, 0, QByteArray("/d/\xfd.txt")});
    files.Add(QStringLiteral("/d/\uFFFD.txt"), 1, {});   // a real file of that name

    LeftOutNames leftOut;
    EXPECT_EQ(ExactNames(files, leftOut), QStringList({"/d/a.txt", "/d/\uFFFD.txt"}));
    EXPECT_EQ(leftOut.count(), 2);
    EXPECT_EQ(leftOut.example(), QStringLiteral("/d/\\xFF.txt"));

    LeftOutNames all;
    all.add(LeftOutNames());
    EXPECT_TRUE(all.isEmpty());
    all.add(QStringLiteral("dropped\\x80"));
    all.add(leftOut);
    EXPECT_EQ(all.count(), 3);
    EXPECT_EQ(all.message(NamesNotExactText),
              QStringLiteral("3 files were left out because their names are not valid UTF-8 and cannot be shown "
                             "exactly, for example dropped\\x80"));
}
