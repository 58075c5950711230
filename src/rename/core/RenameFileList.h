#pragma once

#include "RenameItem.h"

#include "common/core/KeyedRows.h"
#include "common/core/ListViewModel.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ardl {

// The rows of the Rename page's file list: one per file, keyed by its full
// path (unique in the list; a name that is not valid UTF-8 by its bytes),
// with the cells base name, extension (without the dot, "" when none) and
// folder (ending with "/"). Every change of the rows goes through here so
// the key index stays right.
class RenameFileList {
public:
    // The icon of a row, from the file's full path.
    using IconOf = std::function<QVariant(const QString &path)>;

    explicit RenameFileList(ListViewModel &model, IconOf iconOf = {});

    // Adds each path not listed yet, in order; returns how many were added.
    int addFiles(const QStringList &paths);
    // The same for the files of a listing, each keeping its exact name.
    int addFiles(const colFile &files);
    bool contains(const QString &path) const { return m_rows.contains({path, {}}); }
    int count() const { return m_model.rowCount(); }

    // Removes the rows at these indexes; returns how many were removed.
    int removeRows(const QList<int> &rows);
    void clear();

    // The files in the list's current order, as the rules see them.
    std::vector<RenameItem> items() const;
    // Full paths of the given rows, exactly as they were listed; a row whose
    // name text cannot give back is left out rather than named by a
    // look-alike.
    QStringList paths(const QList<int> &rows) const;
    // Makes each row show the file at its path in `paths` (after a run of
    // renames; row order).
    void setPaths(const std::vector<QString> &paths);

    // The row of a path as the list shows it.
    ListRow rowFor(const QString &path) const;

private:
    ListViewModel &m_model;
    IconOf m_iconOf;
    KeyedRows m_rows;
};

} // namespace ardl
