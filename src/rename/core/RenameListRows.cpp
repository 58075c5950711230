#include "RenameListRows.h"

#include "common/core/modFile.h"

namespace ardl {

std::vector<ListRow> PreviewListRows(const RenamePreview &preview, const QVariant &errorColour,
                                     const std::function<QVariant(const QString &path)> &iconOf)
{
    std::vector<ListRow> rows;
    rows.reserve(preview.items.size());
    for (size_t i = 0; i < preview.items.size(); ++i) {
        const RenameItem &item = preview.items[i];
        const PlanRow &planned = preview.plan.rows[i];
        ListRow row;
        row.cells = QStringList{item.Name, item.Ext, StatusText(planned), item.Path};
        if (planned.ok()) {
            row.key = planned.newPath;
            if (iconOf)
                row.icon = iconOf(planned.oldPath);
        } else {
            row.foreground = errorColour;
            row.toolTip = ProblemText(planned.problem);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ListRow> UndoListRows(const std::vector<UndoEntry> &entries,
                                  const std::function<QVariant(const QString &path)> &iconOf)
{
    std::vector<ListRow> rows;
    rows.reserve(entries.size());
    for (const UndoEntry &entry : entries) {
        ListRow row;
        row.cells = QStringList{entry.current, entry.restore};
        if (iconOf)
            row.icon = iconOf(entry.current);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<UndoEntry> UndoEntriesOf(const ListViewModel &model)
{
    std::vector<UndoEntry> entries;
    entries.reserve(model.rows().size());
    for (const ListRow &row : model.rows())
        entries.push_back({row.cells.value(0), row.cells.value(1)});
    return entries;
}

} // namespace ardl
