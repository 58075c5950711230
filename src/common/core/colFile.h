#pragma once

#include "clsFile.h"

#include <QStringList>

#include <unordered_set>
#include <vector>

namespace ardl {

// An insertion-ordered collection of listed files, keyed by name, size and
// date together: the same file listed twice is kept once. Names compare with
// case ("A.txt" and "a.txt" are two files), and the three fields are compared
// apart, so "x1" of 23 bytes and "x12" of 3 bytes never collide.
class colFile {
public:
    colFile();
    colFile(const colFile &) = delete;
    colFile &operator=(const colFile &) = delete;

    // The folder the listing was taken from, when the filler keeps it.
    QString Root;

    // Appends a file; returns false (and adds nothing) when a file with the
    // same name, size and date is already there.
    bool Add(const QString &LFile, qint64 LSize, const QDateTime &LDate);
    // As Add, for an archive entry with its compression figures.
    bool AddZip(const QString &LFile, qint64 LSize, const QDateTime &LDate, qint32 LFactor,
                qint64 LSizeComp);

    // 1-based, like the lists the user sees.
    const clsFile &Item(qsizetype index) const { return m_files[size_t(index - 1)]; }
    qsizetype Count() const { return qsizetype(m_files.size()); }
    void Remove(qsizetype index);
    bool Contains(const QString &name, qint64 size, const QDateTime &date) const;
    void reserve(qsizetype n);
    // The names of the files, in order.
    QStringList Names() const;

    std::vector<clsFile>::const_iterator begin() const { return m_files.begin(); }
    std::vector<clsFile>::const_iterator end() const { return m_files.end(); }

private:
    // The key of a file not (yet) in the collection, for lookups.
    struct Key {
        const QString &name;
        qint64 size;
        qint64 secs;
    };
    // Hash and equality of indexes into m_files by the files' keys; they also
    // take a Key, so a file can be looked up without adding it.
    struct KeyHash {
        using is_transparent = void;
        const std::vector<clsFile> *files;
        size_t operator()(size_t i) const;
        size_t operator()(const Key &k) const;
    };
    struct KeyEqual {
        using is_transparent = void;
        const std::vector<clsFile> *files;
        bool operator()(size_t a, size_t b) const;
        bool operator()(const Key &k, size_t i) const;
        bool operator()(size_t i, const Key &k) const { return (*this)(k, i); }
    };
    static Key keyOf(const clsFile &f);
    bool append(clsFile file);
    void rebuildIndex();

    std::vector<clsFile> m_files;
    // Indexes into m_files, hashed and compared by the files' keys.
    std::unordered_set<size_t, KeyHash, KeyEqual> m_index;
};

} // namespace ardl
