#include "RenamePlan.h"

#include "FileRenamer.h"

#include <QFile>
#include <QHash>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

// What bytes that are not UTF-8 turn into when a name is decoded: such a
// name cannot be given back to the system as it was.
constexpr QChar Replacement = QChar(0xFFFD);
constexpr long FallbackNameMax = 255;

struct FileId {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
};

FileId fileId(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino};
}

bool holdsLineBreakOrArrow(const QString &path)
{
    return path.contains(u'\n') || path.contains(u'\r') || path.contains(QLatin1String("->"));
}

// Longest file name the folder's file system takes, in bytes.
class NameLimits {
public:
    long nameMax(const QString &folder)
    {
        auto it = m_cache.constFind(folder);
        if (it != m_cache.constEnd())
            return *it;
        long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
        if (max <= 0)
            max = FallbackNameMax;
        m_cache.insert(folder, max);
        return max;
    }

private:
    QHash<QString, long> m_cache;
};

RowProblem nameProblem(const PlanRow &row, NameLimits &limits)
{
    const QString &name = row.newName;
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(QChar(u'\0')))
        return RowProblem::BadName;
    if (QFile::encodeName(name).size() > limits.nameMax(row.newFolder)
        || QFile::encodeName(row.newPath).size() >= PATH_MAX)
        return RowProblem::NameTooLong;
    return RowProblem::None;
}

// Problems a row has on its own, before it is compared with the others.
RowProblem ownProblem(const PlanRow &row, NameLimits &limits)
{
    if (row.oldPath.contains(Replacement) || row.newPath.contains(Replacement))
        return RowProblem::NotUtf8;
    if (holdsLineBreakOrArrow(row.oldPath) || holdsLineBreakOrArrow(row.newPath))
        return RowProblem::NotLoggable;
    if (row.oldPath == row.newPath)
        return RowProblem::None;
    if (const RowProblem p = nameProblem(row, limits); p != RowProblem::None)
        return p;
    if (!fileId(row.oldPath).exists)
        return RowProblem::SourceMissing;
    return RowProblem::None;
}

class Planner {
public:
    explicit Planner(std::vector<PlanRow> rows) { m_plan.rows = std::move(rows); }

    RenamePlan run()
    {
        markOwnProblems();
        markDuplicateTargets();
        markOccupiedTargets();
        buildGroups();
        return std::move(m_plan);
    }

private:
    std::vector<PlanRow> &rows() { return m_plan.rows; }

    void markOwnProblems()
    {
        NameLimits limits;
        m_byOld.reserve(qsizetype(rows().size()));
        for (int i = 0; i < int(rows().size()); ++i) {
            PlanRow &row = rows()[size_t(i)];
            if (m_byOld.contains(row.oldPath)) {
                row.problem = RowProblem::DuplicateSource;
                continue;
            }
            m_byOld.insert(row.oldPath, i);
            row.problem = ownProblem(row, limits);
        }
    }

    // A file that keeps its name wins its place over one that wants it;
    // among files that move, the first in list order wins.
    void markDuplicateTargets()
    {
        QHash<QString, int> claimed;
        claimed.reserve(qsizetype(rows().size()));
        for (int i = 0; i < int(rows().size()); ++i) {
            const PlanRow &row = rows()[size_t(i)];
            if (row.ok() && !row.moves())
                claimed.insert(row.newPath, i);
        }
        for (PlanRow &row : rows()) {
            if (!row.moves())
                continue;
            if (claimed.contains(row.newPath))
                row.problem = RowProblem::DuplicateTarget;
            else
                claimed.insert(row.newPath, 0);
        }
    }

    // Whether the new name of a moving row is free: nothing there, or a
    // listed file there that moves away itself.
    bool targetIsFree(const PlanRow &row, int *occupant) const
    {
        *occupant = m_byOld.value(row.newPath, -1);
        if (*occupant >= 0)
            return rows()[size_t(*occupant)].moves();
        const FileId target = fileId(row.newPath);
        if (!target.exists)
            return true;
        // Where names ignore case, a change of case finds the file itself.
        const FileId source = fileId(row.oldPath);
        return IsCaseOnlyChange(row.oldPath, row.newPath) && source.dev == target.dev
            && source.ino == target.ino;
    }

    const std::vector<PlanRow> &rows() const { return m_plan.rows; }

    // A row that cannot move stays in the way of the row that wanted its
    // place, which then cannot move either: follow that back.
    void markOccupiedTargets()
    {
        QHash<int, int> waitingFor;   // occupant row -> row that wants its place
        std::vector<int> stuck;
        for (int i = 0; i < int(rows().size()); ++i) {
            if (!rows()[size_t(i)].moves())
                continue;
            int occupant = -1;
            if (!targetIsFree(rows()[size_t(i)], &occupant))
                stuck.push_back(i);
            else if (occupant >= 0)
                waitingFor.insert(occupant, i);
        }
        while (!stuck.empty()) {
            const int i = stuck.back();
            stuck.pop_back();
            PlanRow &row = rows()[size_t(i)];
            if (!row.moves())
                continue;
            row.problem = RowProblem::TargetExists;
            const int waiting = waitingFor.value(i, -1);
            if (waiting >= 0)
                stuck.push_back(waiting);
        }
    }

    void buildGroups()
    {
        const int count = int(rows().size());
        std::vector<int> next(size_t(count), -1);
        for (int i = 0; i < count; ++i) {
            if (rows()[size_t(i)].moves()) {
                const int j = m_byOld.value(rows()[size_t(i)].newPath, -1);
                if (j >= 0 && rows()[size_t(j)].moves())
                    next[size_t(i)] = j;
            }
        }
        std::vector<bool> grouped(size_t(count), false);
        for (int i = 0; i < count; ++i) {
            if (!rows()[size_t(i)].moves() || grouped[size_t(i)])
                continue;
            std::vector<int> path{i};
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
    QHash<QString, int> m_byOld;
};

} // namespace

int RenamePlan::errorCount() const
{
    int errors = 0;
    for (const PlanRow &row : rows)
        errors += row.ok() ? 0 : 1;
    return errors;
}

PlanRow MakePlanRow(const QString &oldPath, const QString &newFolder, const QString &newName)
{
    PlanRow row;
    row.oldPath = oldPath;
    row.newFolder = newFolder;
    row.newName = newName;
    row.newPath = newFolder + newName;
    return row;
}

RenamePlan PlanRenames(std::vector<PlanRow> rows)
{
    return Planner(std::move(rows)).run();
}

} // namespace ardl
