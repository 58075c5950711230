#pragma once

#include "SplitOptions.h"

#include <optional>

namespace ardl {

// The number in a box that takes digits only; nullopt when the text is
// empty, holds anything but the digits 0-9, or is beyond 18 digits.
std::optional<qint64> NumberFromText(const QString &text);

// To the nearest whole number, halves to the even one (2.5 gives 2, 3.5 gives 4).
qint64 RoundHalfEven(double value);

// The bytes that download in the time of `time` at its speed in bits per
// second, rounded halves to even; nullopt when a box holds no number or the
// figure is too large to be a file size.
std::optional<qint64> DownloadBytes(const DownloadTime &time);

// The largest part when splitting by size: a preset, the custom size times
// its unit, or the download size; nullopt when it cannot be worked out.
std::optional<qint64> SizeLimit(const SplitOptions &options, const DownloadTime &time);

struct PartPlan {
    enum Status {
        Ok,
        NotPositive,   // a part or the first part would be 0 bytes or less
        Undefined,     // the sizes cannot be worked out (figures out of range)
    };
    Status status = Ok;
    qint64 first = 0;   // bytes of part 0
    qint64 part = 0;    // bytes of every other part
    qint64 count = 0;   // the parts the split gives, the merge program counted as one
};

// The parts of a file of `length` bytes under `settings`, `overhead` being
// what the merge program adds to the first file (0 without it).
// By size, each file is at most the size limit, so part 0 gets the limit
// less the overhead. By number of parts, the file is cut into exactly that
// many files whenever it has the bytes for them: files of one size, rounded
// up, the last one taking the rest; where that would leave the last ones
// empty (files of a few bytes), the size is rounded down and the first file
// takes the rest.
PartPlan PlanParts(qint64 length, const SplitSettings &settings, qint64 overhead);

} // namespace ardl
