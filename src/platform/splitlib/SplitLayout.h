#pragma once

#include <QString>

// How a split file is laid out on disk: the names of its parts, of the
// merge script and of the self-merging program, and the part sizes.
namespace ardl {

// The first file of a split with the merge program holds, besides part 0,
// the merge program padded to this size, a record, the base name and the
// extension.
constexpr qint64 MergeProgramReserve = 45056;
constexpr qint64 MergeRecordSize = 50;

// A file name cut the way its parts are named: "Report.doc" gives the base
// "Report" and the extension "doc"; "a." has the dot with an empty extension.
struct SplitName {
    QString base;
    QString extension;
    bool hasDot = false;

    static SplitName FromFileName(const QString &fileName);
    QString fileName() const;
};

// What the self-merging file adds to part 0, in bytes (names counted in
// their bytes on disk).
qint64 SelfMergeOverhead(const SplitName &name);

// base & n & ".kos"
QString PartFileName(const QString &baseName, qint64 n);
// The shell script that rebuilds the file from all its parts.
QString MergeScriptName(const QString &baseName);
// The self-merging program that takes the place of part 0.
QString MergeProgramName(const QString &baseName);
// The merge program beside ours, from which self-merging files are made.
QString MergeProgramPath();

// Parts of a file of `length` bytes when part 0 holds at most `firstSize`
// bytes and every other part at most `partSize` (both above 0): none for an
// empty file.
qint64 PartCount(qint64 length, qint64 firstSize, qint64 partSize);
// The length of part `k` (0 <= k < PartCount).
qint64 PartLength(qint64 length, qint64 firstSize, qint64 partSize, qint64 k);

} // namespace ardl
