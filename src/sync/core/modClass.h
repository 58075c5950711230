#pragma once

#include "CompareTypes.h"
#include "SyncItemSet.h"

// The program-wide compare set and the procedures every part of the Sync
// tool uses on it. A procedure given a name that has no record (or, for
// AddItemL, a name already there) tells the user in an error box naming
// itself and goes on; code that must not show anything uses SyncItemSet.
namespace ardl {

SyncItemSet &SyncItems();

void AddItemL(const QString &file, qint64 size, const QDateTime &fileDate);
// A name already present completes that record instead.
void AddItemR(const QString &file, qint64 size, const QDateTime &fileDate);
void SetItemR(const QString &file, qint64 size, const QDateTime &fileDate);
void SetType(const QString &file, int value);
void SetOriginalType(const QString &file, int value);
// 0 after the error box when the name has no record.
int GetType(const QString &file);
int GetOriginalType(const QString &file);
void ClassifyItems(bool bIgnoreDate);

} // namespace ardl
