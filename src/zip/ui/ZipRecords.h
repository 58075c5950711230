#pragma once

#include <QString>

#include <cstdint>

// What the Zip page and its dialogs hand each other: each dialog fills its
// record and sets its confirmation flag, which the page clears before it
// shows the dialog.
namespace ardl {

struct ExtractParamRecord {
    bool Overwrite = false;       // replace existing files without asking
    bool SkipOlder = false;       // keep existing files that are not older
    bool UseFolderNames = false;  // extract with the entries' folders
    bool NoSelection = false;     // no row of the list was selected
    int32_t WhichFiles = 0;       // 0 selected rows, 1 every entry, 2 FileSpec
    QString FileSpec;             // a name or wildcard typed by the user
    QString Folder;               // where to extract
};

struct ZipAddParamRecord {
    // 0 add (and replace), 1 freshen, 2 move, 3 update (and add).
    int32_t Action = 0;
    int32_t Level = 9;            // 9, 6, 4, 2 or 0
    bool DosFormatName = false;
    bool IncludeSubDir = false;
    bool SaveExtraDir = false;
    bool IncludeOnlyArchive = false;   // kept, not used by the add
    bool SystemFiles = false;
};

extern ExtractParamRecord ExtractParam;
extern ZipAddParamRecord ZipAddParam;
extern bool AddConfirmed;
extern bool ExtractConfirmed;
extern bool DeleteConfirmed;
extern bool CommentConfirmed;
extern QString NewFolderName;
extern bool NewFolderConfirmed;

} // namespace ardl
