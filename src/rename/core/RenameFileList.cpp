#include "RenameFileList.h"

#include "RenamePreview.h"

#include "common/core/modFile.h"

namespace ardl {

RenameFileList::RenameFileList(ListViewModel &model, IconOf iconOf)
    : m_model(model), m_iconOf(std::move(iconOf)), m_rows(model)
{
}

ListRow RenameFileList::rowFor(const QString &path) const
{
    const RenameItem item = ItemFromPath(path);
    ListRow row;
    row.key = path;
    row.cells = QStringList{item.Name, item.Ext, item.Path};
    if (m_iconOf)
        row.icon = m_iconOf(path);
    return row;
}

int RenameFileList::addFiles(const QStringList &paths)
{
    return m_rows.addNew(paths, [this](const QString &path) { return rowFor(path); });
}

int RenameFileList::removeRows(const QList<int> &rows)
{
    return m_rows.removeRows(rows);
}

void RenameFileList::clear()
{
    m_rows.clear();
}

std::vector<RenameItem> RenameFileList::items() const
{
    std::vector<RenameItem> out;
    out.reserve(m_model.rows().size());
    for (const ListRow &row : m_model.rows())
        out.push_back({AddBackslash(row.cells.value(2)), row.cells.value(0), row.cells.value(1)});
    return out;
}

QStringList RenameFileList::paths(const QList<int> &rows) const
{
    QStringList out;
    for (int r : rows) {
        const QStringList &cells = m_model.row(r).cells;
        RenameItem item{AddBackslash(cells.value(2)), cells.value(0), cells.value(1)};
        out << item.FullName();
    }
    return out;
}

void RenameFileList::setPath(int row, const QString &path)
{
    if (m_model.row(row).key != path)
        m_rows.setRow(row, rowFor(path));
}

} // namespace ardl
