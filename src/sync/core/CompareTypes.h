#pragma once

// The class a compared file falls in and the action chosen for it share one
// set of codes; the action icon of a row names the pair.
namespace ardl {

namespace CompareType {
constexpr int LeftOnly = 0;     // as action: copy left to right
constexpr int Same = 1;         // as action: none
constexpr int Different = 2;    // as action: none chosen yet
constexpr int RightOnly = 3;    // as action: copy right to left
constexpr int Skip = 4;         // an action only
} // namespace CompareType

namespace SyncActionIcon {
constexpr int RightOnlyCopy = 1;    // right only, copy right to left
constexpr int Same = 2;             // same, nothing to do
constexpr int LeftOnlyCopy = 3;     // left only, copy left to right
constexpr int DifferentNone = 4;    // different, nothing chosen
constexpr int RightOnlySkip = 5;
constexpr int LeftOnlySkip = 6;
constexpr int DifferentToRight = 7; // different, copy left to right
constexpr int DifferentToLeft = 8;  // different, copy right to left
constexpr int DifferentSkip = 9;
constexpr int First = 1;
constexpr int Last = 9;
} // namespace SyncActionIcon

// The icon of a (class, action) pair; 0 for a pair that has none.
int ActionIcon(int compareClass, int action);
// The class and the action an icon stands for; -1 for a number that is no icon.
int IconClass(int icon);
int IconAction(int icon);
// Icons that start a copy, by direction.
bool CopiesLeftToRight(int icon);
bool CopiesRightToLeft(int icon);
// The icon a row takes when its action is cycled (a one-sided row toggles
// between copying and skipping; a different row goes none, left to right,
// right to left, skip); a same row keeps its icon.
int NextActionIcon(int icon);

} // namespace ardl
