#include "common/core/ScriptedPrompter.h"
#include "platform/settings/modRegistry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include <limits>

#include <sys/stat.h>

using namespace ardl;

namespace {
const QString Option = ProgramKey + QStringLiteral("Option");
}

class RegistryFileTest : public test::TempDirTest {
protected:
    QString file() const { return path(QStringLiteral("cfg/settings.reg")); }
    QString text(RegistryFile &store, const QString &name) { return store.value(Option, name).toString(); }
    void set(RegistryFile &store, const QString &name, const QString &value)
    {
        store.setValue(Option, name, RegValue::text(value));
    }
};

// Another running copy of the program working on the same settings file.
class OtherCopy {
public:
    explicit OtherCopy(const QString &file)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(ARDL_SETTINGS_COPY), {file});
    }
    ~OtherCopy()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(30000))
            m_process.kill();
    }
    // Runs one command and waits until it is done.
    bool run(const QString &command)
    {
        m_process.write(command.toUtf8() + '\n');
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(30000))
                return false;
        }
        return m_process.readLine() == "ok\n";
    }

private:
    QProcess m_process;
};

TEST_F(RegistryFileTest, KeysExistApartFromValuesAndWritesNeedTheKey)
{
    RegistryFile store(file());
    EXPECT_FALSE(store.setValue(Option, QStringLiteral("MainLeft"), RegValue::text(QStringLiteral("1"))));
    EXPECT_FALSE(store.keyExists(Option));
    EXPECT_FALSE(QFileInfo::exists(file()));   // nothing to write yet

    store.createKey(Option);
    EXPECT_TRUE(store.keyExists(ProgramKey));   // parents come with it
    EXPECT_TRUE(store.keyExists(Option));
    EXPECT_TRUE(store.value(Option, QStringLiteral("MainLeft")).isMissing());
    EXPECT_TRUE(store.setValue(Option, QStringLiteral("MainLeft"), RegValue::text(QStringLiteral("1200"))));
    // Registry names do not care about case.
    EXPECT_EQ(store.value(QStringLiteral("software\\tolvern\\ardl\\OPTION"), QStringLiteral("mainleft")).toString(),
              QStringLiteral("1200"));
}

TEST_F(RegistryFileTest, TypedValuesSurviveAReopen)
{
    {
        RegistryFile store(file());
        store.createKey(Option);
        store.setValue(Option, QString(), RegValue::dword(-5));
        store.setValue(Option, QStringLiteral("Text"), RegValue::text(QStringLiteral("a \"quoted\" \\ text\r\nline two\tand ü")));
        store.setValue(Option, QStringLiteral("Empty"), RegValue::text(QString()));
        store.setValue(Option, QStringLiteral("Big"), RegValue::dword(std::numeric_limits<qint32>::min()));
    }
    RegistryFile reopened(file());
    EXPECT_EQ(reopened.value(Option, QString()), RegValue::dword(-5));
    EXPECT_EQ(reopened.value(Option, QStringLiteral("Text")).toString(),
              QStringLiteral("a \"quoted\" \\ text\r\nline two\tand ü"));
    EXPECT_EQ(reopened.value(Option, QStringLiteral("Empty")).type(), REG_SZ);
    EXPECT_EQ(reopened.value(Option, QStringLiteral("Big")).toInt(), std::numeric_limits<qint32>::min());
}

TEST_F(RegistryFileTest, FileIsReadableTextAndPrivateToItsOwner)
{
    RegistryFile store(file());
    store.createKey(Option);
    store.setValue(Option, QStringLiteral("Pass"), RegValue::text(QStringLiteral("secret")));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    const QByteArray text = readFile(QStringLiteral("cfg/settings.reg"));
    EXPECT_TRUE(text.contains("[SOFTWARE\\Tolvern\\ARDL\\Option]\n\"Pass\"=\"secret\"\n")) << text.constData();
}

