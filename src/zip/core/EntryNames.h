#pragma once

#include "platform/ziplib/ZipEntry.h"

#include <QString>
#include <QStringList>

#include <vector>

// How files are named inside an archive and how names typed or listed pick
// entries out of it.
namespace ardl {

// The name a local file gets in the archive: its file name alone with
// `junkFolders`, else its full path without the leading "/". With
// `dosNames` every part is cut to DOS 8.3 form (DosNamePart).
QString EntryNameForFile(const QString &localPath, bool junkFolders, bool dosNames);

// One part of a name in DOS 8.3 form: upper case, at most eight characters
// before one dot and three after it, characters DOS does not take as "_".
// "My File.jpeg" gives "MY_FILE.JPE", ".profile" gives "PROFILE".
QString DosNamePart(const QString &part);

// The folders and file name of an entry as they may be written under a
// target folder. Empty when the name would lead elsewhere: an absolute path,
// a drive letter, or a ".." step (with "/" or "\"); `why` then says so.
// Empty parts and "." steps are dropped.
QStringList SafeEntryParts(const QString &entryName, QString *why = nullptr);

// The entries that `names` pick, in archive order, each once. A name equal
// to an entry's name picks that entry, when the name is exactly the entry's
// bytes in UTF-8: an entry whose name only reads the same is not picked
// with it. Any other name is a wildcard ("*",
// "?", letters without case) matched against the whole entry name, or,
// when it holds no "/", against the entry's file name. An empty name picks
// nothing. Each of `rawNames` picks the entries whose name is exactly those
// bytes: an entry whose name text reads like another's is picked alone. Names
// that pick nothing are added to `unmatched` (raw ones as ShownName shows them).
std::vector<const ZipEntry *> SelectEntries(const std::vector<ZipEntry> &entries, const QStringList &names,
                                            QStringList *unmatched = nullptr,
                                            const QList<QByteArray> &rawNames = {});

} // namespace ardl
