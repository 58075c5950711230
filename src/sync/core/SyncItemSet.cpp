#include "SyncItemSet.h"

#include "CompareTypes.h"

namespace ardl {

bool SyncItemSet::addLeft(const QString &file, qint64 size, const QDateTime &date,
                          DatePrecision precision, bool sizeLow32)
{
    const qsizetype before = m_index.size();
    size_t &slot = m_index[CompareKey(file)];   // one lookup: finds or makes the slot
    if (m_index.size() == before)
        return false;
    slot = m_items.size();
    clsList &item = m_items.emplace_back();
    item.L_File = file;
    item.L_Size = size;
    item.L_Date = date;
    item.L_DatePrecision = precision;
    item.L_SizeLow32 = sizeLow32;
    item.bVisible = true;
    item.bLeft = true;
    return true;
}

void SyncItemSet::addRight(const QString &file, qint64 size, const QDateTime &date)
{
    const qsizetype before = m_index.size();
    size_t &slot = m_index[CompareKey(file)];
    if (m_index.size() == before) {
        clsList &item = m_items[slot];
        item.bRight = true;
        item.R_File = file;
        item.R_Size = size;
        item.R_Date = date;
        return;
    }
    slot = m_items.size();
    clsList &item = m_items.emplace_back();
    item.L_File = file;
    item.R_File = file;
    item.R_Size = size;
    item.R_Date = date;
    item.bVisible = true;
    item.bRight = true;
}

bool SyncItemSet::setRight(const QString &file, qint64 size, const QDateTime &date)
{
    clsList *item = findMutable(file);
    if (!item)
        return false;
    item->bRight = true;
    item->R_File = file;
    item->R_Size = size;
    item->R_Date = date;
    return true;
}

bool SyncItemSet::setType(const QString &file, int value)
{
    clsList *item = findMutable(file);
    if (item)
        item->iType = value;
    return item != nullptr;
}

bool SyncItemSet::setOriginalType(const QString &file, int value)
{
    clsList *item = findMutable(file);
    if (item)
        item->iOrginalType = value;
    return item != nullptr;
}

std::optional<int> SyncItemSet::type(const QString &file) const
{
    const clsList *item = find(file);
    return item ? std::optional<int>(item->iType) : std::nullopt;
}

std::optional<int> SyncItemSet::originalType(const QString &file) const
{
    const clsList *item = find(file);
    return item ? std::optional<int>(item->iOrginalType) : std::nullopt;
}

int SyncItemSet::classOf(const clsList &item, bool ignoreDate)
{
    if (!item.bLeft)
        return CompareType::RightOnly;
    if (!item.bRight)
        return CompareType::LeftOnly;
    const bool same = item.L_File == item.R_File
                   && SameSize(item.L_Size, item.L_SizeLow32, item.R_Size)
                   && (ignoreDate || SameDate(item.L_Date, item.L_DatePrecision, item.R_Date));
    return same ? CompareType::Same : CompareType::Different;
}

void SyncItemSet::classify(bool ignoreDate)
{
    for (clsList &item : m_items) {
        const int code = classOf(item, ignoreDate);
        item.iType = code;
        item.iOrginalType = code;
    }
}

const clsList *SyncItemSet::find(const QString &file) const
{
    const auto it = m_index.constFind(CompareKey(file));
    return it == m_index.constEnd() ? nullptr : &m_items[*it];
}

clsList *SyncItemSet::findMutable(const QString &file)
{
    const auto it = m_index.constFind(CompareKey(file));
    return it == m_index.constEnd() ? nullptr : &m_items[*it];
}

void SyncItemSet::clear()
{
    m_items.clear();
    m_index.clear();
}

void SyncItemSet::reserve(qsizetype n)
{
    m_items.reserve(size_t(n));
    m_index.reserve(n);
}

} // namespace ardl
