#pragma once

#include "rename/core/RenamePlan.h"
#include "support/TestSupport.h"

#include <vector>

namespace ardl::test {

// A temporary folder to plan and carry out renames in.
class RenameCoreTest : public TempDirTest {
protected:
    // The row renaming `from` to `toName`, both in the temporary folder.
    PlanRow row(const QString &from, const QString &toName) const { return MakePlanRow(dir() + from, dir(), toName); }

    static std::vector<RowProblem> problems(const RenamePlan &plan)
    {
        std::vector<RowProblem> out;
        for (const PlanRow &r : plan.rows)
            out.push_back(r.problem);
        return out;
    }
};

} // namespace ardl::test
