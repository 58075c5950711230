#include "platform/ftp/FtpErrorCodes.h"
#include "platform/ftp/FtpListParser.h"
#include "support/TestSupport.h"

#include <curl/curl.h>

using namespace ardl;
using namespace ardl::FtpListParser;

namespace {

const QDateTime Now(QDate(2024, 5, 20), QTime(12, 0), Qt::UTC);

QDateTime utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

FtpEntry unixLine(const char *line, LineKind expected = LineKind::Entry)
{
    FtpEntry e;
    EXPECT_EQ(ParseUnixListLine(QString::fromUtf8(line), Now, e), expected) << line;
    return e;
}

FtpEntry dosLine(const char *line)
{
    FtpEntry e;
    EXPECT_EQ(ParseDosListLine(QString::fromUtf8(line), e), LineKind::Entry) << line;
    return e;
}

} // namespace

TEST(FtpListParser, UnixLinesGiveNameTypeSizeAndDate)
{
    FtpEntry e = unixLine("-rw-r--r--   1 owner    group        1234 May  6 07:08 name with  spaces.txt");
    EXPECT_EQ(e.name, QStringLiteral("name with  spaces.txt"));
    EXPECT_EQ(e.type, FtpEntry::Type::File);
    EXPECT_EQ(e.size, 1234);
    EXPECT_EQ(e.modified, utc(2024, 5, 6, 7, 8));
    EXPECT_EQ(e.precision, DatePrecision::Minute);

    e = unixLine("drwxr-xr-x 2 0 0 4096 Mar 04  2019 old folder");
    EXPECT_EQ(e.type, FtpEntry::Type::Folder);
    EXPECT_EQ(e.name, QStringLiteral("old folder"));
    EXPECT_EQ(e.modified, utc(2019, 3, 4));
    EXPECT_EQ(e.precision, DatePrecision::Day);

    e = unixLine("lrwxrwxrwx   1 root     root           10 Dec 09 04:40 my link -> a file.txt");
    EXPECT_EQ(e.type, FtpEntry::Type::Link);
    EXPECT_EQ(e.name, QStringLiteral("my link"));

    // No group column, a size above 4 GiB, and a name that looks like a date.
    e = unixLine("-rw-r--r-- 1 ftp 5000000000 Jan 1 2020 Feb 3 10:00");
    EXPECT_EQ(e.size, 5000000000LL);
    EXPECT_EQ(e.name, QStringLiteral("Feb 3 10:00"));
    EXPECT_EQ(e.modified, utc(2020, 1, 1));

    e = unixLine("-rw-r--r-- 1 u g 7 2024-05-06 07:08 iso style");
    EXPECT_EQ(e.modified, utc(2024, 5, 6, 7, 8));
    EXPECT_EQ(e.name, QStringLiteral("iso style"));

    unixLine("total 48", LineKind::Skip);
    unixLine("drwxr-xr-x 2 u g 4096 May  6 07:08 ..", LineKind::Skip);
    unixLine("crw-rw---- 1 root tty 4, 0 May  6 07:08 tty0", LineKind::Skip);
    unixLine("this is no listing", LineKind::Unreadable);
    unixLine("-rw-r--r-- 1 u g 12 May  6 07:08", LineKind::Unreadable);   // no name
}

TEST(FtpListParser, UnixTimesWithoutYearFallInTheLastTwelveMonths)
{
    // Earlier this year, today, tomorrow (clock skew): this year.
    EXPECT_EQ(unixLine("-rw-r--r-- 1 u g 1 Jan  2 03:04 a").modified, utc(2024, 1, 2, 3, 4));
    EXPECT_EQ(unixLine("-rw-r--r-- 1 u g 1 May 20 11:59 a").modified, utc(2024, 5, 20, 11, 59));
    EXPECT_EQ(unixLine("-rw-r--r-- 1 u g 1 May 21 06:00 a").modified, utc(2024, 5, 21, 6, 0));
    // Later in the calendar than now: last year.
    EXPECT_EQ(unixLine("-rw-r--r-- 1 u g 1 Dec 31 23:59 a").modified, utc(2023, 12, 31, 23, 59));
    EXPECT_EQ(unixLine("-rw-r--r-- 1 u g 1 Jun  1 00:00 a").modified, utc(2023, 6, 1));
    // A day that does not exist is kept as an entry whose date is unknown.
    const FtpEntry e = unixLine("-rw-r--r-- 1 u g 1 Feb 31 10:00 a");
    EXPECT_FALSE(e.modified.isValid());
}

