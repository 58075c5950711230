#pragma once

#include <QString>

namespace ardl {

// One remote folder: where it is, how to log in and what to list.
struct FtpSite {
    bool Recursive = false;
    int Port = 21;            // 1-65535
    QString RootDir;          // the folder a listing started from; names are relative to it
    QString Dir;              // the folder to list; the walk sets it to each folder it lists
    QString Server;
    QString Filter;           // wildcard for the files listed; folders are always walked
    QString User;
    QString Password;
};

// The site the Sync page hands to the remote folder browser, which gives the
// chosen folder back in its Dir.
FtpSite &FtpBrowseSite();

} // namespace ardl
