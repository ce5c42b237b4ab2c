#pragma once
// The first position of each routine key (a place, a name id and a kind, all small integers) in one
// flat open-addressing table: the usage pass looks up a key for every variable row, and a node-based
// map costs a cache miss or two per lookup where this costs about one.

#include <cstdint>
#include <vector>

namespace tally {

// A routine's name and kind within a slot, or within a file of the project-wide slot; the place and
// the name are ids.
struct RoutineKey {
    std::uint32_t place;
    std::uint32_t name;
    int kind;

    bool operator==(const RoutineKey&) const = default;
};

class RoutineKeyTable {
public:
    // Room for `expected` keys without growing.
    explicit RoutineKeyTable(std::size_t expected = 0) { resize(expected); }

    // Stores the position for the key unless the key has one already; whether it stored it.
    bool addFirst(const RoutineKey& key, std::uint32_t position) {
        if (2 * (m_count + 1) > m_slots.size()) resize(2 * m_count + 2);
        Slot& slot = m_slots[slotOf(key)];
        if (slot.used) return false;
        slot = {key, position, true};
        ++m_count;
        return true;
    }
    // The position stored for the key, or nullptr.
    const std::uint32_t* find(const RoutineKey& key) const {
        const Slot& slot = m_slots[slotOf(key)];
        return slot.used ? &slot.position : nullptr;
    }

private:
    struct Slot {
        RoutineKey key{};
        std::uint32_t position = 0;
        bool used = false;
    };

    // The slot holding the key, or the empty one where it would go (linear probing).
    std::size_t slotOf(const RoutineKey& key) const {
        std::uint64_t h = ((static_cast<std::uint64_t>(key.place) << 32) | key.name) * 0x9E3779B97F4A7C15ULL;
        h ^= static_cast<std::uint32_t>(key.kind) * 0xC2B2AE3D27D4EB4FULL;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = (h ^ (h >> 29)) & mask;; i = (i + 1) & mask)
            if (!m_slots[i].used || m_slots[i].key == key) return i;
    }
    void resize(std::size_t expected) {
        std::size_t size = 16;
        while (size < 2 * expected) size *= 2;
        if (size <= m_slots.size()) return;
        std::vector<Slot> old(size);
        old.swap(m_slots);
        for (const Slot& slot : old)
            if (slot.used) m_slots[slotOf(slot.key)] = slot;
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

}  // namespace tally
