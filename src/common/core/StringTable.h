#pragma once

#include <QString>

namespace ardl {

// The program's texts by number: 101-336 the interface texts, 1000-1147 the
// music genres, 4101-4199 the Sync tool's own reports, 4500-4599 the Split
// tool's, 12001-12037 the FTP error texts. Compiled into the program.
QString LoadResString(int id);   // "" for a number the table does not hold
bool HasResString(int id);

} // namespace ardl
