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

    // Starts the entries of one line: "<entry><line><code 1>", the same text for every routine it calls.
    void startLine(std::string_view entry, std::string_view line);
    // Adds the current line's entry for the routine at `row` of `slot`.
    void add(std::size_t slot, std::size_t row);
    // Appends the entries to the CalledBy lists, each routine's in the order added, and forgets them.
    void writeTo(ProjectModel& model);

private:
    std::vector<std::size_t> m_slotStart;   // the number of the first routine of each slot
    std::string m_text;                     // the lines' entry texts one after another
    std::vector<std::size_t> m_lineStarts;  // where each line's text begins, and the end of the last
    struct Item {
        std::uint32_t routine;
        std::uint32_t line;
    };
    std::vector<Item> m_items;
};

}  // namespace tally
