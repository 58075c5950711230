#pragma once

#include "Mp3Run.h"

#include "common/core/KeyedRows.h"
#include "common/core/ListViewModel.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ardl {

// The rows of the Mp3 page's list: one per file, keyed by its full path
// (unique in the list; a name that is not valid UTF-8 by its bytes), with
// the cells name, folder (ending with "/") and status.
class Mp3FileList {
public:
    // The icon of a row, from the file's full path.
    using IconOf = std::function<QVariant(const QString &path)>;

    // `okColour` and `errorColour` are the text colours of rows after a run.
    Mp3FileList(ListViewModel &model, IconOf iconOf, QVariant okColour, QVariant errorColour);

    // Adds each path not listed yet, in order; returns how many were added.
    int addFiles(const QStringList &paths);
    // The same for the files of a listing, each keeping its exact name.
    int addFiles(const colFile &files);
    int count() const { return m_rows.count(); }
    bool contains(const QString &path) const { return m_rows.contains({path, {}}); }

    // Removes the rows at these indexes; returns how many were removed.
    int removeRows(const QList<int> &rows);
    void clear();

    // The files of the rows, in the list's order.
    std::vector<Mp3File> files() const;
    Mp3File file(int row) const;

    // Shows what a run did to the file of `row`: "Ok" in green, "Error" in
    // red, nothing for a file left as it was; a renamed file's row shows
    // and is keyed by its new name.
    void showResult(int row, const Mp3FileResult &result);
    void showResults(const std::vector<Mp3FileResult> &results);

private:
    ListRow rowFor(const QString &path) const;

    KeyedRows m_rows;
    IconOf m_iconOf;
    QVariant m_okColour;
    QVariant m_errorColour;
};

} // namespace ardl
