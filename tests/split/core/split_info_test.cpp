#include "split/core/SplitInfo.h"
#include "support/TestSupport.h"

using namespace ardl;

namespace {

class SplitInfoTest : public test::TempDirTest {
protected:
    SplitInfoInput input(const QString &selected, qint64 count = 1) const
    {
        SplitInfoInput in;
        in.fileCount = count;
        in.destination = QStringLiteral("/out/");
        in.selected = selected;
        in.settings.download = {"0", "0", "0", "44000"};
        in.downloadSpeed = QStringLiteral("44000");
        return in;
    }
    QString fileOf(qint64 length) { return writeFile(QStringLiteral("f%1.bin").arg(length), QByteArray(length, 'x')); }
};

} // namespace

TEST_F(SplitInfoTest, ThreeMillionBytesAtTheStartSettings)
{
    const SplitInfo info = CalculateInfo(input(fileOf(3000000)));
    EXPECT_EQ(info.lblInfo1, QStringLiteral("1"));
    EXPECT_EQ(info.lblInfo2, QStringLiteral("/out/"));
    EXPECT_EQ(info.lblInfo6, QStringLiteral("3000000"));
    EXPECT_EQ(info.lblInfo4, QStringLiteral("1456128  (Max : 1456128)"));
    EXPECT_EQ(info.lblInfo5, QStringLiteral("3"));
    EXPECT_EQ(info.lblInfo7, QStringLiteral("0 h 4 m 24 s"));
}

TEST_F(SplitInfoTest, SmallAndEmptyFiles)
{
    SplitInfo info = CalculateInfo(input(fileOf(1000)));
    EXPECT_EQ(info.lblInfo4, QStringLiteral("1000  (Max : 1456128)"));
    EXPECT_EQ(info.lblInfo5, QStringLiteral("1"));
    info = CalculateInfo(input(fileOf(0)));
    EXPECT_EQ(info.lblInfo4, QStringLiteral("0  (Max : 1456128)"));
    EXPECT_EQ(info.lblInfo5, QStringLiteral("0"));
    EXPECT_EQ(info.lblInfo6, QStringLiteral("0"));
    EXPECT_EQ(info.lblInfo7, QStringLiteral("0 h 0 m 0 s"));
}

TEST_F(SplitInfoTest, ByNumberShowsTheRoundedUpPartAndTheCountWritten)
{
    SplitInfoInput in = input(fileOf(10));
    in.settings.options.SplitBy = SplitByParts;
    in.settings.partCount = 4;
    SplitInfo info = CalculateInfo(in);
    EXPECT_EQ(info.lblInfo4, QStringLiteral("3  (Max : 3)"));
    EXPECT_EQ(info.lblInfo5, QStringLiteral("4"));

    // With the merge program, the files are still four.
    in = input(fileOf(3000000));
    in.settings.options.SplitBy = SplitByParts;
    in.settings.partCount = 2;
    in.settings.includeExe = true;
    info = CalculateInfo(in);
    EXPECT_EQ(info.lblInfo5, QStringLiteral("2"));
    EXPECT_EQ(info.lblInfo4, QStringLiteral("1522559  (Max : 1522559)"));   // (3000000 + 45117) / 2 rounded up
}

TEST_F(SplitInfoTest, TheMergeProgramCanAddAPart)
{
    SplitInfoInput in = input(fileOf(2 * 1456128 - 45000));
    EXPECT_EQ(CalculateInfo(in).lblInfo5, QStringLiteral("2"));
    in.settings.includeExe = true;
    EXPECT_EQ(CalculateInfo(in).lblInfo5, QStringLiteral("3"));
}

TEST_F(SplitInfoTest, UndefinedFiguresShowEmpty)
{
    SplitInfoInput in = input(fileOf(3000000));
    in.downloadSpeed = QStringLiteral("7");   // less than a byte a second
    SplitInfo info = CalculateInfo(in);
    EXPECT_EQ(info.lblInfo7, QString());
    EXPECT_EQ(info.lblInfo5, QStringLiteral("3"));

    in = input(fileOf(3000000));
    in.settings.options.SizeMode = SizeModeDownload;
    in.settings.download = {"999999999", "0", "0", "999999999"};
    info = CalculateInfo(in);
    EXPECT_EQ(info.lblInfo4, QString());
    EXPECT_EQ(info.lblInfo5, QString());
    EXPECT_EQ(info.lblInfo7, QString());
    EXPECT_EQ(info.lblInfo6, QStringLiteral("3000000"));

    // Ten hours and more for one part.
    in = input(fileOf(3000000));
    in.downloadSpeed = QStringLiteral("8");
    EXPECT_EQ(CalculateInfo(in).lblInfo7, QStringLiteral("404 h 28 m 48 s"));   // 1456128 s
}

TEST_F(SplitInfoTest, EmptyListNoSelectionAndAMissingFile)
{
    SplitInfo info = CalculateInfo(input(QString(), 0));
    EXPECT_EQ(info.lblInfo1, QStringLiteral("0"));
    EXPECT_EQ(info.lblInfo2, QString());
    EXPECT_EQ(info.lblInfo3, QString());
    EXPECT_EQ(info.lblInfo7, QString());

    info = CalculateInfo(input(QString(), 2));
    EXPECT_EQ(info.lblInfo2, QStringLiteral("/out/"));
    EXPECT_EQ(info.lblInfo3, QString());
    EXPECT_FALSE(info.lblInfo4.has_value());   // left as shown
    EXPECT_FALSE(info.lblInfo7.has_value());

    info = CalculateInfo(input(path(QStringLiteral("gone.bin"))));
    EXPECT_EQ(info.lblInfo3, path(QStringLiteral("gone.bin")));
    EXPECT_EQ(info.lblInfo6, QString());
    EXPECT_EQ(info.lblInfo5, QString());
}
