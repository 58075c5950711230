#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ardl {

// One entry of an archive as its central directory describes it.
struct ZipEntry {
    qint64 index = -1;           // position in the archive
    // The name for people and for matching: UTF-8 names as they are, other
    // names read as code page 437, and "\" read as "/" whoever wrote it.
    QString name;
    QByteArray rawName;          // the bytes the archive holds
    qint64 size = 0;             // uncompressed bytes
    qint64 compressedSize = 0;   // stored bytes of the data, encryption header left out
    quint16 method = 0;          // 0 stored, 8 deflated, ...
    bool encrypted = false;
    quint32 crc = 0;
    // Last-write time, local, to the second: the extended timestamp when the
    // entry has one, else its DOS date and time (even seconds).
    QDateTime modified;
    qint64 modifiedSecs = 0;     // the same instant, seconds since 1970
    bool isFolder = false;       // the name ends with "/"
    bool isSymlink = false;      // made on Unix with the mode of a link
    quint32 unixMode = 0;        // permission bits and type; 0 when none is kept

    // The name text gives the archive's bytes back exactly: they are UTF-8
    // and hold no "\". Otherwise another entry's name may read the same.
    bool nameIsExact() const { return name.toUtf8() == rawName; }

    // Packed size in percent of the size saved: 0 for empty or stored data,
    // negative when the data grew (down to -9999).
    qint32 ratio() const;
};

// How an entry name reads: "\" is a folder step as "/" is, whoever wrote it
// (archives made on DOS and Windows hold it so).
inline QString EntryNameAsRead(QString name)
{
    name.replace(u'\\', u'/');
    return name;
}

// Names and comments of an archive as text: UTF-8 when they are valid UTF-8,
// else code page 437 (archives made on DOS and Windows).
QString DecodeArchiveText(const QByteArray &raw);

} // namespace ardl
