#include "CompareTypes.h"

#include <array>
#include <cstddef>

namespace ardl {

namespace {

struct Pair {
    int compareClass;
    int action;
};

// Indexed by icon - 1.
constexpr std::array<Pair, 9> IconPairs = {{
    {CompareType::RightOnly, CompareType::RightOnly},
    {CompareType::Same, CompareType::Same},
    {CompareType::LeftOnly, CompareType::LeftOnly},
    {CompareType::Different, CompareType::Different},
    {CompareType::RightOnly, CompareType::Skip},
    {CompareType::LeftOnly, CompareType::Skip},
    {CompareType::Different, CompareType::LeftOnly},
    {CompareType::Different, CompareType::RightOnly},
    {CompareType::Different, CompareType::Skip},
}};

bool isIcon(int icon)
{
    return icon >= SyncActionIcon::First && icon <= SyncActionIcon::Last;
}

} // namespace

int ActionIcon(int compareClass, int action)
{
    for (std::size_t i = 0; i < IconPairs.size(); ++i)
        if (IconPairs[i].compareClass == compareClass && IconPairs[i].action == action)
            return int(i) + 1;
    return 0;
}

int IconClass(int icon)
{
    return isIcon(icon) ? IconPairs[std::size_t(icon - 1)].compareClass : -1;
}

int IconAction(int icon)
{
    return isIcon(icon) ? IconPairs[std::size_t(icon - 1)].action : -1;
}

bool CopiesLeftToRight(int icon)
{
    return icon == SyncActionIcon::LeftOnlyCopy || icon == SyncActionIcon::DifferentToRight;
}

bool CopiesRightToLeft(int icon)
{
    return icon == SyncActionIcon::RightOnlyCopy || icon == SyncActionIcon::DifferentToLeft;
}

int NextActionIcon(int icon)
{
    using namespace SyncActionIcon;
    switch (icon) {
    case RightOnlyCopy: return RightOnlySkip;
    case RightOnlySkip: return RightOnlyCopy;
    case LeftOnlyCopy: return LeftOnlySkip;
    case LeftOnlySkip: return LeftOnlyCopy;
    case DifferentNone: return DifferentToRight;
    case DifferentToRight: return DifferentToLeft;
    case DifferentToLeft: return DifferentSkip;
    case DifferentSkip: return DifferentNone;
    default: return icon;
    }
}

} // namespace ardl
