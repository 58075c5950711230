#pragma once

#include "SyncMessage.h"
#include "modFtp.h"

#include <QString>

#include <vector>

namespace ardl {

// What the Sync page's controls say about one comparison.
struct CompareRequest {
    QString Kind;          // "Dir", "File" or "Ftp": what the left side is
    QString RootLeft;      // left folder, sync-file path or FTP server
    QString RootRight;     // right folder
    QString Filter;        // file wildcard for both sides
    bool Recursive = false;
    bool IgnoreDate = false;
    // The "Ftp" kind.
    QString RemoteDir;
    QString Login;
    QString Password;
    QString Port;
    bool Anonymous = false;
};

struct CompareResult {
    // False when a check or a listing failed: `messages` then ends with why,
    // and the compare set holds nothing.
    bool completed = false;
    // The right root was valid: the page records the left root in its
    // recent list.
    bool rememberLeftRoot = false;
    // In order: the reason the run stopped, or what a completed run had to
    // leave out or could not read (names outside their folder, dates that
    // cannot be read, lines not understood, names listed twice).
    std::vector<SyncMessage> messages;
    qsizetype leftFiles = 0;
    qsizetype rightFiles = 0;
};

// Runs one comparison into the compare set (SyncItems): empties it, checks
// both sides, lists the left side (folder, sync file or remote folder) and
// the right folder with names relative to their roots ("/a/b/" and "/a/b"
// give the same names), and classifies every record. Shows nothing; `status`
// hears of each remote folder listed.
CompareResult RunCompare(const CompareRequest &request, const SyncStatusFn &status = {});

} // namespace ardl
