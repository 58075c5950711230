#include "Mp3FileList.h"

#include "common/core/StringTable.h"
#include "common/core/modFile.h"

namespace ardl {

namespace {

enum Cell { NameCell = 0, FolderCell = 1, StatusCell = 2 };

} // namespace

Mp3FileList::Mp3FileList(ListViewModel &model, IconOf iconOf, QVariant okColour, QVariant errorColour)
    : m_rows(model)
    , m_iconOf(std::move(iconOf))
    , m_okColour(std::move(okColour))
    , m_errorColour(std::move(errorColour))
{
}

ListRow Mp3FileList::rowFor(const QString &path) const
{
    ListRow row;
    row.key = path;
    row.cells = QStringList{GetFileName(path), PathWithOutFile(path), QString()};
    if (m_iconOf)
        row.icon = m_iconOf(path);
    return row;
}

int Mp3FileList::addFiles(const QStringList &paths)
{
    return m_rows.addNew(RowKeys(paths), [this](const QString &path) { return rowFor(path); });
}

int Mp3FileList::addFiles(const colFile &files)
{
    return m_rows.addNew(RowKeys(files), [this](const QString &path) { return rowFor(path); });
}

int Mp3FileList::removeRows(const QList<int> &rows)
{
    return m_rows.removeRows(rows);
}

void Mp3FileList::clear()
{
    m_rows.clear();
}

// Made from the key, the path the file was listed with, never from the
// cells shown.
Mp3File Mp3FileList::file(int row) const
{
    const ListRow &listed = m_rows.row(row);
    return {PathWithOutFile(listed.key), GetFileName(listed.key), listed.rawKey};
}

std::vector<Mp3File> Mp3FileList::files() const
{
    std::vector<Mp3File> out;
    out.reserve(size_t(count()));
    for (int row = 0; row < count(); ++row)
        out.push_back(file(row));
    return out;
}

void Mp3FileList::showResult(int row, const Mp3FileResult &result)
{
    if (result.outcome == Mp3Outcome::Unchanged)
        return;
    ListRow changed = m_rows.row(row);
    if (!result.newName.isEmpty()) {
        changed.key = file(row).folder + result.newName;
        changed.rawKey.clear();
        changed.cells[NameCell] = result.newName;
    }
    // A file already named as its tag says is done, not failed.
    const bool ok = result.outcome != Mp3Outcome::Error;
    changed.cells[StatusCell] = LoadResString(ok ? 322 : 101);
    changed.foreground = ok ? m_okColour : m_errorColour;
    m_rows.setRow(row, std::move(changed));
}

void Mp3FileList::showResults(const std::vector<Mp3FileResult> &results)
{
    for (size_t row = 0; row < results.size() && int(row) < count(); ++row)
        showResult(int(row), results[row]);
}

} // namespace ardl
