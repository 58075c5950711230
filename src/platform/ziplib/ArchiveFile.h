#pragma once

#include <QString>

struct zip;
struct zip_error;

namespace ardl {

// Opens the archive at `path` for changes, as zip_open() does with `flags`,
// except where the new archive is written: under a short temporary name of
// its own folder (TemporaryNameIn), renamed over the archive once complete.
// libzip's own name is the archive's name plus seven characters, which no
// file system takes for a name that is already near its limit. The new
// archive takes the old one's place (or an archive without entries removes
// it) only while the file under that name is still the one opened, or still
// none; else the close fails with ZIP_ER_CHANGED and leaves it. A symbolic
// link is followed: the archive it leads to is the one changed (or removed),
// and the link stays. Null on failure, with `error` set.
zip *OpenArchiveFile(const QString &path, int flags, zip_error *error);

} // namespace ardl
