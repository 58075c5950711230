#include "RenameFileList.h"

#include "RenamePreview.h"

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
    return m_rows.addNew(RowKeys(paths), [this](const QString &path) { return rowFor(path); });
}

int RenameFileList::addFiles(const colFile &files)
{
    return m_rows.addNew(RowKeys(files), [this](const QString &path) { return rowFor(path); });
}

int RenameFileList::removeRows(const QList<int> &rows)
{
    return m_rows.removeRows(rows);
}

void RenameFileList::clear()
{
    m_rows.clear();
}

// The key is the path the file was listed with; everything acted on is
// made from it, never rebuilt from the cells shown. A file listed by its
// bytes gives an item whose text holds U+FFFD, which a rename leaves alone.
std::vector<RenameItem> RenameFileList::items() const
{
    std::vector<RenameItem> out;
    out.reserve(m_model.rows().size());
    for (const ListRow &row : m_model.rows())
        out.push_back(ItemFromPath(row.key));
    return out;
}

QStringList RenameFileList::paths(const QList<int> &rows) const
{
    QStringList out;
    for (int r : rows) {
        if (m_model.row(r).rawKey.isEmpty())
            out << m_model.row(r).key;
    }
    return out;
}

void RenameFileList::setPaths(const std::vector<QString> &paths)
{
    // One row's new path may be another row's old one (a chain, a swap):
    // the rows change together.
    const int count = qMin(int(paths.size()), m_model.rowCount());
    std::vector<std::pair<int, ListRow>> changed;
    for (int row = 0; row < count; ++row) {
        if (m_model.row(row).key != paths[size_t(row)])
            changed.emplace_back(row, rowFor(paths[size_t(row)]));
    }
    m_rows.setRows(std::move(changed));
}

} // namespace ardl
