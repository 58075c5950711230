// Runs every test inside an offscreen QApplication. The whole process gets
// private config, data and runtime folders, and each test a settings file of
// its own, so no test sees the user's settings or another test's.
#include "TestSupport.h"

#include "platform/settings/modRegistry.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

QString g_settingsFile;
QTemporaryDir *g_root = nullptr;

class FreshSettingsPerTest : public ::testing::EmptyTestEventListener {
    int m_count = 0;
    void OnTestStart(const ::testing::TestInfo &) override
    {
        g_settingsFile = g_root->filePath(QStringLiteral("settings-%1/settings.reg").arg(++m_count));
        ardl::UseSettingsFile(g_settingsFile);
    }
};

void setEnv(const char *name, const QString &value)
{
    ::setenv(name, value.toLocal8Bit().constData(), 1);
}



// The offscreen platform with one 1920 x 1080 screen and no window frames, so
// that window placement can be checked to the pixel; ARDL_TEST_WINDOW_FRAMES=1
// gives windows a frame, for the tests of what the frame covers.
void useOffscreenScreen(const QTemporaryDir &root)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const QString config = root.filePath(QStringLiteral("offscreen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray frames = qgetenv("ARDL_TEST_WINDOW_FRAMES") == "1" ? "true" : "false";
    file.write(R"({"windowFrameMargins": )" + frames + R"(,
                  "screens": [{"name": "test", "x": 0, "y": 0, "width": 1920, "height": 1080,
                               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    setEnv("QT_QPA_PLATFORM", QStringLiteral("offscreen:configfile=") + config);
}

} // namespace

namespace ardl::test {
QString CurrentSettingsFile()
{
    return g_settingsFile;
}
} // namespace ardl::test

int main(int argc, char **argv)
{
    QTemporaryDir root;
    g_root = &root;
    useOffscreenScreen(root);
    setEnv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")));
    setEnv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")));
    setEnv("XDG_RUNTIME_DIR", root.path());

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettingsPerTest);
    return RUN_ALL_TESTS();
}
