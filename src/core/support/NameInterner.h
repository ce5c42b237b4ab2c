#pragma once
// Numbers distinct texts: each text gets an id, counting from 0 in order of first appearance, so
// that the passes can compare and look up names as small integers instead of hashing strings again
// and again. The texts are copied into one buffer; lookups take views and build no strings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

class NameInterner {
public:
    // An empty set, with room for about `expected` texts before it grows.
    explicit NameInterner(std::size_t expected = 0);

    // The id of `text`, which is added when new.
    int intern(std::string_view text);
    // The id of `text`, or -1 when it was never added.
    int find(std::string_view text) const;

    // Number of distinct texts.
    int size() const { return static_cast<int>(m_starts.size()) - 1; }
    // The text of an id.
    std::string_view text(int id) const {
        const std::uint32_t start = m_starts[static_cast<std::size_t>(id)];
        return std::string_view(m_text).substr(start, m_starts[static_cast<std::size_t>(id) + 1] - start);
    }

private:
    static std::uint64_t hashOf(std::string_view text);
    // The slot holding `text`, or the empty slot where it would go.
    std::size_t slotOf(std::string_view text, std::uint64_t hash) const;
    void grow();

    std::string m_text;                      // the texts one after another, in id order
    std::vector<std::uint32_t> m_starts{0};  // where each text begins, and the end of the last
    std::vector<std::uint32_t> m_hashes;     // per id, the low bits of its hash
    // Open addressing with linear probing: id + 1 per slot, 0 for an empty slot.
    std::vector<std::uint32_t> m_slots;
};

}  // namespace tally
