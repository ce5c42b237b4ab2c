#pragma once
// A set of names stored as a trie, for finding every name that begins (or ends) at one position of a
// text without comparing the text with each name in turn. Names are Windows-1252 bytes and compared
// exactly; the empty name is allowed and matches at every position.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/support/ByteRange.h"
#include "core/support/NameInterner.h"

namespace tally {

class NameTrie {
public:
    // Forward tries report names that begin at a position; backward tries names that end there.
    enum class Direction { Forward, Backward };

    NameTrie() : NameTrie(Direction::Forward, std::vector<std::string_view>{}) {}
    // Builds the trie of `names`. Each distinct text gets an id, counting from 0 in order of first
    // appearance in `names`.
    NameTrie(Direction direction, const std::vector<std::string_view>& names);
    // The trie of the names of `sameNames`, with the same ids, read in `direction`: the names are
    // taken over as they are numbered there rather than numbered again.
    NameTrie(Direction direction, const NameTrie& sameNames);

    // The id of a name, or -1 when it is not in the set.
    int idOf(std::string_view name) const { return m_names.find(name); }
    // The id of each name given to the constructor, in the order given.
    const std::vector<int>& idsOfGivenNames() const { return m_givenIds; }
    // Number of distinct names.
    int size() const { return m_names.size(); }
    // The text of a name id.
    std::string_view name(int id) const { return m_names.text(id); }

    // False when no name can begin with the byte c (in a backward trie: end with it), so a walk from
    // there finds nothing; the empty name can begin anywhere.
    bool mayBeginWith(char c) const {
        return m_emptyName >= 0 || m_rootChild[static_cast<unsigned char>(c)] >= 0;
    }
    // The range of the bytes that names begin with (in a backward trie: end with); every byte with
    // the empty name, none without names.
    ByteRange firstBytes() const { return m_firstBytes; }

    // Calls visit(id, length) for every name that is text[start, start + length), shortest first.
    template <class Visit>
    void forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const;
    // Calls visit(id, length) for every name that is text[end - length, end), shortest first.
    template <class Visit>
    void forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const;

private:
    // The trie is kept as edges only, path-compressed: an edge stands for a whole stretch of
    // characters where no name ends and no other name branches off. The edges leaving one node lie
    // together, sorted by their first character, and each edge knows the range of its target's edges.
    // A walk thus reads one small contiguous range per branch and compares the stretches byte by byte.
    struct Edge {
        std::uint32_t firstChild = 0;
        std::uint32_t rest = 0;  // where the characters after the first lie in m_labels
        std::uint16_t childCount = 0;
        std::uint16_t length = 1;  // characters on the edge, the first included
        unsigned char first = 0;
        bool endsName = false;  // the name is in m_edgeNames, read only when one ends here
    };

    // The edge beginning with `c` among edges [first, first + count), or -1.
    std::int32_t findEdge(std::uint32_t first, std::uint32_t count, unsigned char c) const;

    // Builds the trie of the names numbered in m_names.
    void build(Direction direction);
    // Builds the tables of the nodes with more than eight children.
    void buildChildTables();

    std::vector<Edge> m_edges;
    // For a node with more than eight children that begin at edge f: m_childTables[m_childTableOf[f]]
    // is the span from its first child's first byte to its last child's, and the span's entries that
    // follow hold the edge beginning with each byte of it, or -1.
    std::vector<std::uint32_t> m_childTableOf;
    std::vector<std::int32_t> m_childTables;
    std::vector<std::int32_t> m_edgeNames;  // per edge: the id of the name ending there, or -1
    std::string m_labels;                   // the stretches of the edges, without their first characters
    std::int32_t m_rootChild[256];
    std::int32_t m_emptyName = -1;
    ByteRange m_firstBytes;
    NameInterner m_names;
    std::vector<int> m_givenIds;
};

inline std::int32_t NameTrie::findEdge(std::uint32_t first, std::uint32_t count, unsigned char c) const {
    const Edge* e = m_edges.data() + first;
    // Children whose first characters run without gaps (digits, often) are found by position.
    const unsigned guess = static_cast<unsigned>(c) - e->first;
    if (guess < count) {
        if (e[guess].first == c) return static_cast<std::int32_t>(first + guess);
    } else if (c < e->first) {
        return -1;
    }
    if (count <= 8) {
        for (const Edge* end = e + count; e != end; ++e)
            if (e->first == c) return static_cast<std::int32_t>(e - m_edges.data());
        return -1;
    }
    // Many children ("m_" before every module variable's own name) are looked up in their table.
    const std::int32_t* table = m_childTables.data() + m_childTableOf[first];
    return guess < static_cast<unsigned>(table[0]) ? table[1 + guess] : -1;
}

template <class Visit>
void NameTrie::forEachStartingAt(std::string_view text, std::size_t start, Visit&& visit) const {
    if (m_emptyName >= 0) visit(m_emptyName, std::size_t{0});
    const std::size_t n = text.size();
    if (start >= n) return;
    std::int32_t edge = m_rootChild[static_cast<unsigned char>(text[start])];
    std::size_t i = start;  // the place of the edge's first character
    while (edge >= 0) {
        const Edge& e = m_edges[static_cast<std::size_t>(edge)];
        if (e.length > 1) {
            if (n - i < e.length) return;
            const char* label = m_labels.data() + e.rest;
            for (std::size_t k = 1; k < e.length; ++k)
                if (text[i + k] != label[k - 1]) return;
        }
        i += e.length;
        if (e.endsName) visit(m_edgeNames[static_cast<std::size_t>(edge)], i - start);
        if (i == n || e.childCount == 0) return;
        edge = findEdge(e.firstChild, e.childCount, static_cast<unsigned char>(text[i]));
    }
}

template <class Visit>
void NameTrie::forEachEndingAt(std::string_view text, std::size_t end, Visit&& visit) const {
    if (m_emptyName >= 0) visit(m_emptyName, std::size_t{0});
    if (end == 0) return;
    std::int32_t edge = m_rootChild[static_cast<unsigned char>(text[end - 1])];
    std::size_t i = end;  // one past the place of the edge's first character (read leftwards)
    while (edge >= 0) {
        const Edge& e = m_edges[static_cast<std::size_t>(edge)];
        if (e.length > 1) {
            if (i < e.length) return;
            const char* label = m_labels.data() + e.rest;
            for (std::size_t k = 1; k < e.length; ++k)
                if (text[i - 1 - k] != label[k - 1]) return;
        }
        i -= e.length;
        if (e.endsName) visit(m_edgeNames[static_cast<std::size_t>(edge)], end - i);
        if (i == 0 || e.childCount == 0) return;
        edge = findEdge(e.firstChild, e.childCount, static_cast<unsigned char>(text[i - 1]));
    }
}

}  // namespace tally
