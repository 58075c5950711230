#include "RenameFileList.h"

#include "RenamePreview.h"

#include "common/core/modFile.h"

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
    const QString &old = m_model.row(row).key;
    if (old == path)
        return;
    m_keys.remove(old);
    m_keys.insert(path);
    m_model.setRow(row, rowFor(path));
}

} // namespace ardl
