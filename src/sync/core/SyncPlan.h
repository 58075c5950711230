#pragma once

#include "CompareRun.h"
#include "FtpSite.h"
#include "SyncItemSet.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ardl {

// What a synchronisation works on, taken from the request of the compare
// that listed the rows: later edits of the page's boxes never change where
// files go.
struct SyncPlan {
    QString Kind;      // "Dir", "File" or "Ftp"
    QString RootLeft;  // the left folder with one trailing "/" ("Dir"), or the sync file ("File")
    QString RootRight; // the right folder with one trailing "/"
    FtpSite Site;      // "Ftp": server, port, login and the remote folder (absolute, trailing "/") in Dir
};

SyncPlan FreezePlan(const CompareRequest &request);

// The port of a port box: 1-65535, else nothing.
std::optional<int> PortNumber(const QString &text);
// The remote site a request names (its folder as typed).
FtpSite RemoteSiteOf(const CompareRequest &request);

enum class SyncDirection { LeftToRight, RightToLeft };

// One copy that a row shown asks for.
struct SyncTask {
    int position = 0; // the row's place among the rows shown, from 1
    QString name;     // relative, "/" between folders: the copy's name on both sides
    SyncDirection direction = SyncDirection::LeftToRight;
    // What the compare listed for the source: its size (-1 when unknown)
    // and its time when known to the second (else invalid).
    qint64 sourceSize = -1;
    QDateTime sourceTime;
};

// The copies asked for by the rows shown, given as the keys of their records
// in display order: a row whose class and action copy left to right or
// right to left gives a task; the others (same, undecided, skipped) none.
std::vector<SyncTask> SyncTasksOf(const SyncItemSet &items, const QStringList &rowKeys);

} // namespace ardl