TEST_F(RegistryFileTest, TwoRunningCopiesLoseNoSetting)
{
    RegistryFile first(file());
    RegistryFile second(file());
    first.createKey(Option);
    second.createKey(ProgramKey + QStringLiteral("Sync"));
    first.setValue(Option, QStringLiteral("A"), RegValue::text(QStringLiteral("1")));
    {
        RegistryFile::Batch batch(second);
        second.setValue(ProgramKey + QStringLiteral("Sync"), QStringLiteral("B"), RegValue::text(QStringLiteral("2")));
        first.setValue(Option, QStringLiteral("C"), RegValue::text(QStringLiteral("3")));
    }
    RegistryFile third(file());
    EXPECT_EQ(third.value(Option, QStringLiteral("A")).toString(), QStringLiteral("1"));
    EXPECT_EQ(third.value(ProgramKey + QStringLiteral("Sync"), QStringLiteral("B")).toString(), QStringLiteral("2"));
    EXPECT_EQ(third.value(Option, QStringLiteral("C")).toString(), QStringLiteral("3"));
    // And each copy sees what the other wrote.
    EXPECT_EQ(first.value(ProgramKey + QStringLiteral("Sync"), QStringLiteral("B")).toString(), QStringLiteral("2"));
}

// One copy changes settings inside a batch (as start-up and exit do) while
// the other writes: every change of both ends up in the file.
TEST_F(RegistryFileTest, ABatchKeepsItsChangesWhenAnotherCopyWritesMeanwhile)
{
    RegistryFile first(file());
    RegistryFile second(file());
    first.createKey(Option);
    {
        RegistryFile::Batch batch(second);
        set(second, QStringLiteral("B"), QStringLiteral("2"));
        set(first, QStringLiteral("C"), QStringLiteral("3"));
        EXPECT_EQ(text(second, QStringLiteral("B")), QStringLiteral("2"));   // its own change stays in view
        EXPECT_EQ(text(second, QStringLiteral("C")), QStringLiteral("3"));   // and so does the other's
        set(second, QStringLiteral("D"), QStringLiteral("4"));
    }
    RegistryFile reader(file());
    EXPECT_EQ(text(reader, QStringLiteral("B")), QStringLiteral("2"));
    EXPECT_EQ(text(reader, QStringLiteral("C")), QStringLiteral("3"));
    EXPECT_EQ(text(reader, QStringLiteral("D")), QStringLiteral("4"));
}

TEST_F(RegistryFileTest, TwoProcessesInterleavingBatchesLoseNoSetting)
{
    RegistryFile mine(file());
    mine.createKey(Option);
    OtherCopy other(file());
    const QString key = QStringLiteral("set ") + Option + u' ';

    // The other process holds the batch.
    ASSERT_TRUE(other.run(QStringLiteral("begin")));
    ASSERT_TRUE(other.run(key + QStringLiteral("B 2")));
    set(mine, QStringLiteral("C"), QStringLiteral("3"));
    ASSERT_TRUE(other.run(key + QStringLiteral("D 4")));
    ASSERT_TRUE(other.run(QStringLiteral("end")));

    // This one holds it.
    {
        RegistryFile::Batch batch(mine);
        set(mine, QStringLiteral("E"), QStringLiteral("5"));
        ASSERT_TRUE(other.run(key + QStringLiteral("F 6")));
        set(mine, QStringLiteral("G"), QStringLiteral("7"));
    }

    RegistryFile reader(file());
    for (const char *name : {"B", "C", "D", "E", "F", "G"})
        EXPECT_FALSE(reader.value(Option, QLatin1String(name)).isMissing()) << name;
}

TEST_F(RegistryFileTest, AFileThatCannotBeOpenedIsReportedAndLeftInPlace)
{
    // A folder where the file should be: it cannot be opened, whoever runs
    // the test.
    makeDir(QStringLiteral("cfg/settings.reg"));
    writeFile(QStringLiteral("cfg/settings.reg/inside.txt"), "keep");
    ScriptedPrompter answers;
    ScopedPrompter using_(answers);
    RegistryFile store(file());
    EXPECT_FALSE(store.keyExists(Option));
    store.createKey(Option);
    set(store, QStringLiteral("A"), QStringLiteral("1"));

    EXPECT_TRUE(store.setAsidePath().isEmpty());
    EXPECT_TRUE(QFileInfo(file()).isDir());
    EXPECT_EQ(readFile(QStringLiteral("cfg/settings.reg/inside.txt")), "keep");
    ASSERT_EQ(answers.messages().size(), 1) << answers.messages().join(u'|').toStdString();   // once, not per change
    EXPECT_TRUE(answers.messages()[0].contains(file())) << answers.messages()[0].toStdString();
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Exclamation);
}

