#pragma once

#include <QString>

#include <cstdint>

namespace ardl {

// SplitBy
constexpr int16_t SplitBySize = 0;    // optSize
constexpr int16_t SplitByParts = 1;   // optPart

// SizeMode
constexpr int32_t SizeMode720 = 2;        // opt720
constexpr int32_t SizeMode144 = 3;        // opt144
constexpr int32_t SizeMode288 = 4;        // opt288
constexpr int32_t SizeModeCustom = 5;     // optOthers
constexpr int32_t SizeModeDownload = 9;   // optDownload

// SizeUnit of the custom size
constexpr int32_t UnitBytes = 6;   // lblBytes
constexpr int32_t UnitKb = 7;      // lblKb
constexpr int32_t UnitMb = 8;      // lblMb

// The three floppy sizes of the presets, in bytes.
constexpr qint64 Size720 = 729088;
constexpr qint64 Size144 = 1456128;
constexpr qint64 Size288 = 2879488;

// The size settings of the Split page, as its controls set them.
struct SplitOptions {
    int16_t SplitBy = SplitBySize;
    int32_t SizeMode = SizeMode144;
    int32_t SizeUnit = UnitBytes;
    qint64 CustomSize = 0;   // in SizeUnit units
};

// The download time and speed boxes, as typed.
struct DownloadTime {
    QString hours;     // txtH
    QString minutes;   // txtM
    QString seconds;   // txtS
    QString bps;       // txtBps, bits per second
};

// Everything that decides the size of the parts of a file.
struct SplitSettings {
    SplitOptions options;
    DownloadTime download;
    qint64 partCount = 1;      // UDSPart, when splitting by number of parts
    bool includeExe = false;   // chkExe: the first file is the merge program
};

} // namespace ardl
