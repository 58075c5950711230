#include "RenamePlan.h"

#include "common/core/FileNameCheck.h"
#include "common/core/FileRenamer.h"
#include "NameProbe.h"
#include "PathIndex.h"

#include <cerrno>

namespace ardl {

namespace {

// What bytes that are not UTF-8 turn into when a name is decoded: such a
// name cannot be given back to the system as it was.
constexpr char16_t Replacement = 0xFFFD;

enum PathFlag { HasReplacement = 1, HasLineBreak = 2, HasArrow = 4 };

// One pass over a path for everything that keeps it out of a rename.
int pathFlags(QStringView path)
{
    int flags = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (c == Replacement)
            flags |= HasReplacement;
        else if (c == u'\n' || c == u'\r')
            flags |= HasLineBreak;
        else if (c == u'-' && i + 1 < path.size() && path[i + 1] == u'>')
            flags |= HasArrow;
    }
    return flags;
}

RowProblem nameProblem(const PlanRow &row, FileNameCheck &names)
{
    switch (names.fault(row.newFolder, row.newName())) {
    case NameFault::None:
        return RowProblem::None;
    case NameFault::Bad:
        return RowProblem::BadName;
    case NameFault::TooLong:
        return RowProblem::NameTooLong;
    case NameFault::NotWritable:
        return RowProblem::NotWritable;
    }
    return RowProblem::BadName;
}

// Problems a row has on its own, before it is compared with the others and
// the disk.
RowProblem ownProblem(const PlanRow &row, FileNameCheck &names)
{
    const int flags = pathFlags(row.oldPath) | pathFlags(row.newPath);
    if (flags & HasReplacement)
        return RowProblem::NotUtf8;
    if (flags & (HasLineBreak | HasArrow))
        return RowProblem::NotLoggable;
    if (row.oldPath == row.newPath)
        return RowProblem::None;
    return nameProblem(row, names);
}

// Hands out the folder of consecutive rows without building it anew each time.
class FolderOf {
public:
    const QString &operator()(const PlanRow &row)
    {
        const QStringView folder = row.oldFolder();
        if (folder != m_folder)
            m_folder = folder.toString();
        return m_folder;
    }

private:
    QString m_folder;
};

class Planner {
public:
    explicit Planner(std::vector<PlanRow> rows)
        : m_byOld(rows.size())
        , m_oldHash(rows.size())
        , m_newHash(rows.size())
        , m_occupant(rows.size(), -1)
    {
        m_plan.rows = std::move(rows);
    }

    RenamePlan run()
    {
        hashPaths();
        markOwnProblems();
        markMissingSources();
        markDuplicateTargets();
        findOccupants();
        markOccupiedTargets();
        buildGroups();
        return std::move(m_plan);
    }

private:
    std::vector<PlanRow> &rows() { return m_plan.rows; }
    const std::vector<PlanRow> &rows() const { return m_plan.rows; }
    PlanRow &row(int i) { return m_plan.rows[size_t(i)]; }
    int count() const { return int(m_plan.rows.size()); }

    // Every path is hashed once and looked up through that hash from here on.
    void hashPaths()
    {
        for (size_t i = 0; i < rows().size(); ++i) {
            m_oldHash[i] = PathIndex::hashOf(rows()[i].oldPath);
            m_newHash[i] = PathIndex::hashOf(rows()[i].newPath);
        }
    }

    void markOwnProblems()
    {
        FileNameCheck names;
        FolderOf folderOf;
        for (int i = 0; i < count(); ++i) {
            PlanRow &r = row(i);
            if (m_byOld.insert(r.oldPath, m_oldHash[size_t(i)], i) >= 0) {
                r.problem = RowProblem::DuplicateSource;
                continue;
            }
            r.problem = ownProblem(r, names);
            if (r.ok())
                m_probe.expect(folderOf(r)); // the file itself
            if (r.moves())
                m_probe.expect(r.newFolder); // its new name
        }
    }

    // A file that is gone is an error whether or not its name would change:
    // the preview would otherwise show it as "Ok" and Apply log it.
    void markMissingSources()
    {
        FolderOf folderOf;
        for (PlanRow &r : rows()) {
            if (r.ok() && !m_probe.exists(folderOf(r), r.oldName()))
                r.problem = RowProblem::SourceMissing;
        }
    }

    // A file that keeps its name wins its place over one that wants it;
    // among files that move, the first in list order wins.
    void markDuplicateTargets()
    {
        PathIndex claimed(rows().size());
        for (int i = 0; i < count(); ++i) {
            if (row(i).ok() && !row(i).moves())
                claimed.insert(row(i).newPath, m_newHash[size_t(i)], i);
        }
        for (int i = 0; i < count(); ++i) {
            if (row(i).moves() && claimed.insert(row(i).newPath, m_newHash[size_t(i)], i) >= 0)
                row(i).problem = RowProblem::DuplicateTarget;
        }
    }

