#include "common/core/Prompter.h"
#include "common/ui/WidgetPrompter.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace ardl;

namespace {

// Asks through the real message box and presses `key` on it once it is shown;
// `seen` gets the box's default button.
MsgAnswer askAndPress(MsgButtons buttons, Qt::Key key, QMessageBox::StandardButton *seen)
{
    WidgetPrompter widgets;
    bool acted = false;
    std::function<void()> poll = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(5, poll);
            return;
        }
        acted = true;
        *seen = box->standardButton(box->defaultButton());
        QTest::keyClick(box, key);
    };
    QTimer::singleShot(0, poll);
    const MsgAnswer answer = widgets.message(QStringLiteral("Remove it all ?"), QStringLiteral("Ardelune"),
                                             MsgIcon::Question, buttons);
    EXPECT_TRUE(acted);
    return answer;
}

} // namespace

TEST(WidgetPrompter, EnterOnAQuestionWithNoAsDefaultSaysNo)
{
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    EXPECT_EQ(askAndPress(MsgButtons::YesNoDefaultNo, Qt::Key_Return, &defaultButton), MsgAnswer::No);
    EXPECT_EQ(defaultButton, QMessageBox::No);
    EXPECT_EQ(askAndPress(MsgButtons::YesNoDefaultNo, Qt::Key_Escape, &defaultButton), MsgAnswer::No);
    // The plain Yes/No question keeps Yes under Enter.
    EXPECT_EQ(askAndPress(MsgButtons::YesNo, Qt::Key_Return, &defaultButton), MsgAnswer::Yes);
}
