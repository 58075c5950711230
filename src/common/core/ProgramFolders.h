#pragma once

#include <QString>

namespace ardl {

// The folder of the running program, with its trailing "/": where the help
// file and the control library live.
QString ProgramFolder();

// The user's data folder of the program, with its trailing "/", created when
// missing: <data>/Tolvern/ARDL/, where <data> is $XDG_DATA_HOME or
// ~/.local/share. The program's own folder is not writable for users.
QString DataFolder();

} // namespace ardl
