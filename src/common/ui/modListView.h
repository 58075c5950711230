#pragma once

#include "platform/settings/RecentList.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QWidget;

// Settings of the windows and their controls: column widths, window
// placement, check options and the recent lists behind drop-down lists.
// Sizes and positions are stored as twips in text values under "Option".
namespace ardl {

class ListView;

void SaveColumnWidth(ListView *listView, int column, const QString &valueName);   // column is 1-based
void LoadColumnWidth(ListView *listView, int column, const QString &valueName);

// Placement is that of the normal window: a maximised or minimised window
// stores the place and size it returns to. The position is the window's
// outer corner, title bar and frame included; the size is its inside.
void SaveFormSize(QWidget *form, const QString &widthName, const QString &heightName);
void LoadFormSize(QWidget *form, const QString &widthName, const QString &heightName);
void SaveFormPosition(QWidget *form, const QString &leftName, const QString &topName);
void LoadFormPosition(QWidget *form, const QString &leftName, const QString &topName);
// Places the window, frame included, in the middle of the primary screen.
void CentreOnScreen(QWidget *form);
// Moves the window (and shrinks it if need be) so that it lies on a screen
// with its title bar in view.
void KeepOnVisibleScreen(QWidget *form);

// "True"/"False" under "Option\AddZip", or under ProgramKey + `subKey`.
// Loading a missing value creates the key and leaves the box as it is.
void SaveCheckOption(QCheckBox *checkBox, const QString &valueName);
int LoadCheckOption(QCheckBox *checkBox, const QString &valueName);
void SaveCheckOption(QCheckBox *checkBox, const QString &valueName, const QString &subKey);
int LoadCheckOption(QCheckBox *checkBox, const QString &valueName, const QString &subKey);

// Sorts a report list by the clicked `column` (1-based) when its header is
// clicked: as numbers for the column type "NUMBER", as dates for "DATE",
// else as text (see SortListRows for the direction rules; `lastSortColumn`
// is the list's own variable and ends holding `column`). Then gives columns
// 0 to lastColumnIndex the alignments of `alignment` ("L|R|C", one letter a
// column; another letter keeps the alignment of the column before) and puts
// the direction marker on the sorted column's header.
void SortListView(ListView *listView, int &lastSortColumn, int column, int lastColumnIndex,
                  const QString &columnType, const QString &alignment);
// Sets a header's alignment (0 left, 1 right, 2 centre) and, with `show`,
// the direction marker (imageIndex 0 ascending, 1 descending) on it.
void ShowHeaderIcon(ListView *listView, int columnIndex, int imageIndex, int alignment, bool show);

// Adds the stored entries of ProgramKey + listKey to the drop-down list,
// newest first (see RecentListEntries).
void LoadRecentList(QComboBox *list, const QString &listKey, int defaultCount);
// Records the combo box's text in the recent list at `fullListKey` and puts
// a new text on top of the drop-down list (see the core SaveDirectory).
void SaveDirectory(QComboBox *comboBox, const QString &fullListKey, const RecentParts &parts = {},
                   QStringList *companion = nullptr);

} // namespace ardl
