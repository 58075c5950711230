#pragma once

#include "SplitOptions.h"

#include <optional>

namespace ardl {

// What the information panel is worked out from.
struct SplitInfoInput {
    qint64 fileCount = 0;   // entries of the source list
    QString destination;    // txtDstFile
    QString selected;       // the selected entry, "" when none
    SplitSettings settings;
    QString downloadSpeed;  // txtDown, bits per second
};

// The value labels lblInfo1 to lblInfo7; a label without a value keeps what
// it shows. A figure that cannot be worked out shows as "".
struct SplitInfo {
    QString lblInfo1;                  // number of files
    QString lblInfo2;                  // destination
    std::optional<QString> lblInfo3;   // selected file
    std::optional<QString> lblInfo4;   // part & "  (Max : " & max & ")"
    std::optional<QString> lblInfo5;   // number of parts, as the split will write them
    std::optional<QString> lblInfo6;   // the file's size in bytes
    std::optional<QString> lblInfo7;   // time one part takes to download: "h h m m s s"
};

SplitInfo CalculateInfo(const SplitInfoInput &in);

} // namespace ardl
