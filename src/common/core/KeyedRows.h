#pragma once

#include "ListViewModel.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace ardl {

// The rows of a list that holds each key once (a file list keyed by full
// path): every change of the rows goes through here so that the key index
// stays right.
class KeyedRows {
public:
    using MakeRow = std::function<ListRow(const QString &key)>;

    explicit KeyedRows(ListViewModel &model);

    // Adds a row made by `makeRow` for each key not listed yet, in order;
    // returns how many were added.
    int addNew(const QStringList &keys, const MakeRow &makeRow);
    bool contains(const QString &key) const { return m_keys.contains(key); }
    int count() const { return m_model.rowCount(); }
    const ListRow &row(int index) const { return m_model.row(index); }

    // Removes the rows at these indexes (any order, duplicates and indexes
    // out of range ignored); returns how many were removed.
    int removeRows(const QList<int> &rows);
    void clear();
    // Replaces a row, its key included.
    void setRow(int index, ListRow changed);
    // Replaces several rows (index, new row) at once: one row's new key may
    // be another's old one (a chain, a swap).
    void setRows(std::vector<std::pair<int, ListRow>> changed);

private:
    ListViewModel &m_model;
    QSet<QString> m_keys;
};

} // namespace ardl
