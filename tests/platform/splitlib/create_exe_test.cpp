#include "platform/splitlib/CreateExe.h"
#include "platform/splitlib/SplitFile.h"
#include "platform/splitlib/SplitLayout.h"
#include "support/FileContent.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace ardl;
using namespace ardl::test;

namespace {

const QString MergeProgram = QStringLiteral(ARDL_MERGE_PROGRAM);

class CreateExeTest : public TempDirTest {
protected:
    void SetUp() override { out = makeDir(QStringLiteral("out")) + u'/'; }

    // Splits `fileName` holding `content` so that the first file, merge
    // program included, is at most `partSize` bytes, and makes the program.
    CreateExeOutput splitWithProgram(const QString &fileName, qint64 partSize)
    {
        const QString source = path(QStringLiteral("in/") + fileName);
        const SplitName name = SplitName::FromFileName(fileName);
        const qint64 first = partSize - SelfMergeOverhead(name);
        const SplitFileOutput split = SplitFile(source, fileName, out, name.base, first, partSize);
        EXPECT_TRUE(split.ok());
        const CreateExeOutput made = CreateExe(MergeProgram, out, name, split.partCount(), first, partSize);
        if (made.ok()) {
            QFile::remove(split.parts.front());
            QFile::remove(split.script);
        }
        return made;
    }

    // Runs a self-merging program from another folder; its exit code.
    int run(const QString &program, const QStringList &args = {}, QString *output = nullptr) const
    {
        QProcess p;
        p.setWorkingDirectory(path());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        p.waitForFinished(600000);
        if (output)
            *output = QString::fromLocal8Bit(p.readAll());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QStringList entries() const
    {
        return QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QString out;
};

} // namespace

TEST_F(CreateExeTest, TheMergeProgramFitsTheRoomKeptForIt)
{
    const QFileInfo program(MergeProgram);
    ASSERT_TRUE(program.isExecutable());
    EXPECT_LE(program.size(), MergeProgramReserve);
}

TEST_F(CreateExeTest, FirstFileIsExactlyOnePartAndRebuildsTheSource)
{
    constexpr qint64 Part = 100000;
    const QByteArray content = PatternBytes(260000, 5);
    writeFile(QStringLiteral("in/Report.doc"), content);
    const CreateExeOutput made = splitWithProgram(QStringLiteral("Report.doc"), Part);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.program, out + QStringLiteral("Report-merge"));
    // 45056 + 50 + "Report" + "doc" + part 0, which fills the rest.
    EXPECT_EQ(made.size, Part);
    EXPECT_EQ(QFileInfo(made.program).size(), Part);
    EXPECT_TRUE(QFileInfo(made.program).isExecutable());
    const qint64 first = Part - (45056 + 50 + 6 + 3);
    EXPECT_EQ(entries(), (QStringList{"Report-merge", "Report1.kos", "Report2.kos", "Report3.kos"}));
    EXPECT_EQ(QFileInfo(out + QStringLiteral("Report3.kos")).size(), 260000 - first - 2 * Part);

    QString said;
    ASSERT_EQ(run(made.program, {}, &said), 0) << said.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("out/Report.doc")), content);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Report.doc"))));   // beside the program, not in the working folder

    // Run again: the rebuilt file is there and stays as it is unless -f.
    writeFile(QStringLiteral("out/Report.doc"), "edited since");
    EXPECT_NE(run(made.program, {}, &said), 0);
    EXPECT_TRUE(said.contains(QStringLiteral("exists already"))) << said.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("out/Report.doc")), QByteArray("edited since"));
    ASSERT_EQ(run(made.program, {QStringLiteral("-f")}), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/Report.doc")), content);
}

TEST_F(CreateExeTest, ASmallFileIsAllInTheProgram)
{
    const QByteArray content = PatternBytes(1000, 6);
    writeFile(QStringLiteral("in/notes."), content);   // a name ending in a dot keeps it
    const CreateExeOutput made = splitWithProgram(QStringLiteral("notes."), 1456128);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made.size, 45056 + 50 + 5 + 0 + 1000);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("notes-merge")});
    ASSERT_EQ(run(made.program), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/notes.")), content);
}

TEST_F(CreateExeTest, MissingOrChangedPartsRebuildNothing)
{
    const QByteArray content = PatternBytes(200000, 8);
    writeFile(QStringLiteral("in/data.bin"), content);
    const CreateExeOutput made = splitWithProgram(QStringLiteral("data.bin"), 60000);
    ASSERT_TRUE(made.ok());
    const QString part2 = out + QStringLiteral("data2.kos");
    const QByteArray original = readFile(QStringLiteral("out/data2.kos"));

    // Same size, other bytes: only the checksum can tell.
    QByteArray changed = original;
    changed[100] = char(changed[100] ^ 0x40);
    writeFile(QStringLiteral("out/data2.kos"), changed);
    QString said;
    EXPECT_NE(run(made.program, {}, &said), 0);
    EXPECT_TRUE(said.contains(QStringLiteral("checksum"))) << said.toStdString();
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("data.bin")));

    writeFile(QStringLiteral("out/data2.kos"), original.left(original.size() - 1));
    EXPECT_NE(run(made.program, {}, &said), 0);
    EXPECT_TRUE(said.contains(QStringLiteral("wrong size"))) << said.toStdString();

    QFile::remove(part2);
    EXPECT_NE(run(made.program, {}, &said), 0);
    EXPECT_TRUE(said.contains(QStringLiteral("data2.kos"))) << said.toStdString();
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("data.bin")));
    EXPECT_EQ(entries().filter(QStringLiteral(".kos-")), QStringList());
}