TEST(FtpListParser, DosLines)
{
    FtpEntry e = dosLine("05-06-24  07:08PM       <DIR>          My Documents");
    EXPECT_EQ(e.type, FtpEntry::Type::Folder);
    EXPECT_EQ(e.name, QStringLiteral("My Documents"));
    EXPECT_EQ(e.modified, utc(2024, 5, 6, 19, 8));

    e = dosLine("12-31-99  12:05AM                 1234 report  final.doc");
    EXPECT_EQ(e.type, FtpEntry::Type::File);
    EXPECT_EQ(e.size, 1234);
    EXPECT_EQ(e.name, QStringLiteral("report  final.doc"));
    EXPECT_EQ(e.modified, utc(1999, 12, 31, 0, 5));
    EXPECT_EQ(e.precision, DatePrecision::Minute);

    e = dosLine("05-06-2024  19:08  42 b.txt");
    EXPECT_EQ(e.modified, utc(2024, 5, 6, 19, 8));

    FtpEntry any;
    EXPECT_EQ(ParseListLine(u"05-06-24  07:08AM  <DIR>  x", Now, any), LineKind::Entry);
    EXPECT_EQ(any.type, FtpEntry::Type::Folder);
}

TEST(FtpListParser, MachineListingLines)
{
    FtpEntry e;
    ASSERT_EQ(ParseMlsdLine(u"type=file;size=12;modify=20240506070809.123;unique=7a; a;b c.txt", e),
              LineKind::Entry);
    EXPECT_EQ(e.name, QStringLiteral("a;b c.txt"));
    EXPECT_EQ(e.size, 12);
    EXPECT_EQ(e.modified, utc(2024, 5, 6, 7, 8, 9));
    EXPECT_EQ(e.precision, DatePrecision::Second);
    EXPECT_EQ(e.unique, QStringLiteral("7a"));

    ASSERT_EQ(ParseMlsdLine(u"Type=DIR;Modify=20240506070809; sub", e), LineKind::Entry);
    EXPECT_EQ(e.type, FtpEntry::Type::Folder);
    ASSERT_EQ(ParseMlsdLine(u"type=OS.unix=slink:/x;size=3; l", e), LineKind::Entry);
    EXPECT_EQ(e.type, FtpEntry::Type::Link);
    EXPECT_EQ(ParseMlsdLine(u"type=cdir;modify=20240506070809; /pub", e), LineKind::Skip);
    EXPECT_EQ(ParseMlsdLine(u"type=pdir; ..", e), LineKind::Skip);

    // A time that cannot be read leaves the entry, with no date.
    ASSERT_EQ(ParseMlsdLine(u"type=file;size=1;modify=2024; nodate", e), LineKind::Entry);
    EXPECT_FALSE(e.modified.isValid());
    EXPECT_EQ(ParseMlsdLine(u"garbage", e), LineKind::Unreadable);
}

TEST(FtpListParser, WholeListingsKeepUnreadableLinesAndDecodeNames)
{
    QByteArray data = "total 3\r\n"
                      "-rw-r--r-- 1 u g 1 May  6 07:08 caf\xc3\xa9.txt\r\n"
                      "-rw-r--r-- 1 u g 1 May  6 07:08 na\xefve.txt\r\n"   // Latin-1
                      "?? what is this\r\n"
                      "\r\n";
    const FtpListing listing = ParseListing(data, false, Now);
    ASSERT_EQ(listing.entries.size(), 2u);
    EXPECT_EQ(listing.entries[0].name, QString::fromUtf8("caf\xc3\xa9.txt"));
    EXPECT_EQ(listing.entries[1].name, QString::fromUtf8("na\xc3\xafve.txt"));
    EXPECT_EQ(listing.unreadableLines, QStringList{QStringLiteral("?? what is this")});

    const FtpListing machine = ParseListing("type=file;size=5;modify=20240101000000; x\n", true, Now);
    ASSERT_EQ(machine.entries.size(), 1u);
    EXPECT_EQ(machine.entries[0].size, 5);
}

TEST(FtpErrorCode, ServerRefusalsCarryTheReplyOtherFailuresAStandingCode)
{
    using namespace FtpErrorCode;
    EXPECT_EQ(FromCurl(CURLE_LOGIN_DENIED, QStringLiteral("530 Login incorrect.")), ExtendedError);
    EXPECT_EQ(FromCurl(CURLE_LOGIN_DENIED, QString()), LoginFailure);
    EXPECT_EQ(FromCurl(CURLE_COULDNT_CONNECT, QString()), CannotConnect);
    EXPECT_EQ(FromCurl(CURLE_COULDNT_RESOLVE_HOST, QString()), NameNotResolved);
    EXPECT_EQ(FromCurl(CURLE_OPERATION_TIMEDOUT, QStringLiteral("150 ok")), Timeout);
    EXPECT_EQ(FromCurl(CURLE_RECV_ERROR, QString()), ConnectionReset);
    EXPECT_EQ(FromCurl(CURLE_OUT_OF_MEMORY, QString()), InternalError);
}
