#include "RenamePreview.h"

#include "RenameRules.h"

#include "common/core/FileNameCheck.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"

namespace ardl {

std::vector<RenameItem> ApplyRulesToList(const std::vector<RenameItem> &files, RenameOptions &options)
{
    std::vector<RenameItem> items = files;
    NumberingRun numbering(options);
    for (RenameItem &item : items)
        numbering.apply(item);
    return items;
}

RenamePreview PreviewRenames(const std::vector<RenameItem> &files, RenameOptions &options)
{
    RenamePreview preview;
    preview.items = ApplyRulesToList(files, options);
    std::vector<PlanRow> rows;
    rows.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const RenameItem &item = preview.items[i];
        PlanRow row;
        row.oldPath = files[i].FullName();
        row.newFolder = item.Path;
        row.newPath = item.FullName();
        rows.push_back(std::move(row));
    }
    preview.plan = PlanRenames(std::move(rows));
    return preview;
}

QString StatusText(const PlanRow &row)
{
    return row.ok() ? QStringLiteral("Ok") : QStringLiteral("Err");
}

QString ProblemText(RowProblem problem)
{
    switch (problem) {
    case RowProblem::None:
        return QString();
    case RowProblem::NotUtf8:
        return LoadResString(4108);
    case RowProblem::NotLoggable:
        return LoadResString(4109);
    case RowProblem::BadName:
        return NameFaultText(NameFault::Bad);
    case RowProblem::NameTooLong:
        return NameFaultText(NameFault::TooLong);
    case RowProblem::NotWritable:
        return NameFaultText(NameFault::NotWritable);
    case RowProblem::SourceMissing:
        return LoadResString(4112);
    case RowProblem::DuplicateSource:
        return LoadResString(4113);
    case RowProblem::DuplicateTarget:
        return LoadResString(4114);
    case RowProblem::TargetExists:
        return LoadResString(4115);
    }
    return QString();
}

RenameItem ItemFromPath(const QString &fullPath)
{
    // The parts of GetFileName, GetFileExtension and GetFileBaseName, cut
    // once from the path: this runs for every listed file.
    const qsizetype nameStart = fullPath.lastIndexOf(u'/') + 1;
    const qsizetype dot = fullPath.lastIndexOf(u'.');
    // A name without an extension is kept whole, trailing dots and all
    // ("name.", "..."), so that the item's full name is the path it came from.
    const bool hasExtension = dot > nameStart && dot + 1 < fullPath.size();
    if (!hasExtension)
        return {fullPath.left(nameStart), fullPath.mid(nameStart), QString()};
    return {fullPath.left(nameStart), fullPath.mid(nameStart, dot - nameStart), fullPath.mid(dot + 1)};
}

} // namespace ardl
