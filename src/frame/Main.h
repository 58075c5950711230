#pragma once

namespace ardl {

// Starts the program: the splash for `splashMs`, then the main window.
// Returns when the main window has closed, with the event loop's exit code.
int Main(int splashMs = 1000);

} // namespace ardl
