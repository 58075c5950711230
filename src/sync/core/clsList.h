#pragma once

#include "platform/ftp/FtpEntry.h"

#include <QDateTime>
#include <QString>

namespace ardl {

// One compared file: its left and right sides, its class and its action.
// A record first made from the right side holds the right name in L_File too,
// so every record can be found by L_File.
struct clsList {
    QString L_File;
    qint64 L_Size = 0;
    QDateTime L_Date;
    bool bLeft = false;
    QString R_File;
    qint64 R_Size = 0;
    QDateTime R_Date;
    bool bRight = false;
    int iType = 0;          // the action, a CompareType code
    int iOrginalType = 0;   // the class, a CompareType code
    bool bVisible = false;

    // How finely L_Date is known: remote listings may give only the minute
    // or the day.
    DatePrecision L_DatePrecision = DatePrecision::Second;
    // L_Size holds only the low 32 bits of the true size (sync files written
    // by older versions); it is compared modulo 2^32.
    bool L_SizeLow32 = false;
};

// Whether the left size matches the right one. A negative (unknown) size
// never matches.
bool SameSize(qint64 left, bool leftLow32, qint64 right);
// Whether the right instant falls in the left one's span: the second, the
// minute or the (UTC) day that `precision` says the left time stands for;
// for a local time, any instant that reads as that time. An unknown date on
// either side never matches.
bool SameDate(const QDateTime &left, DatePrecision precision, const QDateTime &right);

} // namespace ardl
