#pragma once

#include <QString>

namespace ardl {

// Loads the control library from `path`; when it cannot, tells the user why
// and returns false (the program then ends).
bool StartControlLibrary(const QString &path);

// Starts the program: the splash for `splashMs`, then the main window.
// Returns when the main window has closed, with the event loop's exit code.
int Main(int splashMs = 1000);

} // namespace ardl