TEST_F(CreateExeTest, RebuildsASparseFileOfManyBuffersAndFindsADamageFarIn)
{
    // Parts of an odd size, each read in several buffers, data at odd
    // offsets between holes, and a hole at the end that whole parts lie in.
    constexpr qint64 MiB = 1 << 20;
    constexpr qint64 Length = 26 * MiB + 5, Part = 3 * MiB + 777;
    const QString source = path(QStringLiteral("in/disk.img"));
    ASSERT_TRUE(makeDir(QStringLiteral("in")).size());
    ASSERT_TRUE(MakeSparseFile(source, Length, {0, 5 * MiB, 10 * MiB + 4096, 14 * MiB + 1, 19 * MiB},
                               PatternBytes(2 * MiB + 3, 11)));
    const CreateExeOutput made = splitWithProgram(QStringLiteral("disk.img"), Part);
    ASSERT_TRUE(made.ok());
    QString said;
    ASSERT_EQ(run(made.program, {}, &said), 0) << said.toStdString();
    QString why;
    EXPECT_TRUE(SameContent(source, out + QStringLiteral("disk.img"), &why)) << why.toStdString();

    // One byte changed in the last data, long after the buffers went round.
    constexpr qint64 Damage = 21 * MiB - 10;
    // Part 0 gives room to the program, its record and the two names.
    const qint64 first = Part - (45056 + 50 + 4 + 3);
    QFile file(out + QStringLiteral("disk%1.kos").arg((Damage - first) / Part + 1));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 at = (Damage - first) % Part;
    ASSERT_TRUE(file.seek(at));
    const char old = file.read(1).at(0);
    ASSERT_TRUE(file.seek(at) && file.putChar(char(old ^ 1)));
    file.close();
    EXPECT_NE(run(made.program, {QStringLiteral("-f")}, &said), 0);
    EXPECT_TRUE(said.contains(QStringLiteral("checksum"))) << said.toStdString();
    EXPECT_TRUE(SameContent(source, out + QStringLiteral("disk.img")));   // the first rebuild stays
    EXPECT_EQ(entries().filter(QStringLiteral(".kos-")), QStringList());
}

TEST_F(CreateExeTest, RefusesPartsThatAreNotOneSplitAndATooLargeProgram)
{
    writeFile(QStringLiteral("in/x.bin"), PatternBytes(2500, 9));
    const SplitFileOutput split = SplitFile(path(QStringLiteral("in/x.bin")), QStringLiteral("x.bin"), out,
                                            QStringLiteral("x"), 1000, 1000);
    ASSERT_EQ(split.partCount(), 3);
    // A count larger than the split: x3.kos of an older split lies beside,
    // so x2.kos, the short last part, would have to be full.
    writeFile(QStringLiteral("out/x3.kos"), PatternBytes(1000, 10));
    const SplitName name = SplitName::FromFileName(QStringLiteral("x.bin"));
    CreateExeOutput made = CreateExe(MergeProgram, out, name, 4, 1000, 1000);
    EXPECT_EQ(made.problem.fault, SplitFault::PartSize);
    EXPECT_EQ(made.problem.path, out + QStringLiteral("x2.kos"));

    const QString big = writeFile(QStringLiteral("big-merge"), QByteArray(MergeProgramReserve + 1, 'x'));
    made = CreateExe(big, out, name, 3, 1000, 1000);
    EXPECT_EQ(made.problem.fault, SplitFault::ProgramSize);
    made = CreateExe(path(QStringLiteral("none")), out, name, 3, 1000, 1000);
    EXPECT_EQ(made.problem.fault, SplitFault::System);
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("x-merge")));

    made = CreateExe(MergeProgram, out, name, 3, 1000, 1000);
    ASSERT_TRUE(made.ok());
    // Never in place of another file.
    QFile::remove(out + QStringLiteral("x-merge"));
    writeFile(QStringLiteral("out/x-merge"), "mine");
    made = CreateExe(MergeProgram, out, name, 3, 1000, 1000);
    EXPECT_EQ(made.problem.sysError, EEXIST);
    EXPECT_EQ(readFile(QStringLiteral("out/x-merge")), QByteArray("mine"));
}
