#include "Mp3FileList.h"

#include "common/core/StringTable.h"
#include "common/core/modFile.h"

namespace ardl {

namespace {

enum Cell { NameCell = 0, FolderCell = 1, StatusCell = 2 };

} // namespace

Mp3FileList::Mp3FileList(ListViewModel &model, IconOf iconOf, QVariant okColour, QVariant errorColour)
    : m_model(model)
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

int Mp3FileList::removeRows(const QList<int> &rows)
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

void Mp3FileList::clear()
{
    m_keys.clear();
    m_model.clear();
}

Mp3File Mp3FileList::file(int row) const
{
    const QStringList &cells = m_model.row(row).cells;
    return {AddBackslash(cells.value(FolderCell)), cells.value(NameCell)};
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
    ListRow changed = m_model.row(row);
    if (!result.newName.isEmpty()) {
        const QString path = file(row).folder + result.newName;
        m_keys.remove(changed.key);
        m_keys.insert(path);
        changed.key = path;
        changed.cells[NameCell] = result.newName;
    }
    const bool ok = result.outcome == Mp3Outcome::Ok;
    changed.cells[StatusCell] = LoadResString(ok ? 322 : 101);
    changed.foreground = ok ? m_okColour : m_errorColour;
    m_model.setRow(row, std::move(changed));
}

void Mp3FileList::showResults(const std::vector<Mp3FileResult> &results)
{
    for (size_t row = 0; row < results.size() && int(row) < count(); ++row)
        showResult(int(row), results[row]);
}

} // namespace ardl
