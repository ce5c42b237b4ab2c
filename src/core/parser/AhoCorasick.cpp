#include "core/parser/AhoCorasick.h"

#include <algorithm>
#include <deque>

namespace tally {

AhoCorasick::AhoCorasick(const std::vector<std::string_view>& patterns) {
    std::vector<std::pair<std::string_view, int>> sorted;
    for (std::string_view p : patterns) {
        if (p.empty()) continue;
        auto [it, added] = m_ids.try_emplace(std::string(p), static_cast<int>(m_patterns.size()));
        if (!added) continue;
        m_patterns.emplace_back(p);
        sorted.emplace_back(it->first, it->second);
    }
    std::sort(sorted.begin(), sorted.end());

    // Breadth first over ranges of sorted patterns that share a prefix, so that each node's edges lie
    // together and every node comes after its parent and after every shorter node.
    struct Pending {
        std::uint32_t node;
        std::size_t lo, hi, depth;
    };
    m_nodes.emplace_back();
    std::deque<Pending> queue{{0, 0, sorted.size(), 0}};
    while (!queue.empty()) {
        Pending p = queue.front();
        queue.pop_front();
        std::size_t i = p.lo;
        while (i < p.hi && sorted[i].first.size() == p.depth) m_nodes[p.node].pattern = sorted[i++].second;
        m_nodes[p.node].firstEdge = static_cast<std::uint32_t>(m_edges.size());
        while (i < p.hi) {
            auto label = static_cast<unsigned char>(sorted[i].first[p.depth]);
            std::size_t j = i;
            while (j < p.hi && static_cast<unsigned char>(sorted[j].first[p.depth]) == label) ++j;
            auto target = static_cast<std::uint32_t>(m_nodes.size());
            m_nodes.emplace_back();
            m_edges.push_back({label, target});
            queue.push_back({target, i, j, p.depth + 1});
            i = j;
        }
        m_nodes[p.node].edgeCount = static_cast<std::uint32_t>(m_edges.size()) - m_nodes[p.node].firstEdge;
    }
    std::fill(std::begin(m_rootChild), std::end(m_rootChild), -1);
    for (std::uint32_t e = 0; e < m_nodes[0].edgeCount; ++e)
        m_rootChild[m_edges[e].label] = static_cast<std::int32_t>(m_edges[e].target);

    // Nodes are in breadth-first order, so a node's fail target is final before its children need it.
    for (std::uint32_t node = 0; node < m_nodes.size(); ++node) {
        const Node& parent = m_nodes[node];
        for (std::uint32_t e = parent.firstEdge; e < parent.firstEdge + parent.edgeCount; ++e) {
            std::uint32_t target = m_edges[e].target;
            Node& childNode = m_nodes[target];
            childNode.fail = node == 0 ? 0 : next(parent.fail, m_edges[e].label);
            const Node& fail = m_nodes[childNode.fail];
            childNode.output = fail.pattern >= 0 ? childNode.fail : fail.output;
        }
    }
}

int AhoCorasick::idOf(std::string_view pattern) const {
    auto it = m_ids.find(std::string(pattern));
    return it == m_ids.end() ? -1 : it->second;
}

}  // namespace tally
