#include "PathIndex.h"

#include <QHashFunctions>

#include <bit>

namespace ardl {

namespace {

std::uint32_t highHalf(size_t hash)
{
    return std::uint32_t(std::uint64_t(hash) >> 32);
}

} // namespace

PathIndex::PathIndex(size_t count)
{
    m_entries.reserve(count);
    makeRoomFor(count);
}

// At most half full, so that a search ends after a slot or two. True when
// the slots were made anew.
bool PathIndex::makeRoomFor(size_t count)
{
    const size_t size = std::bit_ceil(2 * count + 2);
    if (size <= m_slots.size())
        return false;
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    for (size_t e = 0; e < m_entries.size(); ++e) {
        const size_t hash = m_entries[e].hash;
        size_t i = hash & m_mask;
        while (m_slots[i].entry >= 0)
            i = (i + 1) & m_mask;
        m_slots[i] = {highHalf(hash), std::int32_t(e)};
    }
    return true;
}

size_t PathIndex::hashOf(QStringView path)
{
    return qHash(path);
}

// The slot holding `path`, or the empty slot where it belongs.
size_t PathIndex::slotOf(QStringView path, size_t hash) const
{
    const std::uint32_t high = highHalf(hash);
    for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
        const Slot &slot = m_slots[i];
        if (slot.entry < 0 || (slot.hash == high && m_entries[size_t(slot.entry)].path == path))
            return i;
    }
}

int PathIndex::insert(QStringView path, size_t hash, int number)
{
    size_t i = slotOf(path, hash);
    if (m_slots[i].entry >= 0)
        return m_entries[size_t(m_slots[i].entry)].number;
    if (makeRoomFor(m_entries.size() + 1))
        i = slotOf(path, hash);
    m_slots[i] = {highHalf(hash), std::int32_t(m_entries.size())};
    m_entries.push_back({path, hash, number});
    return -1;
}

int PathIndex::find(QStringView path, size_t hash) const
{
    const Slot &slot = m_slots[slotOf(path, hash)];
    return slot.entry < 0 ? -1 : m_entries[size_t(slot.entry)].number;
}

} // namespace ardl
