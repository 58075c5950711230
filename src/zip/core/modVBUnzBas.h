#pragma once

#include "common/core/colFile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// The unzip driver: the one road from the program to archive reading. It
// lists an archive's entries (and its comment) or extracts them into a
// folder, as UnzipOptions says.
namespace ardl {

struct UnzipOptionsRecord {
    int16_t ExtractOnlyNewer = 0;    // extract over a file only when the entry is newer
    int16_t SpaceToUnderscore = 0;
    int16_t PromptToOverwrite = 0;   // ask before replacing a file; 0 replaces without asking
    int16_t fQuiet = 0;
    int16_t ncflag = 0;
    int16_t ntflag = 0;
    int16_t nvflag = 0;              // 1 lists, 0 extracts
    int16_t nfflag = 0;
    int16_t nzflag = 0;              // 1: the listing also reports the comment in UnzipMessage
    int16_t ndflag = 0;              // 1: extract with the entries' folders
    int16_t noflag = 0;
    int16_t naflag = 0;
    int16_t nZIflag = 0;
    int16_t C_flag = 0;
    int16_t fPrivilege = 0;
    QString Zip;                     // the archive
    QString ExtractDir;              // where an extraction writes
};

// What the last run really did.
struct UnzipRunResult {
    bool opened = false;   // the archive could be read
    int listed = 0;        // files (not folders) listed
    int extracted = 0;     // files written
    int skipped = 0;       // existing files kept
    int failed = 0;        // entries refused or not written (named in UnzipMessage)
};

enum UnzipResultCode : int {
    UnzipSomeFailed = 1,
    UnzipNotAnArchive = 9,
    UnzipNoSuchEntry = 11,
    UnzipCannotWrite = 50,
};

extern UnzipOptionsRecord UnzipOptions;
// Entry names (or wildcards) to work on; none, here and in IncludeRawNames,
// means every entry.
extern QStringList IncludeNames;
// Entry names to work on by the archive's own bytes, for entries whose name
// text reads like another entry's.
extern QList<QByteArray> IncludeRawNames;
// Entry names (or wildcards) to leave out.
extern QStringList ExcludeNames;
// What the last run had to say: the comment when asked for, then one line
// per failure.
extern QString UnzipMessage;
// Set when the password question was cancelled or left empty; it holds for
// the rest of that run only.
extern int16_t PasswordRefused;
// The listing of the last list run, one file per entry (folders left out);
// callers make a new collection before a listing run.
extern std::unique_ptr<colFile> ZipFileList;
extern UnzipRunResult UnzipLastRun;

// One run with UnzipOptions and the name lists. Shows UnzipMessage in a
// message box when the run fails. Returns 0 on success.
int UnzipArchive();

} // namespace ardl
