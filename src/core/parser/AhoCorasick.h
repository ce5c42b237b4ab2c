#pragma once
// A multi-pattern automaton (Aho-Corasick): one walk over a text reports the occurrences of all its
// patterns. Patterns are Windows-1252 bytes compared exactly; the empty pattern is kept out (it
// occurs everywhere, and callers treat it on their own).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tally {

class AhoCorasick {
public:
    // Builds the automaton of `patterns`. Each distinct non-empty text gets an id, counting from 0 in
    // order of first appearance; empty texts are skipped.
    explicit AhoCorasick(const std::vector<std::string_view>& patterns);

    int size() const { return static_cast<int>(m_patterns.size()); }
    const std::string& pattern(int id) const { return m_patterns[static_cast<std::size_t>(id)]; }
    // The id of a pattern, or -1.
    int idOf(std::string_view pattern) const;

    // Walks `text` and calls report(id, end) for the occurrences ending at each place `end`
    // (exclusive), longest pattern first. When report returns false, the shorter patterns ending at
    // the same place are not reported: they are the tails of the pattern just reported, so they also
    // ended wherever it ended before. A caller that wants first occurrences returns false for a
    // pattern it has already seen and so visits each pattern once per text.
    template <class Report>
    void scan(std::string_view text, Report&& report) const;

private:
    struct Node {
        std::uint32_t firstEdge = 0;
        std::uint32_t edgeCount = 0;
        std::int32_t pattern = -1;  // pattern ending here, or -1
        std::uint32_t fail = 0;     // longest proper suffix that is a trie node
        std::uint32_t output =
            0;  // nearest node on the fail chain (itself excluded) that ends a pattern; 0 none
    };
    struct Edge {
        unsigned char label;
        std::uint32_t target;
    };

    std::int32_t child(std::uint32_t node, unsigned char label) const;
    std::uint32_t next(std::uint32_t state, unsigned char label) const;

    std::vector<Node> m_nodes;  // in breadth-first order, the root first
    std::vector<Edge> m_edges;
    std::int32_t m_rootChild[256];
    std::vector<std::string> m_patterns;
    std::unordered_map<std::string, int> m_ids;
};

inline std::int32_t AhoCorasick::child(std::uint32_t node, unsigned char label) const {
    if (node == 0) return m_rootChild[label];
    const Node& n = m_nodes[node];
    const Edge* e = m_edges.data() + n.firstEdge;
    const Edge* end = e + n.edgeCount;
    for (; e != end; ++e)
        if (e->label == label) return static_cast<std::int32_t>(e->target);
    return -1;
}

inline std::uint32_t AhoCorasick::next(std::uint32_t state, unsigned char label) const {
    while (true) {
        std::int32_t to = child(state, label);
        if (to >= 0) return static_cast<std::uint32_t>(to);
        if (state == 0) return 0;
        state = m_nodes[state].fail;
    }
}

template <class Report>
void AhoCorasick::scan(std::string_view text, Report&& report) const {
    if (m_patterns.empty()) return;
    std::uint32_t state = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        state = next(state, static_cast<unsigned char>(text[i]));
        std::uint32_t node = m_nodes[state].pattern >= 0 ? state : m_nodes[state].output;
        while (node != 0) {
            if (!report(m_nodes[node].pattern, i + 1)) break;
            node = m_nodes[node].output;
        }
    }
}

}  // namespace tally
