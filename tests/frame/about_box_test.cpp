#include "frame/frmAbout.h"
#include "common/core/ScriptedPrompter.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/modShell32.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <vector>

using namespace ardl;

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

class AboutBox : public test::TempDirTest {
protected:
    void SetUp() override
    {
        // Every start the box asks for is noted with its outcome, and made.
        about.setProgramStarter([this](const QString &program) {
            const bool started = StartProgram(program);
            starts.push_back({program, started});
            return started;
        });
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    }

    static void Register(const QString &key, const QString &value, const QString &text)
    {
        CreateNewKey(key);
        SetKeyValue(key, value, text, REG_SZ);
    }
    // A tool that leaves a file "<its path>.ran" holding the count of its
    // arguments. The file appears whole (written aside, then renamed), so a
    // test that sees it never reads it half written.
    QString Tool(const QString &relative) const
    {
        const QString tool
            = writeFile(relative, "#!/bin/sh\nprintf '%s' \"$#\" > \"$0.part\" && mv \"$0.part\" \"$0.ran\"\n");
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
        return tool;
    }
    static QByteArray SettingsBytes()
    {
        QFile file(test::CurrentSettingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool Ran(const QString &tool)
    {
        return QTest::qWaitFor([&] { return QFile::exists(tool + QStringLiteral(".ran")); }, 5000);
    }

    struct Start {
        QString program;
        bool started;
        bool operator==(const Start &) const = default;
    };
    std::vector<Start> starts;
    ScriptedPrompter answers;
    ScopedPrompter usingAnswers{answers};
    frmAbout about;
};

} // namespace

TEST_F(AboutBox, ShowsTitleVersionAndTheSite)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Ardelune"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Ardelune v2.0.0"));
    EXPECT_EQ(about.lblC->text(), QStringLiteral("\u00A9"));
    EXPECT_EQ(about.lblSiteURL->text(), frmAbout::SiteURL);
    EXPECT_TRUE(frmAbout::SiteURL.startsWith(QStringLiteral("https://")));
    EXPECT_FALSE(about.picIcon->pixmap().isNull());
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
}

TEST_F(AboutBox, GetKeyValueReadsTextsAndNumbersAndWritesNothing)
{
    QString value = QStringLiteral("left over");
    EXPECT_FALSE(frmAbout::GetKeyValue(SettingsStore(), ToolKey, QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QString());
    // Reading created neither the key nor the settings file.
    EXPECT_FALSE(QFile::exists(test::CurrentSettingsFile()));

    Register(ToolKey, QStringLiteral("PATH"), QStringLiteral("/opt/tool"));
    SetKeyValue(ToolKey, QStringLiteral("Small"), 0x10, REG_DWORD);
    SetKeyValue(ToolKey, QStringLiteral("Wide"), 0x0100, REG_DWORD);
    SetKeyValue(ToolKey, QStringLiteral("Negative"), -2, REG_DWORD);
    const QByteArray before = SettingsBytes();
    ASSERT_FALSE(before.isEmpty());
    EXPECT_TRUE(frmAbout::GetKeyValue(SettingsStore(), QStringLiteral("software\\microsoft\\shared tools\\msinfo"),
                                      QStringLiteral("path"), value));
    EXPECT_EQ(value, QStringLiteral("/opt/tool"));
    // Two digits a byte: 0x10 and 0x100 read differently.
    EXPECT_TRUE(frmAbout::GetKeyValue(SettingsStore(), ToolKey, QStringLiteral("Small"), value));
    EXPECT_EQ(value, QStringLiteral("&h00000010"));
    EXPECT_TRUE(frmAbout::GetKeyValue(SettingsStore(), ToolKey, QStringLiteral("Wide"), value));
    EXPECT_EQ(value, QStringLiteral("&h00000100"));
    EXPECT_TRUE(frmAbout::GetKeyValue(SettingsStore(), ToolKey, QStringLiteral("Negative"), value));
    EXPECT_EQ(value, QStringLiteral("&hFFFFFFFE"));
    EXPECT_FALSE(frmAbout::GetKeyValue(SettingsStore(), ToolKey, QStringLiteral("Missing"), value));
    EXPECT_EQ(value, QString());
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(AboutBox, NothingRegisteredOrNoToolInTheFolderSaysSoAndStartsNothing)
{
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].text, Unavailable);
    EXPECT_EQ(answers.asked[0].title, QStringLiteral("Ardelune"));
    EXPECT_EQ(answers.asked[0].buttons, MsgButtons::Ok);

    // Only the folder is registered, and the tool is not in it (a tool of
    // another case does not count).
    Tool(QStringLiteral("tools/msinfo32.exe"));
    Register(FolderKey, QStringLiteral("MSINFO"), path(QStringLiteral("tools")));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    EXPECT_EQ(answers.messages(), (QStringList{Unavailable, Unavailable}));
    EXPECT_TRUE(starts.empty());   // not even tried
    EXPECT_TRUE(about.isVisible());
}

TEST_F(AboutBox, StartsTheToolInTheRegisteredFolder)
{
    const QString tool = Tool(QStringLiteral("tools/MSINFO32.EXE"));
    Register(FolderKey, QStringLiteral("MSINFO"), path(QStringLiteral("tools")) + QLatin1Char('/'));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    EXPECT_TRUE(Ran(tool));
    EXPECT_EQ(readFile(QStringLiteral("tools/MSINFO32.EXE.ran")), "0");
    EXPECT_TRUE(answers.asked.empty());
}

TEST_F(AboutBox, StartsTheRegisteredPathAsItStandsWithoutAShell)
{
    // The registered path comes first; the folder's tool is not tried.
    Tool(QStringLiteral("tools/MSINFO32.EXE"));
    Register(FolderKey, QStringLiteral("MSINFO"), path(QStringLiteral("tools")));
    const QString tool = Tool(QStringLiteral("sys info; touch pwned"));
    Register(ToolKey, QStringLiteral("PATH"), tool);
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    EXPECT_TRUE(Ran(tool));
    EXPECT_EQ(starts, (std::vector<Start>{{tool, true}}));
    EXPECT_EQ(readFile(QStringLiteral("sys info; touch pwned.ran")), "0");
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("pwned"))));
    EXPECT_TRUE(answers.asked.empty());

    // A registered path that does not exist: the message, and the folder's
    // tool is still not started.
    starts.clear();
    Register(ToolKey, QStringLiteral("PATH"), path(QStringLiteral("gone/tool")));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    EXPECT_EQ(answers.messages(), QStringList{Unavailable});
    EXPECT_EQ(starts, (std::vector<Start>{{path(QStringLiteral("gone/tool")), false}}));
}

TEST_F(AboutBox, TheSiteLinkOpensTheHomePageOrReportsWhyNot)
{
    {
        test::UrlCatcher catcher({QStringLiteral("https")});
        QTest::mouseClick(about.lblSiteURL, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(frmAbout::SiteURL)});
        EXPECT_TRUE(answers.asked.empty());
    }

    // The offscreen platform has no browser; no program is chosen either.
    QTest::mouseClick(about.lblSiteURL, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(answers.count(ScriptedPrompter::Kind::Message), 1);
    const ScriptedPrompter::Asked &report = answers.asked.back();
    EXPECT_EQ(report.title, QStringLiteral("Error"));
    EXPECT_EQ(report.icon, MsgIcon::Critical);
    EXPECT_EQ(report.text, QStringLiteral("Error 31: No program could open ") + frmAbout::SiteURL
                               + QStringLiteral("\r\nin frmAbout.lblSiteURL_Click.\r\n"));
    EXPECT_TRUE(about.isVisible());
}
