#pragma once

#include <QString>

#include <vector>

namespace ardl {

// Why a row of a plan is left alone ("Err" in the preview).
enum class RowProblem {
    None,
    NotUtf8,         // the old name is not valid UTF-8: it cannot be named safely
    NotLoggable,     // a path holds "->" or a line break: its log line could not be read back
    BadName,         // new name empty, ".", "..", or holding "/" or NUL
    NameTooLong,     // longer than the file system allows
    NotWritable,     // the new name holds what UTF-8 cannot: the file would get another name
    SourceMissing,   // the file to rename is not there
    DuplicateSource, // the same file is listed twice
    DuplicateTarget, // an earlier row already gets this new name
    TargetExists,    // the new name is taken by a file that does not move away
};

// One file to rename: where it is and where it goes. The new name is kept
// apart from its folder so that a "/" inside it is seen.
struct PlanRow {
    QString oldPath;
    QString newFolder;   // ends with "/"
    QString newPath;     // newFolder followed by the new name
    RowProblem problem = RowProblem::None;

    // The new name: all of newPath after newFolder, "/" and all.
    QStringView newName() const { return QStringView(newPath).mid(newFolder.size()); }

    bool ok() const { return problem == RowProblem::None; }
    bool moves() const { return ok() && oldPath != newPath; }
    // The old path's folder (with its "/") and file name.
    QStringView oldFolder() const { return QStringView(oldPath).left(oldPath.lastIndexOf(u'/') + 1); }
    QStringView oldName() const { return QStringView(oldPath).mid(oldPath.lastIndexOf(u'/') + 1); }
};

// Rows whose renames depend on each other, in the order they must happen:
// in a chain each row's new name is the old name of the row before it, so
// the list starts with the row whose new name is free. In a cycle the first
// row leaves for a temporary name first and takes its new name last.
struct PlanGroup {
    std::vector<int> rows;
    bool cycle = false;
};

// The checked renames of a list: which rows are "Ok", and the order in which
// the moving ones are carried out so that no file is ever in another's way.
struct RenamePlan {
    std::vector<PlanRow> rows;
    std::vector<PlanGroup> groups;   // every moving row in exactly one group

    int errorCount() const;
};

// The errno value that words a problem for the user (EEXIST for a name
// already taken, ENOENT for a missing file, ...).
int ProblemError(RowProblem problem);

// Builds a row from an old path and the new name in the new folder.
PlanRow MakePlanRow(const QString &oldPath, const QString &newFolder, const QString &newName);

// Checks every row against the others and the disk, and orders the renames.
// A row is marked when its new name is unsafe or cannot be logged, when its
// file is missing, listed twice or not valid UTF-8, when an earlier row (or
// a row that keeps its name) already takes the new name, or when the new
// name exists on disk and is not the old name of a row that moves away.
RenamePlan PlanRenames(std::vector<PlanRow> rows);

} // namespace ardl
