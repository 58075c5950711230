#pragma once

#include <QString>

namespace ardl {

// The program's help document beside the program.
QString HelpFilePath();

// Opens the help document in the user's browser; says so when it is missing
// or cannot be opened. Returns whether it was handed to the browser.
bool ShowHelpFile(const QString &path);

} // namespace ardl
