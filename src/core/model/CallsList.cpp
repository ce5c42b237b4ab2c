#include "core/model/CallsList.h"

#include <algorithm>

namespace tally {

std::string CalleeTable::listOf(std::uint32_t group) const {
    std::vector<std::uint32_t> callees;
    for (std::uint32_t k = classStart[group]; k < classStart[group + 1]; ++k) {
        const std::uint32_t c = classes[k];
        callees.insert(callees.end(), members.begin() + memberStart[c], members.begin() + memberStart[c + 1]);
    }
    // Each class's members are in order already, and no callee is in two classes.
    if (classStart[group + 1] - classStart[group] > 1) std::sort(callees.begin(), callees.end());
    std::size_t length = 0;
    for (std::uint32_t callee : callees) length += offsets[callee + 1] - offsets[callee];
    std::string list;
    list.reserve(length);
    for (std::uint32_t callee : callees) list.append(text, offsets[callee], offsets[callee + 1] - offsets[callee]);
    return list;
}

CallsList::CallsList(std::shared_ptr<const CalleeTable> table, std::uint32_t group) {
    if (table && table->callsAny(group)) {
        m_holder = std::move(table);
        m_group = group;
    }
}

}  // namespace tally
