#include "core/parser/NameTrie.h"

#include <algorithm>
#include <deque>

namespace tally {

namespace {
// A name as stored: forward tries read it left to right, backward tries right to left.
struct Entry {
    std::string key;
    int id;
};

unsigned char at(const Entry& e, std::size_t depth) {
    return static_cast<unsigned char>(e.key[depth]);
}
}  // namespace

NameTrie::NameTrie(Direction direction, const std::vector<std::string_view>& names) {
    std::vector<Entry> entries;
    for (std::string_view name : names) {
        auto [it, added] = m_ids.try_emplace(std::string(name), static_cast<int>(m_names.size()));
        if (!added) continue;
        m_names.emplace_back(name);
        std::string key(name);
        if (direction == Direction::Backward) std::reverse(key.begin(), key.end());
        entries.push_back({std::move(key), it->second});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::string_view(a.key) < std::string_view(b.key);
    });

    // Breadth first over ranges of the sorted keys that share a prefix: every node gets all its
    // edges at once, so they lie together and stay sorted.
    struct Pending {
        std::uint32_t node;
        std::size_t lo, hi, depth;
    };
    m_nodes.emplace_back();
    std::deque<Pending> queue{{0, 0, entries.size(), 0}};
    while (!queue.empty()) {
        Pending p = queue.front();
        queue.pop_front();
        std::size_t i = p.lo;
        // Keys that end at this depth sort first (they are prefixes of the others).
        while (i < p.hi && entries[i].key.size() == p.depth) m_nodes[p.node].name = entries[i++].id;
        m_nodes[p.node].firstEdge = static_cast<std::uint32_t>(m_edges.size());
        while (i < p.hi) {
            unsigned char label = at(entries[i], p.depth);
            std::size_t j = i;
            while (j < p.hi && at(entries[j], p.depth) == label) ++j;
            auto target = static_cast<std::uint32_t>(m_nodes.size());
            m_nodes.emplace_back();
            m_edges.push_back({label, target});
            queue.push_back({target, i, j, p.depth + 1});
            i = j;
        }
        m_nodes[p.node].edgeCount = static_cast<std::uint32_t>(m_edges.size()) - m_nodes[p.node].firstEdge;
    }

    std::fill(std::begin(m_rootChild), std::end(m_rootChild), -1);
    const Node& root = m_nodes[0];
    for (std::uint32_t e = root.firstEdge; e < root.firstEdge + root.edgeCount; ++e)
        m_rootChild[m_edges[e].label] = static_cast<std::int32_t>(m_edges[e].target);
}

int NameTrie::idOf(std::string_view name) const {
    auto it = m_ids.find(std::string(name));
    return it == m_ids.end() ? -1 : it->second;
}

}  // namespace tally
