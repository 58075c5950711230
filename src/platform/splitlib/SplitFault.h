#pragma once

#include <QString>

namespace ardl {

// Why the splitting library could not do what it was asked.
enum class SplitFault {
    None,
    System,        // a call of the system failed: see sysError
    PartSize,      // a part is missing or has not the size it should have
    ProgramSize,   // the merge program is empty or larger than the room kept for it
    SourceChanged, // the source was written to while it was split
};

struct SplitProblem {
    SplitFault fault = SplitFault::None;
    int sysError = 0;   // errno value, for SplitFault::System
    QString path;       // the file the problem is about

    bool ok() const { return fault == SplitFault::None; }
};

} // namespace ardl
