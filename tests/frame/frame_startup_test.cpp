#include "frame/Main.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/ControlLibrary.h"
#include "support/TestSupport.h"

using namespace ardl;

TEST(StartUp, AMissingControlLibraryIsExplainedAndStopsTheStart)
{
    ScriptedPrompter answers;
    ScopedPrompter usingAnswers(answers);
    EXPECT_FALSE(StartControlLibrary(QStringLiteral("/nonexistent/folder/Vostrane")));
    EXPECT_FALSE(ControlLibraryLoaded());
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].icon, MsgIcon::Critical);
    EXPECT_EQ(answers.asked[0].title, QStringLiteral("Ardelune"));
    EXPECT_TRUE(answers.asked[0].text.contains(QStringLiteral("Vostrane")));

    // The library beside the program loads.
    EXPECT_TRUE(StartControlLibrary(ControlLibraryPath()));
    EXPECT_EQ(answers.asked.size(), 1u);
}
