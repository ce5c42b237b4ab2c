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

    // Calls visit(id, length) for every name that is text[start, start + length), shortest first.
    template <class Visit>
    void forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const;
    // Calls visit(id, length) for every name that is text[end - length, end), shortest first.
    template <class Visit>
    void forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const;

private:
    struct Node {
        std::uint32_t firstEdge = 0;
        std::uint32_t edgeCount = 0;
        std::int32_t name = -1;
    };
    struct Edge {
        unsigned char label;
        std::uint32_t target;
    };

    std::int32_t child(std::uint32_t node, unsigned char label) const;

    // The edges of each node lie together in m_edges, sorted by label; the root also has a table.
    std::vector<Node> m_nodes;
    std::vector<Edge> m_edges;
    std::int32_t m_rootChild[256];
    std::vector<std::string> m_names;
    std::unordered_map<std::string, int> m_ids;
};

inline std::int32_t NameTrie::child(std::uint32_t node, unsigned char label) const {
    if (node == 0) return m_rootChild[label];
    const Node& n = m_nodes[node];
    const Edge* e = m_edges.data() + n.firstEdge;
    const Edge* end = e + n.edgeCount;
    if (n.edgeCount <= 8) {
        for (; e != end; ++e)
            if (e->label == label) return static_cast<std::int32_t>(e->target);
        return -1;
    }
    while (e < end) {
        const Edge* mid = e + (end - e) / 2;
        if (mid->label < label)
            e = mid + 1;
        else
            end = mid;
    }
    return (e != m_edges.data() + n.firstEdge + n.edgeCount && e->label == label)
               ? static_cast<std::int32_t>(e->target)
               : -1;
}

template <class Visit>
void NameTrie::forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const {
    if (m_nodes[0].name >= 0) visit(m_nodes[0].name, std::size_t{0});
    std::uint32_t node = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        std::int32_t next = child(node, static_cast<unsigned char>(text[i]));
        if (next < 0) return;
        node = static_cast<std::uint32_t>(next);
        if (m_nodes[node].name >= 0) visit(m_nodes[node].name, i - start + 1);
    }
}

template <class Visit>
void NameTrie::forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const {
    if (m_nodes[0].name >= 0) visit(m_nodes[0].name, std::size_t{0});
    std::uint32_t node = 0;
    for (std::size_t i = end; i > 0; --i) {
        std::int32_t next = child(node, static_cast<unsigned char>(text[i - 1]));
        if (next < 0) return;
        node = static_cast<std::uint32_t>(next);
        if (m_nodes[node].name >= 0) visit(m_nodes[node].name, end - i + 1);
    }
}

}  // namespace tally
