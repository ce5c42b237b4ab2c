#pragma once
// Rows of a slot grouped by the ids of their names, for finding every routine of a name at once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tally {

// The rows of one slot grouped by name id: those of name id lie at rows[first[id], first[id] +
// count[id]) in slot order, for the ids of the last grouping (those with stamp[id] == current).
class RowsByName {
public:
    // Room for the name ids 0 to names - 1.
    explicit RowsByName(std::size_t names) : m_first(names), m_count(names), m_stamp(names, 0) {}

    // Groups the rows 0, 1, ... whose name ids are ids[0, n).
    void group(const int* ids, std::size_t n) {
        if (++m_current == 0) {
            std::fill(m_stamp.begin(), m_stamp.end(), 0);
            m_current = 1;
        }
        m_touched.clear();
        for (std::size_t r = 0; r < n; ++r) {
            const auto id = static_cast<std::size_t>(ids[r]);
            if (m_stamp[id] != m_current) {
                m_stamp[id] = m_current;
                m_count[id] = 0;
                m_touched.push_back(id);
            }
            ++m_count[id];
        }
        std::uint32_t offset = 0;
        for (std::size_t id : m_touched) {
            m_first[id] = offset;
            offset += m_count[id];
            m_count[id] = 0;
        }
        m_rows.resize(n);
        for (std::size_t r = 0; r < n; ++r) {
            const auto id = static_cast<std::size_t>(ids[r]);
            m_rows[m_first[id] + m_count[id]++] = static_cast<std::uint32_t>(r);
        }
    }
    // Calls visit(row) for the rows of a name id of the last grouping, in slot order.
    template <class Visit>
    void forEachRow(int id, Visit&& visit) const {
        const auto k = static_cast<std::size_t>(id);
        for (std::uint32_t i = m_first[k]; i < m_first[k] + m_count[k]; ++i) visit(m_rows[i]);
    }

private:
    std::vector<std::uint32_t> m_first, m_count;
    std::vector<unsigned> m_stamp;
    unsigned m_current = 0;
    std::vector<std::size_t> m_touched;
    std::vector<std::uint32_t> m_rows;
};

}  // namespace tally
