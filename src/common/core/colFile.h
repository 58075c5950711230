#pragma once

#include "clsFile.h"

#include <QStringList>

#include <cstddef>
#include <iterator>
#include <unordered_set>
#include <vector>

namespace ardl {

// An insertion-ordered collection of listed files, keyed by name, size and
// date together: the same file listed twice is kept once. Names compare with
// case ("A.txt" and "a.txt" are two files), and the three fields are compared
// apart, so "x1" of 23 bytes and "x12" of 3 bytes never collide. Two local
// files whose names show alike only because they are not valid UTF-8 differ
// by their RawName and are both kept.
class colFile {
    using Block = std::vector<clsFile>;

public:
    colFile();
    colFile(const colFile &) = delete;
    colFile &operator=(const colFile &) = delete;

    // The folder the listing was taken from, when the filler keeps it.
    QString Root;

    // Appends a file; returns false (and adds nothing) when a file with the
    // same name, size and date is already there.
    bool Add(const QString &LFile, qint64 LSize, const QDateTime &LDate);
    bool Add(clsFile file) { return append(std::move(file)); }
    // As Add, for an archive entry with its compression figures, and with
    // the bytes of its name when LFile does not give them back.
    bool AddZip(const QString &LFile, qint64 LSize, const QDateTime &LDate, qint32 LFactor,
                qint64 LSizeComp, const QByteArray &rawName = {});
    // Appends files that differ from one another and from every file already
    // here, without looking each one up and without copying them: for a
    // filler that lists every file once, such as a folder scan into an empty
    // collection. They join the index when a later Add or Remove needs it.
    void AppendDistinct(std::vector<clsFile> &&files);

    // 1-based, like the lists the user sees.
    const clsFile &Item(qsizetype index) const { return at(size_t(index - 1)); }
    qsizetype Count() const { return qsizetype(m_count); }
    void Remove(qsizetype index);
    bool Contains(const QString &name, qint64 size, const QDateTime &date) const;
    void reserve(qsizetype n);
    // The names of the files, in order.
    QStringList Names() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = clsFile;
        using difference_type = std::ptrdiff_t;
        using pointer = const clsFile *;
        using reference = const clsFile &;

        const_iterator() = default;
        reference operator*() const { return (*m_blocks)[m_block][m_pos]; }
        pointer operator->() const { return &**this; }
        const_iterator &operator++()
        {
            if (++m_pos == (*m_blocks)[m_block].size()) {
                ++m_block;
                m_pos = 0;
            }
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator &other) const
        {
            return m_block == other.m_block && m_pos == other.m_pos;
        }

    private:
        friend class colFile;
        const_iterator(const std::vector<Block> *blocks, size_t block) : m_blocks(blocks), m_block(block) {}
        const std::vector<Block> *m_blocks = nullptr;
        size_t m_block = 0;
        size_t m_pos = 0;
    };
    const_iterator begin() const { return const_iterator(&m_blocks, 0); }
    const_iterator end() const { return const_iterator(&m_blocks, m_blocks.size()); }

private:
    // The key of a file not (yet) in the collection, for lookups.
    struct Key {
        const QString &name;
        qint64 size;
        qint64 secs;
        const QByteArray &raw;
    };
    // Hash and equality of positions in the collection by the files' keys;
    // they also take a Key, so a file can be looked up without adding it.
    struct KeyHash {
        using is_transparent = void;
        const colFile *files;
        size_t operator()(size_t i) const;
        size_t operator()(const Key &k) const;
    };
    struct KeyEqual {
        using is_transparent = void;
        const colFile *files;
        bool operator()(size_t a, size_t b) const;
        bool operator()(const Key &k, size_t i) const;
        bool operator()(size_t i, const Key &k) const { return (*this)(k, i); }
    };
    static Key keyOf(const clsFile &f);
    const clsFile &at(size_t i) const;
    bool append(clsFile file);
    void indexPending();

    // The files in order, block by block, none empty. A listing taken over
    // whole is a block of its own; files added one at a time go to the last
    // block while it is open to them.
    std::vector<Block> m_blocks;
    std::vector<size_t> m_blockStart;   // position of each block's first file
    size_t m_count = 0;
    bool m_lastBlockOpen = false;
    size_t m_reserved = 0;   // room asked for the files still to be added
    // Positions of files, hashed and compared by the files' keys; the files
    // from m_indexed on are not in it yet.
    std::unordered_set<size_t, KeyHash, KeyEqual> m_index;
    size_t m_indexed = 0;
};

} // namespace ardl