    // The listed file, if any, whose old path is a moving row's new path.
    // A listed file that is gone holds no place: the disk decides.
    void findOccupants()
    {
        for (int i = 0; i < count(); ++i) {
            if (!row(i).moves())
                continue;
            const int j = m_byOld.find(row(i).newPath, m_newHash[size_t(i)]);
            if (j >= 0 && row(j).problem != RowProblem::SourceMissing)
                m_occupant[size_t(i)] = j;
        }
    }

    // Whether the new name of a moving row is free: nothing there, or a
    // listed file there that moves away itself.
    bool targetIsFree(int i)
    {
        const PlanRow &r = row(i);
        const int occupant = m_occupant[size_t(i)];
        if (occupant >= 0)
            return row(occupant).moves();
        if (!m_probe.exists(r.newFolder, r.newName()))
            return true;
        // Where names ignore case, a change of case finds the file itself.
        return IsCaseOnlyChange(r.oldPath, r.newPath) && NameProbe::sameFile(r.oldPath, r.newPath);
    }

    // A row that cannot move stays in the way of the row that wanted its
    // place, which then cannot move either: follow that back.
    void markOccupiedTargets()
    {
        std::vector<int> waitingFor(rows().size(), -1); // occupant row -> row that wants its place
        std::vector<int> stuck;
        for (int i = 0; i < count(); ++i) {
            if (!row(i).moves())
                continue;
            if (!targetIsFree(i))
                stuck.push_back(i);
            else if (m_occupant[size_t(i)] >= 0)
                waitingFor[size_t(m_occupant[size_t(i)])] = i;
        }
        while (!stuck.empty()) {
            const int i = stuck.back();
            stuck.pop_back();
            if (!row(i).moves())
                continue;
            row(i).problem = RowProblem::TargetExists;
            if (waitingFor[size_t(i)] >= 0)
                stuck.push_back(waitingFor[size_t(i)]);
        }
    }

    void buildGroups()
    {
        std::vector<int> next(size_t(count()), -1);
        for (int i = 0; i < count(); ++i) {
            const int j = m_occupant[size_t(i)];
            if (row(i).moves() && j >= 0 && row(j).moves())
                next[size_t(i)] = j;
        }
        std::vector<bool> grouped(size_t(count()), false);
        std::vector<int> path;
        for (int i = 0; i < count(); ++i) {
            if (!row(i).moves() || grouped[size_t(i)])
                continue;
            path.assign(1, i);
            int x = next[size_t(i)];
            while (x >= 0 && x != i && !grouped[size_t(x)]) {
                path.push_back(x);
                x = next[size_t(x)];
            }
            PlanGroup group;
            group.cycle = x == i;
            if (group.cycle) {
                group.rows.push_back(i);
                group.rows.insert(group.rows.end(), path.rbegin(), path.rend() - 1);
            } else {
                group.rows.assign(path.rbegin(), path.rend());
            }
            for (int r : path)
                grouped[size_t(r)] = true;
            m_plan.groups.push_back(std::move(group));
        }
    }

    RenamePlan m_plan;
    PathIndex m_byOld;
    std::vector<size_t> m_oldHash;
    std::vector<size_t> m_newHash;
    std::vector<int> m_occupant; // see findOccupants; -1 for none
    NameProbe m_probe;
};

} // namespace

int RenamePlan::errorCount() const
{
    int errors = 0;
    for (const PlanRow &row : rows)
        errors += row.ok() ? 0 : 1;
    return errors;
}

int ProblemError(RowProblem problem)
{
    switch (problem) {
    case RowProblem::None:
        return 0;
    case RowProblem::NotUtf8:
    case RowProblem::NotWritable:
        return EILSEQ;
    case RowProblem::NotLoggable:
    case RowProblem::BadName:
    case RowProblem::DuplicateSource:
        return EINVAL;
    case RowProblem::NameTooLong:
        return ENAMETOOLONG;
    case RowProblem::SourceMissing:
        return ENOENT;
    case RowProblem::DuplicateTarget:
    case RowProblem::TargetExists:
        return EEXIST;
    }
    return EINVAL;
}

PlanRow MakePlanRow(const QString &oldPath, const QString &newFolder, const QString &newName)
{
    PlanRow row;
    row.oldPath = oldPath;
    row.newFolder = newFolder;
    row.newPath.reserve(newFolder.size() + newName.size());
    row.newPath.append(newFolder).append(newName);
    return row;
}

RenamePlan PlanRenames(std::vector<PlanRow> rows)
{
    return Planner(std::move(rows)).run();
}

} // namespace ardl
