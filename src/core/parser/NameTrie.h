#pragma once
// A set of names stored as a trie, for finding every name that begins (or ends) at one position of a
// text without comparing the text with each name in turn. Names are Windows-1252 bytes and compared
// exactly; the empty name is allowed and matches at every position.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tally {

class NameTrie {
public:
    // Forward tries report names that begin at a position; backward tries names that end there.
    enum class Direction { Forward, Backward };

    NameTrie() : NameTrie(Direction::Forward, {}) {}
    // Builds the trie of `names`. Each distinct text gets an id, counting from 0 in order of first
    // appearance in `names`.
    NameTrie(Direction direction, const std::vector<std::string_view>& names);

    // The id of a name, or -1 when it is not in the set.
    int idOf(std::string_view name) const;
    // Number of distinct names.
    int size() const { return static_cast<int>(m_names.size()); }
    const std::string& name(int id) const { return m_names[static_cast<std::size_t>(id)]; }

    // False when no name can begin with the byte c (in a backward trie: end with it), so a walk from
    // there finds nothing; the empty name can begin anywhere.
    bool mayBeginWith(char c) const {
        return m_emptyName >= 0 || m_rootChild[static_cast<unsigned char>(c)] >= 0;
    }

    // Calls visit(id, length) for every name that is text[start, start + length), shortest first.
    template <class Visit>
    void forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const;
    // Calls visit(id, length) for every name that is text[end - length, end), shortest first.
    template <class Visit>
    void forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const;

private:
    // The trie is kept as edges only: the edges leaving one node lie together, sorted by label, and
    // each edge carries the name ending at its target and the range of the target's own edges. A walk
    // thus reads one small contiguous range per character.
    struct Edge {
        std::uint32_t firstChild = 0;
        std::int32_t name = -1;
        std::uint16_t childCount = 0;
        unsigned char label = 0;
    };

    // The edge with `label` among edges [first, first + count), or -1.
    std::int32_t findEdge(std::uint32_t first, std::uint32_t count, unsigned char label) const;

    std::vector<Edge> m_edges;
    std::int32_t m_rootChild[256];
    std::int32_t m_emptyName = -1;
    std::vector<std::string> m_names;
    std::unordered_map<std::string, int> m_ids;
};

inline std::int32_t NameTrie::findEdge(std::uint32_t first, std::uint32_t count, unsigned char label) const {
    const Edge* e = m_edges.data() + first;
    // Most nodes below the first few levels have a single child (the rest of one name).
    if (count == 1) return e->label == label ? static_cast<std::int32_t>(first) : -1;
    if (count <= 8) {
        for (const Edge* end = e + count; e != end; ++e)
            if (e->label == label) return static_cast<std::int32_t>(e - m_edges.data());
        return -1;
    }
    std::uint32_t lo = 0, hi = count;
    while (lo < hi) {
        std::uint32_t mid = (lo + hi) / 2;
        if (e[mid].label < label)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < count && e[lo].label == label ? static_cast<std::int32_t>(first + lo) : -1;
}

template <class Visit>
void NameTrie::forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const {
    if (m_emptyName >= 0) visit(m_emptyName, std::size_t{0});
    if (start >= text.size()) return;
    std::int32_t edge = m_rootChild[static_cast<unsigned char>(text[start])];
    for (std::size_t i = start;;) {
        if (edge < 0) return;
        const Edge& e = m_edges[static_cast<std::size_t>(edge)];
        ++i;
        if (e.name >= 0) visit(e.name, i - start);
        if (i == text.size() || e.childCount == 0) return;
        edge = findEdge(e.firstChild, e.childCount, static_cast<unsigned char>(text[i]));
    }
}

template <class Visit>
void NameTrie::forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const {
    if (m_emptyName >= 0) visit(m_emptyName, std::size_t{0});
    if (end == 0) return;
    std::int32_t edge = m_rootChild[static_cast<unsigned char>(text[end - 1])];
    for (std::size_t i = end;;) {
        if (edge < 0) return;
        const Edge& e = m_edges[static_cast<std::size_t>(edge)];
        --i;
        if (e.name >= 0) visit(e.name, end - i);
        if (i == 0 || e.childCount == 0) return;
        edge = findEdge(e.firstChild, e.childCount, static_cast<unsigned char>(text[i - 1]));
    }
}

}  // namespace tally
