#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace ardl {

// How finely a listed time is known. Unix listings give minutes for recent
// files and only the day for older ones; machine listings give seconds.
// LocalSecond is a local date and time to the second, as a sync file holds
// it: in the hour that repeats when summer time ends, it stands for both of
// that hour's instants.
enum class DatePrecision { Second, Minute, Day, LocalSecond };

// One entry of a remote folder listing.
struct FtpEntry {
    enum class Type { File, Folder, Link };

    QString name;              // as the server gives it, without any folder
    Type type = Type::File;
    qint64 size = -1;          // bytes; -1 when the listing gave none
    QDateTime modified;        // UTC; invalid when the listing's time could not be read
    DatePrecision precision = DatePrecision::Second;
    QString unique;            // the server's identity of the entry, when it gives one
};

// A parsed listing: its entries and the lines that could not be understood.
struct FtpListing {
    std::vector<FtpEntry> entries;
    QStringList unreadableLines;
};

} // namespace ardl
