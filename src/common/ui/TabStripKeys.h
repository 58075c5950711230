#pragma once

#include <QString>

class QTabBar;

// Tab strips whose tabs carry fixed keys ("FILE", "MASS"), set at design,
// by which the pages tell the tabs apart whatever their captions.
namespace ardl {

// Adds a tab with an empty caption and the key `key`.
void AddKeyedTab(QTabBar *tabs, const char *key);
// Makes the tab with the key `key` current; no such tab changes nothing.
void SelectTabByKey(QTabBar *tabs, const char *key);
// The key of the current tab ("" when there is none).
QString SelectedTabKey(const QTabBar *tabs);

} // namespace ardl
