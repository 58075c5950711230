#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Recent-entry lists in the settings store. A list key holds, as its default
// value, the most entries N it keeps; its sub-keys "\Recent1" (newest) to
// "\RecentN" hold one entry each in their default values. An entry may carry
// extra fields joined by "|".
namespace ardl {

// Counts above this are read as this: a damaged count never makes a long loop.
constexpr int MaxRecentCount = 100;

struct RecentParts {
    std::optional<QString> part1;
    std::optional<QString> part2;
    std::optional<QString> part3;
};

// The stored entries of ProgramKey + listKey, newest first, empty ones left
// out. When the list has no usable count, the key is created with
// `defaultCount` and nothing is returned.
QStringList RecentListEntries(const QString &listKey, int defaultCount);

// The stored count of a list (full key path), 0 when missing or unusable,
// at most MaxRecentCount.
int RecentCount(const QString &fullListKey);

// [part2 "|"] text ["|" part1] ["|" part3]: field 2 is the text when part2 is given.
QString BuildRecentEntry(const QString &text, const RecentParts &parts);
// text ["|" part2] ["|" part1] ["|" part3]: field 1 is always the text.
QString BuildCompanionItem(const QString &text, const RecentParts &parts);

// Records `text`, just confirmed in a drop-down list whose items are
// `comboItems`, in the list at the full key path `fullListKey`.
// - New to the items: it goes on top of the items (and its companion item on
//   top of `companion`), older stored entries move down one and the oldest
//   falls out.
// - Already among the items, no companion: nothing changes.
// - Already among the items, with a companion: its stored entry (found by
//   field 2) is rebuilt from the parts and moved to the top; when no stored
//   entry has it any more, it is stored as a new entry.
void SaveDirectory(const QString &text, QStringList &comboItems, const QString &fullListKey,
                   const RecentParts &parts = {}, QStringList *companion = nullptr);

} // namespace ardl
