#include "core/parser/AhoCorasick.h"

#include <algorithm>

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

    // Depth first over ranges of sorted patterns that share a prefix: each node's edges lie together,
    // and a node's first child comes right after it, so the chain of a long pattern lies in one
    // stretch of memory. A node is numbered when it is laid out; `edge` is the edge that leads to it.
    struct Pending {
        std::int64_t edge;
        std::size_t lo, hi, depth;
    };
    std::vector<Pending> stack{{-1, 0, sorted.size(), 0}};
    std::vector<Pending> children;
    while (!stack.empty()) {
        Pending p = stack.back();
        stack.pop_back();
        const auto node = static_cast<std::uint32_t>(m_nodes.size());
        m_nodes.emplace_back();
        if (p.edge >= 0) m_edges[static_cast<std::size_t>(p.edge)].target = node;
        std::size_t i = p.lo;
        if (i < p.hi && sorted[i].first.size() == p.depth) m_nodes[node].pattern = sorted[i++].second;
        m_nodes[node].firstEdge = static_cast<std::uint32_t>(m_edges.size());
        children.clear();
        while (i < p.hi) {
            auto label = static_cast<unsigned char>(sorted[i].first[p.depth]);
            std::size_t j = i;
            while (j < p.hi && static_cast<unsigned char>(sorted[j].first[p.depth]) == label) ++j;
            children.push_back({static_cast<std::int64_t>(m_edges.size()), i, j, p.depth + 1});
            m_edges.push_back({label, 0});
            i = j;
        }
        m_nodes[node].edgeCount = static_cast<std::uint32_t>(m_edges.size()) - m_nodes[node].firstEdge;
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    std::fill(std::begin(m_rootChild), std::end(m_rootChild), -1);
    for (std::uint32_t e = 0; e < m_nodes[0].edgeCount; ++e)
        m_rootChild[m_edges[e].label] = static_cast<std::int32_t>(m_edges[e].target);

    // Fail links need every shallower node done first: go breadth first.
    std::vector<std::uint32_t> order{0};
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t node = order[k];
        const Node& parent = m_nodes[node];
        for (std::uint32_t e = parent.firstEdge; e < parent.firstEdge + parent.edgeCount; ++e) {
            std::uint32_t target = m_edges[e].target;
            Node& childNode = m_nodes[target];
            childNode.fail = node == 0 ? 0 : next(parent.fail, m_edges[e].label);
            const Node& fail = m_nodes[childNode.fail];
            childNode.output = fail.pattern >= 0 ? childNode.fail : fail.output;
            order.push_back(target);
        }
    }
}

int AhoCorasick::idOf(std::string_view pattern) const {
    auto it = m_ids.find(std::string(pattern));
    return it == m_ids.end() ? -1 : it->second;
}

}  // namespace tally
