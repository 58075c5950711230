#pragma once

#include "colFile.h"

#include <QString>

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

// Adds to `col` every regular file below opt.Path whose name matches
// opt.Mask: a folder's own files first, then the complete listing of each
// sub-folder in turn (depth first), entries in name order. Sizes are 64-bit,
// dates the local last-write time to the second. Links to files are listed
// as files; links to folders are never followed. A missing, empty or
// unreadable folder adds nothing and says nothing; an unreadable sub-folder
// is skipped. A file already in `col` (same name, size and date) is kept once.
void SearchForFilesArray(colFile &col, ScanOptions &opt);

// The same walk without the error report: an unexpected failure is thrown
// to the caller. For scans that run away from the user-interface thread and
// are reported by whoever waits for them.
void ScanFolderTree(colFile &col, ScanOptions &opt);

// Adds the matching files of the one folder opt.Path (no descent).
void GetFileInformation(colFile &col, const ScanOptions &opt);

} // namespace ardl
