#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// The zip driver: the one road from the program to archive writing. Callers
// fill ZipOptions and ZCL (and ZipPassword, ZipComment), call ZipArchive and
// read its result; on failure they show ZipMessage.
namespace ardl {

// The options of one zip run. Flags hold 0 or 1.
struct ZipOptionsRecord {
    QString Date;      // date filter; never used
    QString szRootDir; // never used
    QString szTempDir; // never used
    int16_t fSuffix = 0;
    int16_t fEncrypt = 0; // encrypt added files with ZipPassword
    int16_t fSystem = 0;  // also add hidden files (names starting with ".")
    int16_t fVolume = 0;
    int16_t fExtra = 0; // also keep each file's exact time
    int16_t fNoDirEntries = 0;
    int16_t fExcludeDate = 0;
    int16_t fIncludeDate = 0;
    int16_t fVerbose = 0;
    int16_t fQuiet = 0;
    int16_t fCRLF_LF = 0;
    int16_t fLF_CRLF = 0;
    int16_t fJunkDir = 0;       // store file names without their folders
    int16_t fRecurse = 0;       // a folder among the names adds all files below it
    int16_t fGrow = 0;          // add, replacing entries of the same name
    int16_t fForce = 0;         // store names in DOS 8.3 form
    int16_t fMove = 0;          // add, then delete each source file that went in
    int16_t fDeleteEntries = 0; // delete the named entries
    int16_t fUpdate = 0;        // add new files, replace entries older than their file
    int16_t fFreshen = 0;       // replace entries older than their file, add nothing new
    int16_t fJunkSFX = 0;
    int16_t fLatestTime = 0;
    int16_t fComment = 0; // store ZipComment as the archive comment
    int16_t fOffsets = 0;
    int16_t fPrivilege = 0;
    int16_t fEncryption = 0;
    int16_t fRepair = 0;
    int16_t fLevel = 0; // character code of the level digit: '9' best, '0' stored
};

// The names of one run and the archive they go to.
struct ZipNameList {
    QString Archive; // full path of the archive
    // Full local paths (add runs) or entry names with "/" (delete runs);
    // any number of them.
    QStringList Names;
    // Entry names of a delete run by the archive's own bytes, for entries
    // whose name text reads like another entry's.
    QList<QByteArray> RawNames;
    // The next run that writes replaces the archive's whole content (the
    // user chose to overwrite it); cleared once a run has written.
    bool StartEmpty = false;
};

// What the last run really did.
struct ZipRunResult {
    int added = 0;    // new entries
    int replaced = 0; // entries replaced by their file
    int deleted = 0;  // entries removed
    int moved = 0;    // source files removed after they went in
    int failed = 0;   // files or names that went wrong (named in ZipMessage)
    bool commentChanged = false;
    // The run deleted the last entry, and with it the archive file.
    bool archiveRemoved = false;
    int filesWritten() const { return added + replaced; }
};

// Result codes other than 0.
enum ZipResultCode : int {
    ZipNotAnArchive = 3,
    ZipNothingToDo = 12,
    ZipWriteFailed = 14,
    ZipCannotOpen = 15,
    ZipRepeatedName = 16,
    ZipSomeFilesFailed = 18,
};

extern ZipOptionsRecord ZipOptions;
extern ZipNameList ZCL;
// Everything the last run had to say, one line per fact.
extern QString ZipMessage;
extern QString ZipPassword;
extern QString ZipComment;
extern ZipRunResult ZipLastRun;

// Called now and then during a long zip or unzip run so that the window can
// repaint; nothing by default.
extern std::function<void()> ZipKeepAlive;

// Resets ZipOptions for a new run: no names (of either kind), files stored without their
// folders, best compression, every other flag off. Keeps the archive.
void InitZip();

// One run with ZipOptions and ZCL: deletes, adds (and replaces, updates,
// freshens, moves) or sets the comment, as the flags say. 0 on success;
// ZipLastRun holds what was done and ZipMessage why anything failed.
int ZipArchive();

// Whether deleting the entries that `names` and `rawNames` pick (as a delete
// run picks them) would leave `archive` without any entry, which removes the
// archive file and its comment. False when the archive cannot be read.
bool DeleteTakesEveryEntry(const QString &archive, const QStringList &names, const QList<QByteArray> &rawNames);

} // namespace ardl
