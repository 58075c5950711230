#include "RenamePreview.h"

#include "RenameRules.h"

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

RenameItem ItemFromPath(const QString &fullPath)
{
    const QString name = GetFileName(fullPath);
    return {PathWithOutFile(fullPath), GetFileBaseName(name), GetFileExtension(name)};
}

} // namespace ardl
