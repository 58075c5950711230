#pragma once

#include "common/core/LeftOutNames.h"
#include "common/core/Prompter.h"

#include <QString>

namespace ardl {

// A message for the user that a run hands back to its page rather than
// showing it: the string-table number, the finished text and its icon.
struct SyncMessage {
    int id = 0;
    QString text;
    MsgIcon icon = MsgIcon::Information;
};

// String-table numbers of the Sync tool's messages.
namespace SyncText {
constexpr int LeftRootEmpty = 198;
constexpr int RightRootEmpty = 199;
constexpr int LeftRootInvalid = 200;
constexpr int RightRootInvalid = 201;
constexpr int SyncFileEmpty = 202;
constexpr int SyncFileInvalid = 203;
constexpr int OverwriteFile = 204;        // "File %s allready exist, overwrite it ?"
constexpr int ConfirmSync = 212;          // "Do you want Synchronize directory ?"
constexpr int PressF1 = 213;
constexpr int FtpServerEmpty = 239;
constexpr int LoginEmpty = 240;
constexpr int RemoteDirMissing = 245;     // "Remote Directory : %s don't exist"
constexpr int FilesToSynchronize = 247;   // "%s Files to Synchronize"
constexpr int ScanDirectory = 248;        // "Scan Directory : %s"
constexpr int SynchronizeFile = 249;      // "Synchronize File : %s (%s/%s)"
constexpr int PortInvalid = 4101;
constexpr int NamesRejected = 4102;
constexpr int DatesUnreadable = 4103;
constexpr int ListingLinesUnreadable = 4104;
constexpr int SyncFileLinesUnreadable = 4105;
constexpr int NamesListedTwice = 4106;
constexpr int LinksLeftOut = 4116;
constexpr int FolderUnreadable = 4050;   // "The folder %s cannot be read: %s"
constexpr int NamesNotExact = NamesNotExactText;
constexpr int RunSummary = 4200;
constexpr int RunFailures = 4201;
constexpr int RunFailuresMore = 4202;
constexpr int NameOutsideFolder = 4203;
constexpr int LinkOnTheWay = 4204;
constexpr int FolderInTheWay = 4205;
constexpr int UploadKeptAs = 4206;
constexpr int FolderInvalid = 4207;
constexpr int NamesLeftOutOfSyncFile = 4750;
} // namespace SyncText

// The message `id` with its "%s" filled from `args`.
SyncMessage MakeSyncMessage(int id, MsgIcon icon, const QStringList &args = {});

} // namespace ardl
