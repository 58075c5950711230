#include "KeyedRows.h"

#include <vector>

namespace ardl {

KeyedRows::KeyedRows(ListViewModel &model)
    : m_model(model)
{
}

int KeyedRows::addNew(const QStringList &keys, const MakeRow &makeRow)
{
    std::vector<ListRow> rows;
    rows.reserve(size_t(keys.size()));
    for (const QString &key : keys) {
        if (m_keys.contains(key))
            continue;
        m_keys.insert(key);
        rows.push_back(makeRow(key));
        rows.back().key = key;
    }
    const int added = int(rows.size());
    m_model.addRows(std::move(rows));
    return added;
}

int KeyedRows::removeRows(const QList<int> &rows)
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

void KeyedRows::clear()
{
    m_keys.clear();
    m_model.clear();
}

void KeyedRows::setRow(int index, ListRow changed)
{
    std::vector<std::pair<int, ListRow>> one;
    one.emplace_back(index, std::move(changed));
    setRows(std::move(one));
}

void KeyedRows::setRows(std::vector<std::pair<int, ListRow>> changed)
{
    // Every old key goes before any new one comes in.
    for (const auto &[index, row] : changed)
        m_keys.remove(m_model.row(index).key);
    for (auto &[index, row] : changed) {
        m_keys.insert(row.key);
        m_model.setRow(index, std::move(row));
    }
}

} // namespace ardl
