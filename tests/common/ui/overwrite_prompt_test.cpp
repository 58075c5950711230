#include "common/core/Prompter.h"
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

TEST(OverwritePrompt, EnterKeepsTheFileUnlessAnotherAnswerIsChosen)
{
    const QString msg = QStringLiteral("Overwrite /tmp/x.txt ?");
    // Enter goes to the button that has the focus when the question opens.
    const auto pressEnter = [](frmOverwrite &d) {
        QWidget *focus = d.focusWidget();
        QTest::keyClick(focus ? focus : &d, Qt::Key_Return);
    };
    EXPECT_EQ(askAndAct(msg, pressEnter), int(OverwriteNo));
    EXPECT_EQ(askAndAct(msg,
                        [&](frmOverwrite &d) {
                            d.cmdALL->setFocus();
                            QTest::keyClick(d.cmdALL, Qt::Key_Return);
                        }),
              int(OverwriteAll));
    frmOverwrite dialog(QStringLiteral("question"));
    EXPECT_TRUE(dialog.cmdNo->isDefault());
    EXPECT_FALSE(dialog.cmdYes->isDefault());
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
