#include "common/core/Prompter.h"
#include "common/core/ScriptedPrompter.h"
#include "common/ui/frmOverwrite.h"
#include "common/ui/WidgetPrompter.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace ardl;

namespace {

// Asks through the real dialog and answers it with `act` once it is shown.
int askAndAct(const QString &message, std::function<void(frmOverwrite &)> act)
{
    WidgetPrompter widgets;
    ScopedPrompter scoped(widgets);
    bool acted = false;
    std::function<void()> poll = [&] {
        auto *dialog = qobject_cast<frmOverwrite *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(5, poll);
            return;
        }
        EXPECT_EQ(dialog->lblText->text(), message);
        acted = true;
        act(*dialog);
    };
    QTimer::singleShot(0, poll);
    const int answer = AskOverwrite(message);
    EXPECT_TRUE(acted);
    return answer;
}

} // namespace

TEST(OverwritePrompt, EachButtonGivesItsAnswerAndClosingGivesZero)
{
    const QString msg = QStringLiteral("Overwrite /tmp/x.txt ?");
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { d.cmdYes->click(); }), 1);
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { d.cmdNo->click(); }), 2);
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { d.cmdALL->click(); }), 3);
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { d.cmdCancel->click(); }), 4);
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { d.close(); }), 0);
    EXPECT_EQ(askAndAct(msg, [](frmOverwrite &d) { QTest::keyClick(&d, Qt::Key_Escape); }), 0);
}

TEST(OverwritePrompt, CaptionsComeFromTheStringTable)
{
    frmOverwrite dialog(QStringLiteral("question"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Overwrite files ?"));
    EXPECT_EQ(dialog.cmdYes->text(), QStringLiteral("Yes"));
    EXPECT_EQ(dialog.cmdNo->text(), QStringLiteral("No"));
    EXPECT_EQ(dialog.cmdALL->text(), QStringLiteral("All"));
    EXPECT_EQ(dialog.cmdCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(dialog.answer(), 0);
}

TEST(OverwritePrompt, GoesThroughTheInstalledPrompter)
{
    ScriptedPrompter answers;
    answers.overwriteAnswers = {3, 0};
    ScopedPrompter scoped(answers);
    EXPECT_EQ(AskOverwrite(QStringLiteral("first")), 3);
    EXPECT_EQ(AskOverwrite(QStringLiteral("second")), 0);
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[1].text, QStringLiteral("second"));
}
