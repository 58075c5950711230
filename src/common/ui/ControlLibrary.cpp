#include "ControlLibrary.h"

#include "common/core/ErrorReport.h"
#include "common/core/ProgramFolders.h"
#include "controls/ControlFactory.h"

#include <QPluginLoader>
#include <QWidget>

namespace ardl {

namespace {

// Error numbers of the two ways creating a control fails.
constexpr int ErrLibraryMissing = 48;
constexpr int ErrUnknownClass = 429;

// The loader stays for the whole run and never unloads the plugin: the
// controls' code must outlive every control.
QPluginLoader *g_loader = nullptr;
ControlFactory *g_factory = nullptr;

} // namespace

QString ControlLibraryPath()
{
    return ProgramFolder() + QStringLiteral("Vostrane");
}

bool LoadControlLibrary(const QString &path, QString *error)
{
    if (g_factory)
        return true;
    auto *loader = new QPluginLoader(path);
    QObject *root = loader->instance();
    auto *factory = qobject_cast<ControlFactory *>(root);
    if (!factory) {
        if (error) {
            *error = root ? QStringLiteral("%1 is not the control library").arg(loader->fileName())
                          : loader->errorString();
        }
        delete loader;
        return false;
    }
    g_loader = loader;
    g_factory = factory;
    return true;
}

bool ControlLibraryLoaded()
{
    return g_factory != nullptr;
}

QWidget *CreateControl(const QString &progId, QWidget *parent)
{
    const QString location = QStringLiteral("in ControlLibrary.CreateControl.");
    QString error;
    if (!LoadControlLibrary(ControlLibraryPath(), &error)) {
        ReportError(ErrLibraryMissing, QStringLiteral("The control library cannot be loaded: ") + error,
                    location);
        return nullptr;
    }
    QWidget *control = g_factory->CreateControl(progId, parent);
    if (!control) {
        ReportError(ErrUnknownClass, QStringLiteral("The control library has no control %1").arg(progId),
                    location);
    }
    return control;
}

} // namespace ardl
