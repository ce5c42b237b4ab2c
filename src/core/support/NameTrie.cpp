#include "core/support/NameTrie.h"

#include <algorithm>

namespace tally {

namespace {
// A distinct name as the trie reads it (reversed in a backward trie), with its id and its first
// eight bytes, first byte highest (zeros past its end). The sort reads keys byte by byte, and most
// of its reading is within their first eight bytes: read from the entries, which lie in order,
// rather than from the keys' texts, which the sort visits all over their storage.
// The key is held as a pointer and a 32-bit length (the names' texts lie in the interner, which
// counts them in 32 bits too), so that the entry is no larger than a view and an id were: with
// eight bytes more, the peak memory of a scan rose by 3% of the source size.
struct Entry {
    const char* data;
    std::uint32_t size;
    int id;
    std::uint64_t head;

    std::string_view key() const { return {data, size}; }
};

Entry entryOf(std::string_view key, int id) {
    std::uint64_t head = 0;
    for (std::size_t k = 0; k < 8; ++k)
        head = head << 8 | (k < key.size() ? static_cast<unsigned char>(key[k]) : 0u);
    return {key.data(), static_cast<std::uint32_t>(key.size()), id, head};
}

// The byte of a key at `depth`, or -1 past its end (a key sorts before its extensions).
int byteAt(const Entry& e, std::size_t depth) {
    if (depth >= e.size) return -1;
    if (depth < 8) return static_cast<int>((e.head >> (56 - 8 * depth)) & 0xFF);
    return static_cast<unsigned char>(e.data[depth]);
}

unsigned char at(const Entry& e, std::size_t depth) {
    return static_cast<unsigned char>(byteAt(e, depth));
}

// Whether a's key from `depth` on sorts before b's, as the texts compare.
bool lessFrom(const Entry& a, const Entry& b, std::size_t depth) {
    for (;; ++depth) {
        const int x = byteAt(a, depth), y = byteAt(b, depth);
        if (x != y) return x < y;
        if (x < 0) return false;
    }
}

// Sorts distinct keys that agree on their first `depth` bytes. A three-way radix quicksort: it compares
// one byte per step instead of whole keys, so the long prefixes that routine names share (LoadData1,
// LoadData2, ...) are read once per level rather than once per comparison.
void sortKeys(Entry* a, std::size_t n, std::size_t depth) {
    while (n > 1) {
        if (n < 12) {
            for (std::size_t i = 1; i < n; ++i)
                for (std::size_t j = i; j > 0 && lessFrom(a[j], a[j - 1], depth); --j)
                    std::swap(a[j], a[j - 1]);
            return;
        }
        const int pivot = byteAt(a[n / 2], depth);
        // a[0, lt) below the pivot, a[lt, i) equal, a[gt, n) above.
        std::size_t lt = 0, i = 0, gt = n;
        while (i < gt) {
            const int b = byteAt(a[i], depth);
            if (b < pivot)
                std::swap(a[lt++], a[i++]);
            else if (b > pivot)
                std::swap(a[i], a[--gt]);
            else
                ++i;
        }
        sortKeys(a, lt, depth);
        sortKeys(a + gt, n - gt, depth);
        // Keys that ended at the pivot are equal, and keys are distinct: one at most.
        if (pivot < 0) return;
        a += lt;
        n = gt - lt;
        ++depth;
    }
}
}  // namespace

NameTrie::NameTrie(Direction direction, const std::vector<std::string_view>& names) : m_names(names.size()) {
    m_givenIds.reserve(names.size());
    // Names often come in runs (the file of each routine, routine after routine): a name equal to the
    // one before takes its id without a lookup.
    for (std::size_t i = 0; i < names.size(); ++i)
        m_givenIds.push_back(i > 0 && names[i] == names[i - 1] ? m_givenIds.back() : m_names.intern(names[i]));
    build(direction);
}

NameTrie::NameTrie(Direction direction, const NameTrie& sameNames)
    : m_names(sameNames.m_names), m_givenIds(sameNames.m_givenIds) {
    build(direction);
}

void NameTrie::build(Direction direction) {
    const auto distinct = static_cast<std::size_t>(m_names.size());

    std::vector<std::string_view> keys(distinct);
    std::string reversed;  // the backward keys, one after another
    if (direction == Direction::Backward) {
        std::size_t total = 0;
        for (std::size_t id = 0; id < distinct; ++id) total += m_names.text(static_cast<int>(id)).size();
        reversed.reserve(total);
        for (std::size_t id = 0; id < distinct; ++id) {
            std::string_view name = m_names.text(static_cast<int>(id));
            reversed.append(name.rbegin(), name.rend());
        }
        for (std::size_t id = 0, start = 0; id < distinct; start += keys[id].size(), ++id)
            keys[id] = std::string_view(reversed).substr(start, m_names.text(static_cast<int>(id)).size());
    } else {
        for (std::size_t id = 0; id < distinct; ++id) keys[id] = m_names.text(static_cast<int>(id));
    }
    std::vector<Entry> entries(distinct);
    for (std::size_t id = 0; id < distinct; ++id) entries[id] = entryOf(keys[id], static_cast<int>(id));
    sortKeys(entries.data(), entries.size(), 0);

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
        if (i < p.hi && entries[i].size == p.depth) {
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
            const std::string_view a = entries[i].key();
            const std::string_view b = entries[j - 1].key();
            std::size_t common = p.depth + 1;
            while (common < a.size() && common < b.size() && a[common] == b[common] &&
                   common - p.depth < 0xFFFF)
                ++common;
            Edge edge;
            edge.first = label;
            edge.length = static_cast<std::uint16_t>(common - p.depth);
            edge.rest = static_cast<std::uint32_t>(m_labels.size());
            m_labels.append(a.substr(p.depth + 1, common - p.depth - 1));
            children.push_back({static_cast<std::int32_t>(m_edges.size()), i, j, common});
            m_edges.push_back(edge);
            m_edgeNames.push_back(-1);
            i = j;
        }
        const auto count = static_cast<std::uint32_t>(m_edges.size()) - first;
        if (p.edge < 0) {
            for (std::uint32_t e = first; e < first + count; ++e) {
                m_rootChild[m_edges[e].first] = static_cast<std::int32_t>(e);
                m_firstBytes.add(m_edges[e].first);
            }
        } else {
            m_edges[static_cast<std::size_t>(p.edge)].firstChild = first;
            m_edges[static_cast<std::size_t>(p.edge)].childCount = static_cast<std::uint16_t>(count);
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    if (m_emptyName >= 0) m_firstBytes = ByteRange::all();
    buildChildTables();
}

void NameTrie::buildChildTables() {
    for (const Edge& parent : m_edges) {
        if (parent.childCount <= 8) continue;
        if (m_childTableOf.empty()) m_childTableOf.assign(m_edges.size(), 0);
        const Edge* children = m_edges.data() + parent.firstChild;
        const int span = children[parent.childCount - 1].first - children[0].first + 1;
        m_childTableOf[parent.firstChild] = static_cast<std::uint32_t>(m_childTables.size());
        m_childTables.push_back(span);
        const std::size_t entries = m_childTables.size();
        m_childTables.resize(entries + static_cast<std::size_t>(span), -1);
        for (std::uint32_t k = 0; k < parent.childCount; ++k)
            m_childTables[entries + (children[k].first - children[0].first)] =
                static_cast<std::int32_t>(parent.firstChild + k);
    }
}

}  // namespace tally
