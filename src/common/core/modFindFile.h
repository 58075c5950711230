#pragma once

#include "colFile.h"

#include <QString>

#include <vector>

namespace ardl {

// What a folder scan lists.
struct ScanOptions {
    bool Recursive = false;   // descend into sub-folders
    // The folder to scan, with or without a trailing "/". The scan overwrites
    // it with each sub-folder it comes to, so it ends holding the last one;
    // callers that need the starting folder keep their own copy.
    QString Path;
    QString Mask = QStringLiteral("*.*");   // see FileMask
};

// A folder a scan could not read, with its trailing "/", and the system's
// reason (an errno value).
struct UnreadableFolder {
    QString path;
    int error = 0;
};

// What a scan met and could not list, in the order of the listing.
struct ScanReport {
    std::vector<UnreadableFolder> unreadable;
};

// Adds to `col` every regular file below opt.Path whose name matches
// opt.Mask: a folder's own files first, then the complete listing of each
// sub-folder in turn (depth first), entries in name order. Sizes are 64-bit,
// dates the local last-write time to the second. Links to files are listed
// as files; links to folders are never followed. A missing, empty or
// unreadable folder adds nothing and says nothing; an unreadable sub-folder
// is skipped. A file already in `col` (same name, size and date) is kept
// once. A name that is not valid UTF-8 is listed with its RawName.
void SearchForFilesArray(colFile &col, ScanOptions &opt);

// The same walk without the error report, for callers that must know what
// could not be read: an unexpected failure is thrown to the caller. Safe to
// run away from the user-interface thread; shows nothing.
ScanReport ScanFolderTree(colFile &col, ScanOptions &opt);

// Adds the matching files of the one folder opt.Path (no descent).
void GetFileInformation(colFile &col, const ScanOptions &opt);

} // namespace ardl
