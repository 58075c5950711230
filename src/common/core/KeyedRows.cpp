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
    const QString &old = m_model.row(index).key;
    if (old != changed.key) {
        m_keys.remove(old);
        m_keys.insert(changed.key);
    }
    m_model.setRow(index, std::move(changed));
}

} // namespace ardl
