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

class SplitFileTest : public TempDirTest {
protected:
    void SetUp() override { out = makeDir(QStringLiteral("out")) + u'/'; }

    // Every entry of the destination, hidden ones included.
    QStringList entries() const
    {
        return QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QByteArray joinedParts(const SplitFileOutput &result) const
    {
        QByteArray joined;
        for (const QString &part : result.parts) {
            QFile f(part);
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << part.toStdString();
            joined += f.readAll();
        }
        return joined;
    }

    // Runs the merge script with `args`; returns its exit code.
    int runScript(const QString &script, const QStringList &args = {}) const
    {
        QProcess sh;
        sh.setWorkingDirectory(path());   // not the destination: the script finds its folder
        sh.start(QStringLiteral("/bin/sh"), QStringList{script} + args);
        sh.waitForFinished(60000);
        return sh.exitStatus() == QProcess::NormalExit ? sh.exitCode() : -1;
    }

    QString out;
};

} // namespace

TEST_F(SplitFileTest, PartsAtTheEdgesOfThePartSize)
{
    constexpr qint64 P = 1000;
    const struct {
        qint64 length;
        std::vector<qint64> sizes;
    } cases[] = {
        {0, {}}, {1, {1}}, {P - 1, {P - 1}}, {P, {P}}, {P + 1, {P, 1}}, {3 * P, {P, P, P}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        const QByteArray content = PatternBytes(c.length, quint32(c.length));
        const QString source = writeFile(QStringLiteral("in/f%1.bin").arg(c.length), content);
        const QString base = QStringLiteral("f%1").arg(c.length);
        const SplitFileOutput result = SplitFile(source, base + QStringLiteral(".bin"), out, base, P, P);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.partSizes, c.sizes);
        EXPECT_EQ(result.partCount(), PartCount(c.length, P, P));
        EXPECT_EQ(joinedParts(result), content);
        for (qint64 k = 0; k < result.partCount(); ++k)
            EXPECT_EQ(result.parts[k], out + PartFileName(base, k));
        // An empty file gives nothing at all, a merge script otherwise.
        EXPECT_EQ(result.script.isEmpty(), c.length == 0);
        EXPECT_EQ(QFile::exists(out + MergeScriptName(base)), c.length > 0);
    }
}

TEST_F(SplitFileTest, FirstPartHasItsOwnLimit)
{
    const QByteArray content = PatternBytes(2500, 1);
    const QString source = writeFile(QStringLiteral("Report.doc"), content);
    const SplitFileOutput result = SplitFile(source, QStringLiteral("Report.doc"), out, QStringLiteral("Report"), 300, 1000);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.partSizes, (std::vector<qint64>{300, 1000, 1000, 200}));
    EXPECT_EQ(joinedParts(result), content);
    EXPECT_EQ(entries(), (QStringList{"Report-merge.sh", "Report0.kos", "Report1.kos", "Report2.kos", "Report3.kos"}));
}

TEST_F(SplitFileTest, NeverReplacesAFileAndTakesBackWhatItWrote)
{
    const QString source = writeFile(QStringLiteral("a.txt"), PatternBytes(5000, 2));
    writeFile(QStringLiteral("out/a3.kos"), "someone else's");
    const SplitFileOutput result = SplitFile(source, QStringLiteral("a.txt"), out, QStringLiteral("a"), 1000, 1000);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.problem.fault, SplitFault::System);
    EXPECT_EQ(result.problem.sysError, EEXIST);
    EXPECT_EQ(result.problem.path, out + QStringLiteral("a3.kos"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("a3.kos")});
    EXPECT_EQ(readFile(QStringLiteral("out/a3.kos")), QByteArray("someone else's"));

    // The script's name is taken: the parts go again.
    QFile::remove(out + QStringLiteral("a3.kos"));
    writeFile(QStringLiteral("out/a-merge.sh"), "mine");
    const SplitFileOutput again = SplitFile(source, QStringLiteral("a.txt"), out, QStringLiteral("a"), 1000, 1000);
    EXPECT_EQ(again.problem.sysError, EEXIST);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("a-merge.sh")});
}

