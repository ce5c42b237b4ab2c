#pragma once
// The CalledBy entries that the call pass finds, kept in one flat list while the pass reads and then
// appended to each routine's list in one go: appending every entry as it is found would grow each
// list, and copy what it already holds, many times over.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"

namespace tally {

class CalledByLog {
public:
    // Numbers the routines of every slot of `model`, whose slots must not change until writeTo().
    explicit CalledByLog(const ProjectModel& model);

    // Starts the entries of a calling routine: "<routine> - <file> - ", the line following.
    void startCaller(std::string_view entry);
    // Adds the entry "<caller's text><line><code 1>" for the routine at `row` of `slot`.
    void add(std::size_t slot, std::size_t row, int line);
    // Appends the entries to the CalledBy lists, each routine's in the order added, and forgets them.
    void writeTo(ProjectModel& model);

private:
    std::vector<std::size_t> m_slotStart;     // the number of the first routine of each slot
    std::string m_callers;                    // the callers' texts one after another
    std::vector<std::size_t> m_callerStarts;  // where each caller's text begins, and the end of the last
    struct Item {
        std::uint32_t routine;
        std::uint32_t caller;
        int line;
    };
    std::vector<Item> m_items;
};

}  // namespace tally
