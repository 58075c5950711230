#include "RecentList.h"

#include "common/core/modGlobal.h"
#include "modRegistry.h"

namespace ardl {

namespace {

QString entryKey(const QString &fullListKey, int i)
{
    return fullListKey + QLatin1String("\\Recent") + QString::number(i);
}

QString readEntry(const QString &fullListKey, int i)
{
    return QueryValue(entryKey(fullListKey, i), QString()).toString();
}

void writeEntry(const QString &fullListKey, int i, const QString &entry)
{
    CreateNewKey(entryKey(fullListKey, i));
    SetKeyValue(entryKey(fullListKey, i), QString(), entry, REG_SZ);
}

// Shifts entries 1..last-1 down by one (entry last is overwritten), so that
// entry 1 is free for the newest.
void shiftDown(const QString &fullListKey, int last)
{
    for (int i = last; i >= 2; --i)
        writeEntry(fullListKey, i, readEntry(fullListKey, i - 1));
}

void storeAsNewest(const QString &fullListKey, const QString &entry)
{
    shiftDown(fullListKey, RecentCount(fullListKey));
    writeEntry(fullListKey, 1, entry);
}

} // namespace

int RecentCount(const QString &fullListKey)
{
    bool ok = false;
    const int n = QueryValue(fullListKey, QString()).toInt(&ok);
    if (!ok || n <= 0)
        return 0;
    return qMin(n, MaxRecentCount);
}

QStringList RecentListEntries(const QString &listKey, int defaultCount)
{
    const QString fullKey = ProgramKey + listKey;
    const int n = RecentCount(fullKey);
    if (n == 0) {
        CreateNewKey(fullKey);
        SetKeyValue(fullKey, QString(), defaultCount, REG_DWORD);
        return {};
    }
    QStringList entries;
    for (int i = 1; i <= n; ++i) {
        const QString entry = readEntry(fullKey, i);
        if (!entry.isEmpty())
            entries << entry;
    }
    return entries;
}

QString BuildRecentEntry(const QString &text, const RecentParts &parts)
{
    QString entry;
    if (parts.part2)
        entry = *parts.part2 + u'|';
    entry += text;
    if (parts.part1)
        entry += u'|' + *parts.part1;
    if (parts.part3)
        entry += u'|' + *parts.part3;
    return entry;
}

QString BuildCompanionItem(const QString &text, const RecentParts &parts)
{
    QString item = text;
    for (const std::optional<QString> *part : {&parts.part2, &parts.part1, &parts.part3}) {
        if (*part)
            item += u'|' + **part;
    }
    return item;
}

void SaveDirectory(const QString &text, QStringList &comboItems, const QString &fullListKey,
                   const RecentParts &parts, QStringList *companion)
{
    const QString entry = BuildRecentEntry(text, parts);
    if (!comboItems.contains(text)) {
        comboItems.prepend(text);
        if (companion)
            companion->prepend(BuildCompanionItem(text, parts));
        storeAsNewest(fullListKey, entry);
        return;
    }
    if (!companion)
        return;
    const int n = RecentCount(fullListKey);
    for (int i = 1; i <= n; ++i) {
        if (sListPos(readEntry(fullListKey, i), QStringLiteral("|"), 2) == text) {
            shiftDown(fullListKey, i);
            writeEntry(fullListKey, 1, entry);
            return;
        }
    }
    storeAsNewest(fullListKey, entry);
}

} // namespace ardl
