#include "core/parser/CalledByLog.h"

#include <charconv>

namespace tally {

CalledByLog::CalledByLog(const ProjectModel& model) {
    m_slotStart.reserve(model.subs.size() + 1);
    m_slotStart.push_back(0);
    for (const std::vector<SubRec>& slot : model.subs)
        m_slotStart.push_back(m_slotStart.back() + slot.size());
    m_callerStarts.push_back(0);
}

void CalledByLog::startCaller(std::string_view entry) {
    m_callers.append(entry);
    m_callerStarts.push_back(m_callers.size());
}

void CalledByLog::add(std::size_t slot, std::size_t row, int line) {
    m_items.push_back({static_cast<std::uint32_t>(m_slotStart[slot] + row),
                       static_cast<std::uint32_t>(m_callerStarts.size() - 2), line});
}

void CalledByLog::writeTo(ProjectModel& model) {
    // Grouped by routine with a counting sort, which keeps each routine's entries in the order added.
    const std::size_t routines = m_slotStart.back();
    std::vector<std::uint32_t> first(routines + 1, 0);
    for (const Item& item : m_items) ++first[item.routine + 1];
    for (std::size_t r = 1; r <= routines; ++r) first[r] += first[r - 1];
    std::vector<std::uint32_t> order(m_items.size());
    std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
    for (std::size_t k = 0; k < m_items.size(); ++k)
        order[fill[m_items[k].routine]++] = static_cast<std::uint32_t>(k);

    auto callerText = [&](const Item& item) {
        const std::size_t start = m_callerStarts[item.caller];
        return std::string_view(m_callers).substr(start, m_callerStarts[item.caller + 1] - start);
    };
    char digits[16];
    for (std::size_t slot = 0; slot + 1 < m_slotStart.size(); ++slot) {
        for (std::size_t routine = m_slotStart[slot]; routine < m_slotStart[slot + 1]; ++routine) {
            if (first[routine] == first[routine + 1]) continue;
            std::size_t length = 0;
            for (std::uint32_t k = first[routine]; k < first[routine + 1]; ++k) {
                const Item& item = m_items[order[k]];
                length += callerText(item).size() +
                          static_cast<std::size_t>(
                              std::to_chars(digits, digits + sizeof digits, item.line).ptr - digits) +
                          1;
            }
            std::string& calledBy = model.subs[slot][routine - m_slotStart[slot]].calledBy;
            calledBy.reserve(calledBy.size() + length);
            for (std::uint32_t k = first[routine]; k < first[routine + 1]; ++k) {
                const Item& item = m_items[order[k]];
                const char* end = std::to_chars(digits, digits + sizeof digits, item.line).ptr;
                calledBy.append(callerText(item))
                    .append(digits, static_cast<std::size_t>(end - digits))
                    .push_back('\x01');
            }
        }
    }
    m_items.clear();
    m_callers.clear();
    m_callerStarts.assign(1, 0);
}

}  // namespace tally
