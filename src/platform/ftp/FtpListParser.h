#pragma once

#include "FtpEntry.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringView>

// Parsing of remote folder listings: machine listings (MLSD) and the two
// common styles of the human-readable LIST, Unix ("ls -l") and DOS.
// Times are read as UTC, which is what servers send in machine listings and,
// for the common servers, in LIST as well.
namespace ardl::FtpListParser {

enum class LineKind {
    Entry,        // `entry` is filled
    Skip,         // nothing to list: ".", "..", the folder itself, "total 12"
    Unreadable,   // not a listing line we understand
};

// "type=file;size=12;modify=20240506070809; name"
LineKind ParseMlsdLine(QStringView line, FtpEntry &entry);

// "-rw-r--r--   1 user group  1234 May  6 07:08 name", also without the
// group column, with device numbers, and with "name -> target" for links.
// A time without a year lies in the twelve months up to `nowUtc` (one day
// of grace for clocks that disagree).
LineKind ParseUnixListLine(QStringView line, const QDateTime &nowUtc, FtpEntry &entry);

// "05-06-24  07:08AM       <DIR>          name" or "... 1234 name".
LineKind ParseDosListLine(QStringView line, FtpEntry &entry);

// Unix style first, then DOS.
LineKind ParseListLine(QStringView line, const QDateTime &nowUtc, FtpEntry &entry);

// A whole listing as received: CR LF or LF lines, UTF-8 with a Latin-1
// fallback for lines that are not valid UTF-8.
FtpListing ParseListing(const QByteArray &data, bool machineListing, const QDateTime &nowUtc);

} // namespace ardl::FtpListParser
