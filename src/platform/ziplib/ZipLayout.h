#pragma once

#include <QString>

namespace ardl {

// Checks where the entries of an archive keep their data: each entry's
// local header, name, extra field and stored data must lie apart from every
// other entry's. Entries that share their data let a small archive claim
// many times its size (a "zip bomb"), and no honest archive has them. True
// when the entries lie apart; otherwise `why` names two entries that
// overlap. An archive whose directory cannot be read passes: opening it
// reports that.
bool EntriesLieApart(const QString &path, QString *why);

} // namespace ardl
