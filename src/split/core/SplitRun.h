#pragma once

#include "SplitOptions.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ardl {

struct SplitRequest {
    QStringList sources;      // lstSourceFile, in order
    QString destination;      // txtDstFile
    SplitSettings settings;
    bool deleteSource = false;   // chkDeleteFileAfterSplit
    QString mergeProgram;        // the merge program self-merging files are made from
};

struct SplitFileReport {
    enum Outcome {
        Split,        // everything asked for was done
        Skipped,      // nothing was written for it
        Failed,       // something asked for could not be done; `text` says what stands
        NotReached,   // the run stopped before it
    };
    QString source;
    Outcome outcome = NotReached;
    QString text;          // the line the report shows for it
    QStringList files;     // the files it left in the destination, in order
    bool sourceDeleted = false;
};

struct SplitRunResult {
    int stopMessage = 0;   // string-table text the run stopped with, 0 when none
    std::vector<SplitFileReport> files;

    bool anyProblem() const;
};

// Splits every source into the destination as the Split page asks (see
// SplitSettings), one after the other. The checks of the list and the folder
// stop the run before anything is written, a size that cannot be used stops
// it before the file it applies to; a source that is missing, listed twice,
// empty or one of the files this run wrote is skipped. Nothing that is not
// part of this split is ever replaced: files of an earlier split with the
// same names are deleted only when the user agrees, never when they are
// sources of this run or were written by it. The source is deleted, when
// asked, only once its parts and merge program are written and checked.
// `status` is told what is going on, for the status bar.
SplitRunResult RunSplit(const SplitRequest &request, const std::function<void(const QString &)> &status = {});

// The end report: a line for each file, after a first line with the count split.
QString SplitReportText(const SplitRunResult &result);

} // namespace ardl
