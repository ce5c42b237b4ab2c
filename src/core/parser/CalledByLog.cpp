#include "core/parser/CalledByLog.h"

namespace tally {

CalledByLog::CalledByLog(const ProjectModel& model) {
    m_slotStart.reserve(model.subs.size() + 1);
    m_slotStart.push_back(0);
    for (const std::vector<SubRec>& slot : model.subs)
        m_slotStart.push_back(m_slotStart.back() + slot.size());
    m_lineStarts.push_back(0);
}

void CalledByLog::startLine(std::string_view entry, std::string_view line) {
    m_text.append(entry).append(line).push_back('\x01');
    m_lineStarts.push_back(m_text.size());
}

void CalledByLog::add(std::size_t slot, std::size_t row) {
    m_items.push_back({static_cast<std::uint32_t>(m_slotStart[slot] + row),
                       static_cast<std::uint32_t>(m_lineStarts.size() - 2)});
}

void CalledByLog::writeTo(ProjectModel& model) {
    // Grouped by routine with a counting sort, which keeps each routine's entries in the order added.
    const std::size_t routines = m_slotStart.back();
    std::vector<std::uint32_t> first(routines + 1, 0);
    for (const Item& item : m_items) ++first[item.routine + 1];
    for (std::size_t r = 1; r <= routines; ++r) first[r] += first[r - 1];
    std::vector<std::uint32_t> lines(m_items.size());
    std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
    for (const Item& item : m_items) lines[fill[item.routine]++] = item.line;

    for (std::size_t slot = 0; slot + 1 < m_slotStart.size(); ++slot) {
        for (std::size_t routine = m_slotStart[slot]; routine < m_slotStart[slot + 1]; ++routine) {
            if (first[routine] == first[routine + 1]) continue;
            std::size_t length = 0;
            for (std::uint32_t k = first[routine]; k < first[routine + 1]; ++k)
                length += m_lineStarts[lines[k] + 1] - m_lineStarts[lines[k]];
            std::string& calledBy = model.subs[slot][routine - m_slotStart[slot]].calledBy;
            calledBy.reserve(calledBy.size() + length);
            for (std::uint32_t k = first[routine]; k < first[routine + 1]; ++k)
                calledBy.append(m_text, m_lineStarts[lines[k]],
                                m_lineStarts[lines[k] + 1] - m_lineStarts[lines[k]]);
        }
    }
    m_items.clear();
    m_text.clear();
    m_lineStarts.assign(1, 0);
}

}  // namespace tally
