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
    // The map's keys view the stored texts, which therefore must never move: reserve them all first.
    m_names.reserve(names.size());
    m_ids.reserve(names.size());
    m_givenIds.reserve(names.size());
    for (std::string_view name : names) {
        const int id = static_cast<int>(m_names.size());
        m_names.emplace_back(name);
        auto [it, added] = m_ids.try_emplace(m_names.back(), id);
        m_givenIds.push_back(it->second);
        if (!added) {
            m_names.pop_back();
            continue;
        }
        std::string key(name);
        if (direction == Direction::Backward) std::reverse(key.begin(), key.end());
        entries.push_back({std::move(key), id});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::string_view(a.key) < std::string_view(b.key);
    });

    // Depth first over ranges of the sorted keys that share a prefix. The edges leaving one node are
    // made together, so they lie together and stay sorted; and a node's first child is laid out next,
    // so the edges along one name lie in one stretch of memory. Edge -1 stands for the root.
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
            if (p.edge < 0) {
                m_emptyName = entries[i].id;
            } else {
                m_edges[static_cast<std::size_t>(p.edge)].endsName = true;
                m_edgeNames[static_cast<std::size_t>(p.edge)] = entries[i].id;
            }
            ++i;
        }
        const auto first = static_cast<std::uint32_t>(m_edges.size());
        children.clear();
        while (i < p.hi) {
            unsigned char label = at(entries[i], p.depth);
            std::size_t j = i;
            while (j < p.hi && at(entries[j], p.depth) == label) ++j;
            // The edge runs on while the keys of the group agree and none of them ends: as they are
            // sorted, that is the common prefix of the first and the last, at most the first's length.
            const std::string& a = entries[i].key;
            const std::string& b = entries[j - 1].key;
            std::size_t common = p.depth + 1;
            while (common < a.size() && common < b.size() && a[common] == b[common] &&
                   common - p.depth < 0xFFFF)
                ++common;
            Edge edge;
            edge.first = label;
            edge.length = static_cast<std::uint16_t>(common - p.depth);
            edge.rest = static_cast<std::uint32_t>(m_labels.size());
            m_labels.append(a, p.depth + 1, common - p.depth - 1);
            children.push_back({static_cast<std::int32_t>(m_edges.size()), i, j, common});
            m_edges.push_back(edge);
            m_edgeNames.push_back(-1);
            i = j;
        }
        const auto count = static_cast<std::uint32_t>(m_edges.size()) - first;
        if (p.edge < 0) {
            for (std::uint32_t e = first; e < first + count; ++e)
                m_rootChild[m_edges[e].first] = static_cast<std::int32_t>(e);
        } else {
            m_edges[static_cast<std::size_t>(p.edge)].firstChild = first;
            m_edges[static_cast<std::size_t>(p.edge)].childCount = static_cast<std::uint16_t>(count);
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
}

int NameTrie::idOf(std::string_view name) const {
    auto it = m_ids.find(name);
    return it == m_ids.end() ? -1 : it->second;
}

}  // namespace tally
