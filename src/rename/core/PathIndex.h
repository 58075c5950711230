#pragma once

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ardl {

// Numbers (rows of a plan, places in a listing) filed by path or name. Made
// for the count of paths expected, it grows when more come. Each path's hash
// is worked out once by the caller and used for every question about it; the
// paths are not copied, so they must outlive the index.
class PathIndex {
public:
    explicit PathIndex(size_t count = 0);

    static size_t hashOf(QStringView path);

    // Files `number` under `path`, unless a number is there already: that
    // one is returned and nothing changes. -1 when `number` was filed.
    int insert(QStringView path, size_t hash, int number);
    // The number filed under `path`, or -1.
    int find(QStringView path, size_t hash) const;

private:
    struct Entry {
        QStringView path;
        size_t hash;
        int number;
    };
    // Kept small, so that the table stays in the cache: the hash's high half
    // tells most other paths apart without reading them.
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t entry = -1;
    };
    size_t slotOf(QStringView path, size_t hash) const;
    bool makeRoomFor(size_t count);

    std::vector<Entry> m_entries;
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};

} // namespace ardl
