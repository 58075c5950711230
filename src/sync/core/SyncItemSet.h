#pragma once

#include "clsList.h"

#include <QHash>

#include <optional>
#include <vector>

namespace ardl {

// The compare set: one record per relative path seen on either side, in the
// order the left listing gave them followed by the right-only files. Records
// are found by their relative path, with case ("A.txt" and "a.txt" are two
// files). Nothing here talks to the user.
class SyncItemSet {
public:
    // Creates a left record; false (and nothing added) when the name is
    // already there.
    bool addLeft(const QString &file, qint64 size, const QDateTime &date,
                 DatePrecision precision = DatePrecision::Second, bool sizeLow32 = false);
    // Creates a right-only record, or completes the record the name already has.
    void addRight(const QString &file, qint64 size, const QDateTime &date);
    // Sets the right side of an existing record; false when there is none.
    bool setRight(const QString &file, qint64 size, const QDateTime &date);

    bool setType(const QString &file, int value);
    bool setOriginalType(const QString &file, int value);
    std::optional<int> type(const QString &file) const;
    std::optional<int> originalType(const QString &file) const;

    // Gives every record its class, and the same code as its action.
    void classify(bool ignoreDate);

    const clsList *find(const QString &file) const;
    qsizetype Count() const { return qsizetype(m_items.size()); }
    // 1-based.
    const clsList &Item(qsizetype index) const { return m_items[size_t(index - 1)]; }
    void clear();
    void reserve(qsizetype n);

    std::vector<clsList>::const_iterator begin() const { return m_items.begin(); }
    std::vector<clsList>::const_iterator end() const { return m_items.end(); }

    // The key a name is filed under.
    static QString CompareKey(const QString &file) { return file; }

private:
    clsList *findMutable(const QString &file);
    // The class of one record.
    static int classOf(const clsList &item, bool ignoreDate);

    std::vector<clsList> m_items;
    QHash<QString, size_t> m_index;
};

} // namespace ardl
