#include "common/core/ScriptedPrompter.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/LateBound.h"
#include "controls/ControlFactory.h"
#include "support/TestSupport.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPluginLoader>
#include <QTest>

#include <memory>

using namespace ardl;

namespace {

class LateBoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(LoadControlLibrary(ControlLibraryPath(), &error)) << error.toStdString();
    }

    // A control of the plugin on a shown window.
    QWidget *place(const char *progId)
    {
        window.setCentralWidget(new QWidget);
        QWidget *control = CreateControl(QLatin1String(progId), window.centralWidget());
        if (control)
            control->setGeometry(10, 10, 70, 52);
        window.resize(300, 200);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return control;
    }

    ScriptedPrompter answers;
    ScopedPrompter usingAnswers{answers};
    QMainWindow window;
};

} // namespace

TEST_F(LateBoundTest, ThePluginBesideTheProgramMakesItsControls)
{
    QPluginLoader loader(ControlLibraryPath());
    auto *factory = qobject_cast<ControlFactory *>(loader.instance());
    ASSERT_NE(factory, nullptr) << loader.errorString().toStdString();
    EXPECT_EQ(factory->ProgIds(), (QStringList{"Vostrane.CheckBoxWeb", "Vostrane.UpDownSlide", "Vostrane.ButtonWeb",
                                               "Vostrane.ColorChooser", "Vostrane.TransparentForm"}));
    for (const QString &progId : factory->ProgIds())
        EXPECT_NE(std::unique_ptr<QWidget>(factory->CreateControl(progId, nullptr)), nullptr) << progId.toStdString();
    std::unique_ptr<QWidget> chooser(factory->CreateControl(QStringLiteral("Vostrane.ColorChooser"), nullptr));
    EXPECT_TRUE(SetProp(chooser.get(), "BackColor", 0x0080FF));
    EXPECT_EQ(GetProp(chooser.get(), "HTMLColor").toString(), QStringLiteral("FF8000"));
    std::unique_ptr<QWidget> uds(factory->CreateControl(QStringLiteral("Vostrane.UpDownSlide"), nullptr));
    ASSERT_NE(uds, nullptr);
    EXPECT_EQ(GetProp(uds.get(), "Max").toInt(), 100);
    EXPECT_NE(uds->findChild<QWidget *>(QStringLiteral("txtUpDown")), nullptr);
    EXPECT_TRUE(answers.asked.empty());

    EXPECT_EQ(CreateControl(QStringLiteral("Vostrane.Nothing"), nullptr), nullptr);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(answers.asked[0].text.contains(QStringLiteral("Vostrane.Nothing")));
}

TEST_F(LateBoundTest, PropertiesAreReachedByTheirExactNamesOnly)
{
    QWidget *box = place("Vostrane.CheckBoxWeb");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(SetProp(box, "Checked", true));
    EXPECT_TRUE(GetProp(box, "Checked").toBool());
    QPixmap picture(70, 52);
    picture.fill(Qt::blue);
    EXPECT_TRUE(SetProp(box, "UnCheckedOut", picture));
    EXPECT_EQ(GetProp(box, "UnCheckedOut").value<QPixmap>().toImage(), picture.toImage());
    EXPECT_TRUE(answers.asked.empty());

    // A misspelt name, a name of another control, a value of the wrong kind.
    EXPECT_FALSE(SetProp(box, "checked", false));
    EXPECT_FALSE(SetProp(box, "Value", 3));
    EXPECT_FALSE(SetProp(box, "Checked", QPoint(1, 2)));
    EXPECT_FALSE(GetProp(box, "Chekced").isValid());
    EXPECT_TRUE(box->dynamicPropertyNames().isEmpty());
    EXPECT_TRUE(GetProp(box, "Checked").toBool());
    ASSERT_EQ(answers.asked.size(), 4u);
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(answers.asked[0].text.contains(QStringLiteral("checked")));
    EXPECT_TRUE(answers.asked[3].text.contains(QStringLiteral("Chekced")));
}

TEST_F(LateBoundTest, EventsAreConnectedByNameWithTheirArguments)
{
    QWidget *box = place("Vostrane.CheckBoxWeb");
    ASSERT_NE(box, nullptr);
    int clicks = 0;
    QList<int> downButtons;
    EXPECT_TRUE(ConnectEvent(box, "Click", &window, [&] { ++clicks; }));
    EXPECT_TRUE(ConnectMouseEvent(box, "MouseDown", &window,
                                  [&](int button, int, float, float) { downButtons << button; }));
    QWidget *face = box->findChild<QWidget *>(QStringLiteral("picCheck"));
    QTest::mouseClick(face, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downButtons, QList<int>{2});
    EXPECT_TRUE(answers.asked.empty());

    EXPECT_FALSE(ConnectEvent(box, "Clicked", &window, [] {}));
    EXPECT_FALSE(ConnectMouseEvent(box, "Click", &window, [](int, int, float, float) {}));
    EXPECT_EQ(answers.asked.size(), 2u);
    EXPECT_TRUE(HasEvent(box, "MouseMove"));
    EXPECT_FALSE(HasEvent(box, "Checked"));
}
