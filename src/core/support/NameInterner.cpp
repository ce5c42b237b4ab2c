#include "core/support/NameInterner.h"

#include <cstring>

namespace tally {

NameInterner::NameInterner(std::size_t expected) {
    m_starts.reserve(expected + 1);
    m_hashes.reserve(expected);
    std::size_t slots = 16;
    while (slots < 2 * expected) slots *= 2;
    m_slots.assign(slots, 0);
}

std::uint64_t NameInterner::hashOf(std::string_view text) {
    // Eight bytes at a time, each step mixed by a multiplication; names are short, so this beats a
    // byte-wise hash while spreading well enough for a table kept at most half full.
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ text.size();
    const char* p = text.data();
    std::size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    // The last bytes as one word, read as two overlapping halves (or byte by byte when very short).
    std::uint64_t tail = 0;
    if (n >= 4) {
        std::uint32_t low, high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + n - 4, 4);
        tail = (static_cast<std::uint64_t>(high) << 32) | low;
    } else {
        for (std::size_t k = 0; k < n; ++k)
            tail |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[k])) << (8 * k);
    }
    h = (h ^ tail) * 0x94D049BB133111EBULL;
    return h ^ (h >> 29);
}

std::size_t NameInterner::slotOf(std::string_view text, std::uint64_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    const auto low = static_cast<std::uint32_t>(hash);
    for (std::size_t i = low & mask;; i = (i + 1) & mask) {
        const std::uint32_t entry = m_slots[i];
        if (entry == 0) return i;
        const int id = static_cast<int>(entry - 1);
        if (m_hashes[static_cast<std::size_t>(id)] == low && this->text(id) == text) return i;
    }
}

int NameInterner::find(std::string_view text) const {
    const std::uint32_t entry = m_slots[slotOf(text, hashOf(text))];
    return static_cast<int>(entry) - 1;
}

int NameInterner::intern(std::string_view text) {
    if (2 * (m_hashes.size() + 1) > m_slots.size()) grow();
    const std::uint64_t hash = hashOf(text);
    const std::size_t slot = slotOf(text, hash);
    if (m_slots[slot] != 0) return static_cast<int>(m_slots[slot]) - 1;
    const int id = size();
    m_hashes.push_back(static_cast<std::uint32_t>(hash));
    m_text.append(text);
    m_starts.push_back(static_cast<std::uint32_t>(m_text.size()));
    m_slots[slot] = static_cast<std::uint32_t>(id) + 1;
    return id;
}

void NameInterner::grow() {
    m_slots.assign(m_slots.size() * 2, 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t id = 0; id < m_hashes.size(); ++id) {
        std::size_t i = m_hashes[id] & mask;
        while (m_slots[i] != 0) i = (i + 1) & mask;
        m_slots[i] = static_cast<std::uint32_t>(id) + 1;
    }
}

}  // namespace tally
