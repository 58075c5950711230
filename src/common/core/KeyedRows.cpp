#include "KeyedRows.h"

#include <vector>

namespace ardl {

std::vector<RowKey> RowKeys(const QStringList &paths)
{
    std::vector<RowKey> keys;
    keys.reserve(size_t(paths.size()));
    for (const QString &path : paths)
        keys.push_back({path, {}});
    return keys;
}

std::vector<RowKey> RowKeys(const colFile &files)
{
    std::vector<RowKey> keys;
    keys.reserve(size_t(files.Count()));
    for (const clsFile &f : files)
        keys.push_back({f.Name, f.RawName});
    return keys;
}

KeyedRows::KeyedRows(ListViewModel &model)
    : m_model(model)
{
}

bool KeyedRows::contains(const RowKey &key) const
{
    return key.raw.isEmpty() ? m_keys.contains(key.text) : m_rawKeys.contains(key.raw);
}

void KeyedRows::insertKey(const ListRow &row)
{
    if (row.rawKey.isEmpty())
        m_keys.insert(row.key);
    else
        m_rawKeys.insert(row.rawKey);
}

void KeyedRows::removeKey(const ListRow &row)
{
    if (row.rawKey.isEmpty())
        m_keys.remove(row.key);
    else
        m_rawKeys.remove(row.rawKey);
}

int KeyedRows::addNew(const std::vector<RowKey> &keys, const MakeRow &makeRow)
{
    std::vector<ListRow> rows;
    rows.reserve(keys.size());
    for (const RowKey &key : keys) {
        if (contains(key))
            continue;
        rows.push_back(makeRow(key.text));
        rows.back().key = key.text;
        rows.back().rawKey = key.raw;
        insertKey(rows.back());
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
            removeKey(m_model.row(r));
        }
    }
    m_model.removeRowsAt(QList<int>(unique.begin(), unique.end()));
    return int(unique.size());
}

void KeyedRows::clear()
{
    m_keys.clear();
    m_rawKeys.clear();
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
        removeKey(m_model.row(index));
    for (auto &[index, row] : changed) {
        insertKey(row);
        m_model.setRow(index, std::move(row));
    }
}

} // namespace ardl
