#include "colFile.h"

#include <QHash>

#include <algorithm>

namespace ardl {

colFile::colFile()
    : m_index(0, KeyHash{this}, KeyEqual{this})
{
}

colFile::Key colFile::keyOf(const clsFile &f)
{
    return Key{f.Name, f.Size, f.Date.toSecsSinceEpoch(), f.RawName};
}

size_t colFile::KeyHash::operator()(const Key &k) const
{
    return qHashMulti(0, k.name, k.size, k.secs, k.raw);
}

size_t colFile::KeyHash::operator()(size_t i) const
{
    return (*this)(keyOf(files->at(i)));
}

bool colFile::KeyEqual::operator()(const Key &k, size_t i) const
{
    const Key other = keyOf(files->at(i));
    return k.size == other.size && k.secs == other.secs && k.name == other.name && k.raw == other.raw;
}

bool colFile::KeyEqual::operator()(size_t a, size_t b) const
{
    return (*this)(keyOf(files->at(a)), b);
}

const clsFile &colFile::at(size_t i) const
{
    const auto after = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), i);
    const size_t block = size_t(after - m_blockStart.begin()) - 1;
    return m_blocks[block][i - m_blockStart[block]];
}

bool colFile::append(clsFile file)
{
    indexPending();
    if (m_index.find(keyOf(file)) != m_index.end())
        return false;
    if (!m_lastBlockOpen) {
        m_blocks.emplace_back().reserve(std::max<size_t>(m_reserved, 1));
        m_blockStart.push_back(m_count);
        m_lastBlockOpen = true;
    }
    m_blocks.back().push_back(std::move(file));
    m_reserved = m_reserved > 0 ? m_reserved - 1 : 0;
    m_index.insert(m_count++);
    m_indexed = m_count;
    return true;
}

bool colFile::Add(const QString &LFile, qint64 LSize, const QDateTime &LDate)
{
    return append(clsFile{LFile, LSize, LDate, 0, 0, {}});
}

bool colFile::AddZip(const QString &LFile, qint64 LSize, const QDateTime &LDate, qint32 LFactor,
                     qint64 LSizeComp, const QByteArray &rawName)
{
    return append(clsFile{LFile, LSize, LDate, LSizeComp, LFactor, rawName});
}

void colFile::AppendDistinct(std::vector<clsFile> &&files)
{
    if (files.empty())
        return;
    m_blockStart.push_back(m_count);
    m_count += files.size();
    m_blocks.push_back(std::move(files));
    m_lastBlockOpen = false;
}

void colFile::Remove(qsizetype index)
{
    const size_t i = size_t(index - 1);
    const auto after = std::upper_bound(m_blockStart.begin(), m_blockStart.end(), i);
    const size_t block = size_t(after - m_blockStart.begin()) - 1;
    Block &files = m_blocks[block];
    files.erase(files.begin() + ptrdiff_t(i - m_blockStart[block]));
    if (files.empty()) {
        m_blocks.erase(m_blocks.begin() + ptrdiff_t(block));
        m_blockStart.erase(m_blockStart.begin() + ptrdiff_t(block));
        if (block == m_blocks.size())
            m_lastBlockOpen = false;
    }
    for (size_t b = block; b < m_blockStart.size(); ++b)
        if (m_blockStart[b] > i)
            --m_blockStart[b];
    --m_count;
    m_index.clear();   // the positions after it have moved
    m_indexed = 0;
    indexPending();
}

bool colFile::Contains(const QString &name, qint64 size, const QDateTime &date) const
{
    const QByteArray exact;
    const Key key{name, size, date.toSecsSinceEpoch(), exact};
    if (m_index.find(key) != m_index.end())
        return true;
    const KeyEqual equal{this};
    for (size_t i = m_indexed; i < m_count; ++i)
        if (equal(key, i))
            return true;
    return false;
}

void colFile::reserve(qsizetype n)
{
    const size_t more = n > Count() ? size_t(n - Count()) : 0;
    if (m_lastBlockOpen)
        m_blocks.back().reserve(m_blocks.back().size() + more);
    else
        m_reserved = more;
    m_index.reserve(size_t(n));
}

QStringList colFile::Names() const
{
    QStringList names;
    names.reserve(Count());
    for (const clsFile &file : *this)
        names << file.Name;
    return names;
}

void colFile::indexPending()
{
    if (m_indexed == m_count)
        return;
    m_index.reserve(m_count);
    for (; m_indexed < m_count; ++m_indexed)
        m_index.insert(m_indexed);
}

} // namespace ardl