TEST_F(SplitFileTest, AFailedWriteLeavesNoPartUnderItsName)
{
    // Files may grow to 600 bytes only: part 0 (500 bytes) fits, part 1
    // (1000 bytes) cannot be written whole.
    const QString source = writeFile(QStringLiteral("big.bin"), PatternBytes(5000, 3));
    const auto result = [&] {
        const FileSizeLimit limit(600);
        return SplitFile(source, QStringLiteral("big.bin"), out, QStringLiteral("big"), 500, 1000);
    }();

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.problem.sysError, EFBIG);
    EXPECT_EQ(result.problem.path, out + QStringLiteral("big1.kos"));
    EXPECT_TRUE(result.parts.isEmpty());
    // Part 0 fitted and was written, then taken back; no temporary file stays.
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SplitFileTest, ReportsAMissingSourceAndSizesBelowOne)
{
    const SplitFileOutput missing = SplitFile(path(QStringLiteral("gone")), QStringLiteral("gone"), out,
                                              QStringLiteral("gone"), 10, 10);
    EXPECT_EQ(missing.problem.sysError, ENOENT);
    const QString source = writeFile(QStringLiteral("x"), "abc");
    EXPECT_EQ(SplitFile(source, QStringLiteral("x"), out, QStringLiteral("x"), 0, 10).problem.sysError, EINVAL);
    EXPECT_EQ(SplitFile(source, QStringLiteral("x"), out, QStringLiteral("x"), 10, -1).problem.sysError, EINVAL);
    EXPECT_EQ(entries(), QStringList());
}

