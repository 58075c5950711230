#include "platform/settings/modRegistry.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

#include <sys/stat.h>

using namespace ardl;

namespace {
const QString Option = ProgramKey + QStringLiteral("Option");
}

class RegistryFileTest : public test::TempDirTest {
protected:
    QString file() const { return path(QStringLiteral("cfg/settings.reg")); }
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

TEST_F(RegistryFileTest, UnreadableFileIsKeptAsideNotLost)
{
    const QByteArray garbage = "this is not a settings file\n\xff\xfe";
    writeFile(QStringLiteral("cfg/settings.reg"), garbage);
    RegistryFile store(file());
    EXPECT_FALSE(store.keyExists(Option));
    ASSERT_FALSE(store.setAsidePath().isEmpty());
    QFile aside(store.setAsidePath());
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), garbage);

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
