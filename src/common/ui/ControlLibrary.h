#pragma once

#include <QString>

class QWidget;

namespace ardl {

// The control library Vostrane, a plugin beside the program. The program
// links nothing from it: it loads the plugin once and makes each control by
// its class name ("Vostrane.CheckBoxWeb"), then drives it through LateBound.

// Where the plugin is looked for: "Vostrane" in the program's folder (the
// platform's file ending is added when loading).
QString ControlLibraryPath();

// Loads the plugin at `path` unless one is loaded already. Returns whether
// a control library is loaded; on failure `error` says why.
bool LoadControlLibrary(const QString &path, QString *error = nullptr);
bool ControlLibraryLoaded();

// A new control of class `progId` owned by `parent`, from the loaded library
// (loading the one beside the program first when none is). Reports the
// failure and returns nullptr when the library is missing or does not know
// the class.
QWidget *CreateControl(const QString &progId, QWidget *parent);

} // namespace ardl
