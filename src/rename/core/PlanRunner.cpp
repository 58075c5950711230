#include "PlanRunner.h"

#include "common/core/FileRenamer.h"

#include <cerrno>

namespace ardl {

namespace {

class Runner {
public:
    Runner(const RenamePlan &plan, const RowDone &rowDone)
        : m_plan(plan), m_rowDone(rowDone), m_groupOf(plan.rows.size(), -1)
    {
        for (int g = 0; g < int(plan.groups.size()); ++g) {
            for (int r : plan.groups[size_t(g)].rows)
                m_groupOf[size_t(r)] = g;
        }
    }

    bool run()
    {
        std::vector<bool> groupDone(m_plan.groups.size(), false);
        for (int i = 0; i < int(m_plan.rows.size()) && !m_stopped; ++i) {
            const PlanRow &row = m_plan.rows[size_t(i)];
            if (!row.moves()) {
                const RowOutcome::Kind kind = row.ok() ? RowOutcome::Unchanged : RowOutcome::Skipped;
                report(i, {kind, row.oldPath, 0});
                continue;
            }
            const int g = m_groupOf[size_t(i)];
            if (groupDone[size_t(g)])
                continue;
            groupDone[size_t(g)] = true;
            const PlanGroup &group = m_plan.groups[size_t(g)];
            if (group.cycle)
                runCycle(group);
            else
                runChain(group);
        }
        return !m_stopped;
    }

private:
    const PlanRow &row(int i) const { return m_plan.rows[size_t(i)]; }

    void report(int i, const RowOutcome &outcome)
    {
        if (!m_rowDone(i, outcome))
            m_stopped = true;
    }

    // Each row's new name is freed by the row before it. Once one fails,
    // the next one meets that file still in place: what stopped it is the
    // first failure, not the name being taken, so that is its reason.
    void runChain(const PlanGroup &group)
    {
        int blocked = 0;
        for (int i : group.rows) {
            if (m_stopped)
                return;
            QString where;
            int error = MoveFile(row(i).oldPath, row(i).newPath, &where);
            if (error == EEXIST && blocked != 0)
                error = blocked;
            blocked = error;
            report(i, {error == 0 ? RowOutcome::Renamed : RowOutcome::Failed, where, error});
        }
    }

    struct Step {
        QString from;
        QString to;
    };

    void runCycle(const PlanGroup &group)
    {
        const int first = group.rows.front();
        QString temp;
        int error = MoveToTemporaryName(row(first).oldPath, temp);
        if (error != 0) {
            // No file of the cycle can move before the first one does: they
            // all fail for its reason.
            for (int i : group.rows)
                report(i, {RowOutcome::Failed, row(i).oldPath, error});
            return;
        }
        std::vector<Step> done;
        int failedRow = -1;
        for (size_t k = 1; k < group.rows.size() && error == 0; ++k) {
            const int i = group.rows[k];
            error = MoveFile(row(i).oldPath, row(i).newPath);
            if (error == 0)
                done.push_back({row(i).oldPath, row(i).newPath});
            else
                failedRow = i;
        }
        if (error == 0) {
            error = MoveFile(temp, row(first).newPath);
            if (error == 0) {
                for (int i : group.rows)
                    report(i, {RowOutcome::Renamed, row(i).newPath, 0});
                return;
            }
            failedRow = first;
        }
        rollBackCycle(group, done, temp, failedRow, error);
    }

    // Puts the files of a failed cycle back, newest step first.
    void rollBackCycle(const PlanGroup &group, const std::vector<Step> &done, const QString &temp,
                       int failedRow, int error)
    {
        std::vector<QString> where(group.rows.size());
        for (size_t k = 0; k < group.rows.size(); ++k)
            where[k] = row(group.rows[k]).oldPath;
        for (size_t k = done.size(); k-- > 0;) {
            if (MoveFile(done[k].to, done[k].from) != 0)
                where[k + 1] = done[k].to;
        }
        if (MoveFile(temp, row(group.rows.front()).oldPath) != 0)
            where[0] = temp;
        for (size_t k = 0; k < group.rows.size(); ++k) {
            const int i = group.rows[k];
            report(i, {RowOutcome::Failed, where[k], i == failedRow ? error : ECANCELED});
        }
    }

    const RenamePlan &m_plan;
    const RowDone &m_rowDone;
    std::vector<int> m_groupOf;
    bool m_stopped = false;
};

} // namespace

bool RunPlan(const RenamePlan &plan, const RowDone &rowDone)
{
    return Runner(plan, rowDone).run();
}

} // namespace ardl