TEST_F(SplitFileTest, ScriptRebuildsTheFileAndNeverReplacesOne)
{
    const QString name = QStringLiteral("it's a -file $(x).tar.gz");
    const QByteArray content = PatternBytes(10000, 4);
    const QString source = writeFile(name, content);
    const QString base = SplitName::FromFileName(name).base;
    const SplitFileOutput result = SplitFile(source, name, out, base, 3000, 3000);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.partCount(), 4);

    ASSERT_EQ(runScript(result.script), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/") + name), content);

    // Once more: the file is there, so nothing happens without -f.
    writeFile(QStringLiteral("out/") + name, "changed");
    EXPECT_NE(runScript(result.script), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/") + name), QByteArray("changed"));
    ASSERT_EQ(runScript(result.script, {QStringLiteral("-f")}), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/") + name), content);

    // A part missing: no file, no temporary file.
    QFile::remove(out + name);
    QFile::remove(result.parts[2]);
    EXPECT_NE(runScript(result.script), 0);
    EXPECT_FALSE(QFile::exists(out + name));
    EXPECT_EQ(entries().filter(QStringLiteral(".kos-merge")), QStringList());
}

TEST_F(SplitFileTest, ScriptWorksInAnyFolderAndSaysWhatItDid)
{
    // A folder whose name ends in a line break, beside one without it.
    const QString odd = makeDir(QStringLiteral("odd\n")) + u'/';
    makeDir(QStringLiteral("odd"));
    // A backslash that some shells' echo reads as "stop here".
    const QString name = QStringLiteral("a\\cb.txt");
    const QByteArray content = PatternBytes(5000, 5);
    const QString source = writeFile(QStringLiteral("in/") + name, content);
    const SplitFileOutput result = SplitFile(source, name, odd, QStringLiteral("a\\cb"), 2000, 2000);
    ASSERT_TRUE(result.ok());

    QProcess sh;
    sh.setWorkingDirectory(path());
    sh.start(QStringLiteral("/bin/sh"), {result.script});
    ASSERT_TRUE(sh.waitForFinished(60000));
    EXPECT_EQ(sh.exitCode(), 0) << sh.readAllStandardError().toStdString();
    EXPECT_EQ(readFile(QStringLiteral("odd\n/") + name), content);
    EXPECT_EQ(QDir(path(QStringLiteral("odd"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
    EXPECT_EQ(QString::fromUtf8(sh.readAllStandardOutput()),
              QStringLiteral("Rebuilt a\\cb.txt (5000 bytes) from 3 parts\n"));
}

TEST_F(SplitFileTest, ScriptNeverPutsTheFileIntoAFolderOfItsName)
{
    const QByteArray content = PatternBytes(3000, 6);
    const QString source = writeFile(QStringLiteral("in/r.bin"), content);
    const SplitFileOutput result = SplitFile(source, QStringLiteral("r.bin"), out, QStringLiteral("r"), 1000, 1000);
    ASSERT_TRUE(result.ok());
    // A folder of that name, and a link of that name to a folder elsewhere:
    // even -f leaves both as they are and says it failed.
    const QString elsewhere = makeDir(QStringLiteral("elsewhere"));
    makeDir(QStringLiteral("out/r.bin"));
    EXPECT_NE(runScript(result.script, {QStringLiteral("-f")}), 0);
    EXPECT_TRUE(QDir(out + QStringLiteral("r.bin")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QDir(out + QStringLiteral("r.bin")).removeRecursively();
    ASSERT_TRUE(QFile::link(elsewhere, out + QStringLiteral("r.bin")));
    EXPECT_NE(runScript(result.script, {QStringLiteral("-f")}), 0);
    EXPECT_TRUE(QDir(elsewhere).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_EQ(entries().filter(QStringLiteral(".kos-merge")), QStringList());
}

TEST_F(SplitFileTest, ScriptWritesOnlyATemporaryFileOfItsOwn)
{
    const QByteArray content = PatternBytes(3000, 7);
    const QString source = writeFile(QStringLiteral("in/t.bin"), content);
    const SplitFileOutput result = SplitFile(source, QStringLiteral("t.bin"), out, QStringLiteral("t"), 1000, 1000);
    ASSERT_TRUE(result.ok());
    const QString kept = writeFile(QStringLiteral("kept"), "kept");
    // The script's process puts a file, then a link to a file outside the
    // folder, under the temporary name the script will pick ("exec" keeps
    // the process, so $$ is the same).
    const QString commands[] = {
        QStringLiteral("printf kept > .kos-merge-$$ && exec /bin/sh \"$0\""),
        QStringLiteral("ln -s \"$1\" .kos-merge-$$ && exec /bin/sh \"$0\""),
    };
    for (const QString &command : commands) {
        SCOPED_TRACE(command.toStdString());
        QProcess sh;
        sh.setWorkingDirectory(out);
        sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command, result.script, kept});
        ASSERT_TRUE(sh.waitForFinished(60000));
        EXPECT_NE(sh.exitCode(), 0);
        EXPECT_EQ(readFile(QStringLiteral("kept")), QByteArray("kept"));
        EXPECT_FALSE(QFile::exists(out + QStringLiteral("t.bin")));
        const QStringList left = entries().filter(QStringLiteral(".kos-merge-"));
        ASSERT_EQ(left.size(), 1);
        EXPECT_EQ(QFileInfo(out + left.front()).isSymLink(), command.startsWith(QStringLiteral("ln")));
        EXPECT_EQ(QFile(out + left.front()).size(), 4);
        QFile::remove(out + left.front());
    }
}

TEST_F(SplitFileTest, ScriptRefusesPartsOfTheWrongSizeEvenWhenTheTotalFits)
{
    const QByteArray content = PatternBytes(2500, 8);
    const QString source = writeFile(QStringLiteral("in/s.bin"), content);
    const SplitFileOutput result = SplitFile(source, QStringLiteral("s.bin"), out, QStringLiteral("s"), 1000, 1000);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.partCount(), 3);
    // The short last part and a full one swapped: 2,500 bytes all the same.
    const QString swap = out + QStringLiteral("swap");
    ASSERT_TRUE(QFile::rename(result.parts[1], swap));
    ASSERT_TRUE(QFile::rename(result.parts[2], result.parts[1]));
    ASSERT_TRUE(QFile::rename(swap, result.parts[2]));
    EXPECT_NE(runScript(result.script), 0);
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("s.bin")));
    EXPECT_EQ(entries().filter(QStringLiteral(".kos-merge")), QStringList());

    // Put back, the parts rebuild the file.
    ASSERT_TRUE(QFile::rename(result.parts[1], swap));
    ASSERT_TRUE(QFile::rename(result.parts[2], result.parts[1]));
    ASSERT_TRUE(QFile::rename(swap, result.parts[2]));
    ASSERT_EQ(runScript(result.script), 0);
    EXPECT_EQ(readFile(QStringLiteral("out/s.bin")), content);
}
