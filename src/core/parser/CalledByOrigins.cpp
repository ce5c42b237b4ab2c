#include "core/parser/CalledByOrigins.h"

#include <bit>

namespace tally {

std::size_t CalledByOrigins::slotOf(const void* identity) const {
    // Buffers are at least 16 bytes apart; the multiplication spreads the rest over the high bits.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(identity) >> 4);
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32) & (m_slots.size() - 1);
}

void CalledByOrigins::finish(std::string texts, std::vector<std::size_t> starts) {
    m_texts = std::move(texts);
    m_starts = std::move(starts);
    m_slots.assign(std::bit_ceil(2 * m_lists.size() + 2), Slot{});
    for (std::size_t list = 0; list < m_lists.size(); ++list) {
        const void* identity = m_lists[list].identity();
        std::size_t slot = slotOf(identity);
        while (m_slots[slot].identity != nullptr) slot = (slot + 1) & (m_slots.size() - 1);
        m_slots[slot] = {identity, static_cast<std::uint32_t>(list)};
    }
}

std::uint32_t CalledByOrigins::numberOf(const SharedText& list) const {
    if (m_slots.empty() || list.empty()) return kNotNoted;
    for (std::size_t slot = slotOf(list.identity());; slot = (slot + 1) & (m_slots.size() - 1)) {
        const Slot& held = m_slots[slot];
        if (held.identity == nullptr) return kNotNoted;
        if (held.identity == list.identity()) return held.list;
    }
}

}  // namespace tally
