#pragma once

#include "ListViewModel.h"
#include "colFile.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace ardl {

// What a row of a file list is keyed by: the file's full path as text and,
// when that text does not give the path back exactly (a name that is not
// valid UTF-8), the path's bytes. Names that show alike are two keys.
struct RowKey {
    QString text;
    QByteArray raw;
};

// The keys of paths given as text (exact by construction).
std::vector<RowKey> RowKeys(const QStringList &paths);
// The keys of listed files, with the bytes of those listed by their bytes.
std::vector<RowKey> RowKeys(const colFile &files);

// The rows of a list that holds each key once (a file list keyed by full
// path): every change of the rows goes through here so that the key index
// stays right. A row's key is its `key` and `rawKey`.
class KeyedRows {
public:
    using MakeRow = std::function<ListRow(const QString &key)>;

    explicit KeyedRows(ListViewModel &model);

    // Adds a row made by `makeRow` (from the key's text) for each key not
    // listed yet, in order; returns how many were added.
    int addNew(const std::vector<RowKey> &keys, const MakeRow &makeRow);
    bool contains(const RowKey &key) const;
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
    void insertKey(const ListRow &row);
    void removeKey(const ListRow &row);

    ListViewModel &m_model;
    QSet<QString> m_keys;       // rows whose key text names the file exactly
    QSet<QByteArray> m_rawKeys; // the others, by their bytes
};

} // namespace ardl
