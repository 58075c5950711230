#include "colFile.h"

#include <QHash>

namespace ardl {

colFile::colFile()
    : m_index(0, KeyHash{&m_files}, KeyEqual{&m_files})
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
    return (*this)(keyOf((*files)[i]));
}

bool colFile::KeyEqual::operator()(const Key &k, size_t i) const
{
    const Key other = keyOf((*files)[i]);
    return k.size == other.size && k.secs == other.secs && k.name == other.name && k.raw == other.raw;
}

bool colFile::KeyEqual::operator()(size_t a, size_t b) const
{
    return (*this)(keyOf((*files)[a]), b);
}

bool colFile::append(clsFile file)
{
    indexPending();
    if (m_index.find(keyOf(file)) != m_index.end())
        return false;
    m_files.push_back(std::move(file));
    m_index.insert(m_files.size() - 1);
    m_indexed = m_files.size();
    return true;
}

void colFile::AppendDistinct(std::vector<clsFile> &&files)
{
    if (m_files.empty() && m_files.capacity() < files.size()) {
        m_files = std::move(files);
        return;
    }
    m_files.insert(m_files.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    files.clear();
}

bool colFile::Add(const QString &LFile, qint64 LSize, const QDateTime &LDate)
{
    return append(clsFile{LFile, LSize, LDate, 0, 0, {}});
}

bool colFile::AddZip(const QString &LFile, qint64 LSize, const QDateTime &LDate, qint32 LFactor,
                     qint64 LSizeComp)
{
    return append(clsFile{LFile, LSize, LDate, LSizeComp, LFactor, {}});
}

void colFile::Remove(qsizetype index)
{
    m_files.erase(m_files.begin() + (index - 1));
    m_index.clear();   // the indexes after it have moved
    m_indexed = 0;
    indexPending();
}

bool colFile::Contains(const QString &name, qint64 size, const QDateTime &date) const
{
    const QByteArray exact;
    const Key key{name, size, date.toSecsSinceEpoch(), exact};
    if (m_index.find(key) != m_index.end())
        return true;
    const KeyEqual equal{&m_files};
    for (size_t i = m_indexed; i < m_files.size(); ++i)
        if (equal(key, i))
            return true;
    return false;
}

void colFile::reserve(qsizetype n)
{
    m_files.reserve(size_t(n));
    m_index.reserve(size_t(n));
}

void colFile::indexPending()
{
    if (m_indexed == m_files.size())
        return;
    m_index.reserve(m_files.size());
    for (; m_indexed < m_files.size(); ++m_indexed)
        m_index.insert(m_indexed);
}

} // namespace ardl
