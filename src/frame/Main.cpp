#include "Main.h"

#include "frmDirEvaVezi.h"
#include "frmSplash.h"
#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/WidgetPrompter.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace ardl {

bool StartControlLibrary(const QString &path)
{
    QString error;
    if (LoadControlLibrary(path, &error))
        return true;
    MsgBox(QStringLiteral("%1 cannot start: its control library Vostrane could not be loaded.\n\n%2\n\n"
                          "Reinstall %1 so that the library lies beside the program.")
               .arg(AppInfo::Title(), error),
           AppInfo::Title(), MsgIcon::Critical);
    return false;
}

int Main(int splashMs)
{
    WidgetPrompter dialogs;
    ScopedPrompter usingDialogs(dialogs);
    if (!StartControlLibrary(ControlLibraryPath()))
        return 1;

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
