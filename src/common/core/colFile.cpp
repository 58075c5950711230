#include "colFile.h"

#include <QHash>

namespace ardl {

colFile::colFile()
    : m_index(0, KeyHash{&m_files}, KeyEqual{&m_files})
{
}

colFile::Key colFile::keyOf(const clsFile &f)
{
    return Key{f.Name, f.Size, f.Date.toSecsSinceEpoch()};
}

size_t colFile::KeyHash::operator()(const Key &k) const
{
    return qHashMulti(0, k.name, k.size, k.secs);
}

size_t colFile::KeyHash::operator()(size_t i) const
{
    return (*this)(keyOf((*files)[i]));
}

bool colFile::KeyEqual::operator()(const Key &k, size_t i) const
{
    const Key other = keyOf((*files)[i]);
    return k.size == other.size && k.secs == other.secs && k.name == other.name;
}

bool colFile::KeyEqual::operator()(size_t a, size_t b) const
{
    return (*this)(keyOf((*files)[a]), b);
}

bool colFile::append(clsFile file)
{
    if (m_index.find(keyOf(file)) != m_index.end())
        return false;
    m_files.push_back(std::move(file));
    m_index.insert(m_files.size() - 1);
    return true;
}

bool colFile::Add(const QString &LFile, qint64 LSize, const QDateTime &LDate)
{
    return append(clsFile{LFile, LSize, LDate, 0, 0});
}

bool colFile::AddZip(const QString &LFile, qint64 LSize, const QDateTime &LDate, qint32 LFactor,
                     qint64 LSizeComp)
{
    return append(clsFile{LFile, LSize, LDate, LSizeComp, LFactor});
}

void colFile::Remove(qsizetype index)
{
    m_files.erase(m_files.begin() + (index - 1));
    rebuildIndex();
}

bool colFile::Contains(const QString &name, qint64 size, const QDateTime &date) const
{
    return m_index.find(Key{name, size, date.toSecsSinceEpoch()}) != m_index.end();
}

void colFile::reserve(qsizetype n)
{
    m_files.reserve(size_t(n));
    m_index.reserve(size_t(n));
}

QStringList colFile::Names() const
{
    QStringList names;
    names.reserve(Count());
    for (const clsFile &file : m_files)
        names << file.Name;
    return names;
}

void colFile::rebuildIndex()
{
    m_index.clear();
    for (size_t i = 0; i < m_files.size(); ++i)
        m_index.insert(i);
}

} // namespace ardl