TEST_F(RegistryFileTest, AWriteThatFailsIsReportedOnceAndKeptForTheNextChange)
{
    writeFile(QStringLiteral("cfg"), "a file where the settings folder should be");
    ScriptedPrompter answers;
    ScopedPrompter using_(answers);
    RegistryFile store(file());
    store.createKey(Option);
    set(store, QStringLiteral("A"), QStringLiteral("1"));
    set(store, QStringLiteral("B"), QStringLiteral("2"));
    EXPECT_EQ(text(store, QStringLiteral("A")), QStringLiteral("1"));   // still in view

    ASSERT_EQ(answers.messages().size(), 1) << answers.messages().join(u'|').toStdString();
    const QString report = answers.messages()[0];
    EXPECT_TRUE(report.contains(file())) << report.toStdString();
    EXPECT_TRUE(report.contains(QString::fromLocal8Bit(strerror(ENOTDIR)))) << report.toStdString();

    // Once the folder can be made, the next change writes the earlier ones too.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("cfg"))));
    set(store, QStringLiteral("C"), QStringLiteral("3"));
    RegistryFile reader(file());
    EXPECT_EQ(text(reader, QStringLiteral("A")), QStringLiteral("1"));
    EXPECT_EQ(text(reader, QStringLiteral("B")), QStringLiteral("2"));
    EXPECT_EQ(text(reader, QStringLiteral("C")), QStringLiteral("3"));
    EXPECT_EQ(answers.messages().size(), 1);
}

TEST_F(RegistryFileTest, NothingIsWrittenWithoutTheLock)
{
    RegistryFile store(file());
    store.createKey(Option);
    set(store, QStringLiteral("A"), QStringLiteral("1"));
    const QByteArray before = readFile(QStringLiteral("cfg/settings.reg"));

    ScriptedPrompter answers;
    ScopedPrompter using_(answers);
    QLockFile held(file() + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    store.setLockWait(20);
    set(store, QStringLiteral("B"), QStringLiteral("2"));
    EXPECT_EQ(readFile(QStringLiteral("cfg/settings.reg")), before);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages()[0].contains(file())) << answers.messages()[0].toStdString();

    held.unlock();
    set(store, QStringLiteral("C"), QStringLiteral("3"));
    RegistryFile reader(file());
    EXPECT_EQ(text(reader, QStringLiteral("B")), QStringLiteral("2"));
    EXPECT_EQ(text(reader, QStringLiteral("C")), QStringLiteral("3"));
}

TEST_F(RegistryFileTest, UnreadableFileIsKeptAsideNotLost)
{
    const QByteArray garbage = "this is not a settings file\n\xff\xfe";
    writeFile(QStringLiteral("cfg/settings.reg"), garbage);
    ScriptedPrompter answers;
    ScopedPrompter using_(answers);
    RegistryFile store(file());
    EXPECT_FALSE(store.keyExists(Option));
    ASSERT_FALSE(store.setAsidePath().isEmpty());
    QFile aside(store.setAsidePath());
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), garbage);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.messages()[0].contains(store.setAsidePath())) << answers.messages()[0].toStdString();

    store.createKey(Option);   // the store works afresh
    EXPECT_TRUE(RegistryFile(file()).keyExists(Option));
}

TEST_F(RegistryFileTest, RoutinesFollowTheRegistryRules)
{
    UseSettingsFile(file());
    SetKeyValue(Option, QStringLiteral("X"), QStringLiteral("lost"), REG_SZ);   // key missing: no write
    EXPECT_TRUE(QueryValue(Option, QStringLiteral("X")).isMissing());
    CreateNewKey(Option);
    SetKeyValue(Option, QStringLiteral("X"), QStringLiteral("True"), REG_SZ);
    SetKeyValue(Option, QStringLiteral("N"), 10, REG_DWORD);
    SetKeyValue(Option, QStringLiteral("Z"), 1, 3);   // other types write nothing
    SetKeyValue(Option, QStringLiteral("Nul"), QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"), REG_SZ);
    EXPECT_EQ(QueryValue(Option, QStringLiteral("X")).toString(), QStringLiteral("True"));
    EXPECT_EQ(QueryValue(Option, QStringLiteral("N")).type(), REG_DWORD);
    EXPECT_EQ(QueryValue(Option, QStringLiteral("N")).toInt(), 10);
    EXPECT_TRUE(QueryValue(Option, QStringLiteral("Z")).isMissing());
    EXPECT_EQ(QueryValue(Option, QStringLiteral("Nul")).toString(), QStringLiteral("ab"));
    // Missing reads as "" and 0.
    const RegValue missing = QueryValue(ProgramKey + QStringLiteral("Nope"), QStringLiteral("X"));
    EXPECT_TRUE(missing.isEmpty());
    EXPECT_EQ(missing.toString(), QString());
    EXPECT_EQ(missing.toInt(), 0);
}
