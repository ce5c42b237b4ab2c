#include "core/parser/NameTrie.h"

#include <algorithm>

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

    // Depth first over ranges of the sorted keys that share a prefix. The edges leaving one node are
    // made together, so they lie together and stay sorted; and a node's first child is laid out next,
    // so the chain of a long name lies in one stretch of memory. Edge -1 stands for the root.
    struct Pending {
        std::int32_t edge;
        std::size_t lo, hi, depth;
    };
    std::fill(std::begin(m_rootChild), std::end(m_rootChild), -1);
    std::vector<Pending> stack{{-1, 0, entries.size(), 0}};
    std::vector<Pending> children;
    while (!stack.empty()) {
        Pending p = stack.back();
        stack.pop_back();
        std::size_t i = p.lo;
        // A key that ends at this depth sorts first (it is a prefix of the others).
        if (i < p.hi && entries[i].key.size() == p.depth) {
            if (p.edge < 0)
                m_emptyName = entries[i].id;
            else
                m_edges[static_cast<std::size_t>(p.edge)].name = entries[i].id;
            ++i;
        }
        const auto first = static_cast<std::uint32_t>(m_edges.size());
        children.clear();
        while (i < p.hi) {
            unsigned char label = at(entries[i], p.depth);
            std::size_t j = i;
            while (j < p.hi && at(entries[j], p.depth) == label) ++j;
            Edge edge;
            edge.label = label;
            children.push_back({static_cast<std::int32_t>(m_edges.size()), i, j, p.depth + 1});
            m_edges.push_back(edge);
            i = j;
        }
        const auto count = static_cast<std::uint32_t>(m_edges.size()) - first;
        if (p.edge < 0) {
            for (std::uint32_t e = first; e < first + count; ++e)
                m_rootChild[m_edges[e].label] = static_cast<std::int32_t>(e);
        } else {
            m_edges[static_cast<std::size_t>(p.edge)].firstChild = first;
            m_edges[static_cast<std::size_t>(p.edge)].childCount = static_cast<std::uint16_t>(count);
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
}

int NameTrie::idOf(std::string_view name) const {
    auto it = m_ids.find(std::string(name));
    return it == m_ids.end() ? -1 : it->second;
}

}  // namespace tally
