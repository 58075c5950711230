// A remote folder listing as a server might send it: a machine listing
// (MLSD) for fuzz_ftp_mlsd, a LIST listing in Unix or DOS style for
// fuzz_ftp_list.
#include "FuzzSupport.h"

#include "platform/ftp/FtpListParser.h"

using namespace ardl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QDateTime now(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
    const FtpListing listing = FtpListParser::ParseListing(fuzz::Bytes(data, size), ARDL_MACHINE_LISTING, now);
    for (const FtpEntry &e : listing.entries)
        if (e.name.isEmpty())
            fuzz::Fail("an entry without a name");
    return 0;
}
