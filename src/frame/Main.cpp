#include "Main.h"

#include "frmDirEvaVezi.h"
#include "frmSplash.h"
#include "common/core/Prompter.h"
#include "common/ui/WidgetPrompter.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace ardl {

int Main(int splashMs)
{
    WidgetPrompter dialogs;
    ScopedPrompter usingDialogs(dialogs);

    auto splash = std::make_unique<frmSplash>();
    splash->show();
    QApplication::processEvents();

    // Wait without freezing: the splash keeps painting, user input waits.
    QEventLoop wait;
    QTimer::singleShot(splashMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);

    frmDirEvaVezi window;
    window.Form_Load();
    window.show();
    splash.reset();
    return QApplication::exec();
}

} // namespace ardl
