#include "RenameFileList.h"

#include "RenamePreview.h"

namespace ardl {

RenameFileList::RenameFileList(ListViewModel &model, IconOf iconOf)
    : m_model(model), m_iconOf(std::move(iconOf))
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
    std::vector<ListRow> rows;
    rows.reserve(size_t(paths.size()));
    for (const QString &path : paths) {
        if (m_keys.contains(path))
            continue;
        m_keys.insert(path);
        rows.push_back(rowFor(path));
    }
    const int added = int(rows.size());
    m_model.addRows(std::move(rows));
    return added;
}

int RenameFileList::removeRows(const QList<int> &rows)
{
    QSet<int> unique;
    for (int r : rows) {
        if (r >= 0 && r < m_model.rowCount() && !unique.contains(r)) {
            unique.insert(r);
            m_keys.remove(m_model.row(r).key);
        }
    }
    m_model.removeRowsAt(QList<int>(unique.begin(), unique.end()));
    return int(unique.size());
}

void RenameFileList::clear()
{
    m_keys.clear();
    m_model.clear();
}

// The key is the path the file was listed with; everything acted on is
// made from it, never rebuilt from the cells shown.
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
    for (int r : rows)
        out << m_model.row(r).key;
    return out;
}

void RenameFileList::setPaths(const std::vector<QString> &paths)
{
    // One row's new path may be another row's old one (a chain, a swap):
    // every old key goes before any new one comes in.
    const int count = qMin(int(paths.size()), m_model.rowCount());
    std::vector<int> changed;
    for (int row = 0; row < count; ++row) {
        if (m_model.row(row).key != paths[size_t(row)]) {
            m_keys.remove(m_model.row(row).key);
            changed.push_back(row);
        }
    }
    for (int row : changed) {
        m_keys.insert(paths[size_t(row)]);
        m_model.setRow(row, rowFor(paths[size_t(row)]));
    }
}

} // namespace ardl
