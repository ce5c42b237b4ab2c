#pragma once
// The CalledBy entries that the call pass finds, kept in one flat list while the pass reads and then
// appended to each routine's list in one go: appending every entry as it is found would grow each
// list, and copy what it already holds, many times over.
//
// Project-wide routines of one name are always called together, so their entries are logged once
// for the name and the routines share one list text: a name declared in hundreds of files then costs
// one list, not hundreds.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/CalledByOrigins.h"

namespace tally {

class CalledByLog {
public:
    // Numbers the routines of every slot of `model`, whose slots must not change until writeTo().
    explicit CalledByLog(const ProjectModel& model);

    // Starts the entries of a calling routine: "<routine> - <file> - ", the line following.
    void startCaller(std::string_view entry);
    // Adds the entry "<caller's text><line><code 1>" for the routine at `row` of `slot`.
    void add(std::size_t slot, std::size_t row, int line);
    // Adds that entry, and a call, for every routine of the project-wide slot whose name id is
    // `nameId`; `globalNameIds` (given once, before the first such entry) holds each row's name id.
    void setGlobalNameIds(const int* globalNameIds, std::size_t rows);
    void addForName(int nameId, int line);
    // Appends the entries to the CalledBy lists, each routine's in the order added, counts the calls
    // of the names, and forgets them. With `origins`, notes there the caller of every entry of each
    // list it writes afresh (not of one appended to a list already there).
    void writeTo(ProjectModel& model, CalledByOrigins* origins = nullptr);

private:
    // Entries are added line by line in reading order, a line's entries for file-own routines before
    // those for names; and callers are numbered, and their lines counted, in that order. So the
    // caller and line give the order of adding, over both kinds, with no number of its own.
    struct Item {
        std::uint32_t routine;  // a routine's number, or a name id for addForName
        std::uint32_t caller;
        int line;
    };
    // Groups the items by routine (or name) with a counting sort, which keeps the order added.
    static std::vector<std::uint32_t> groupBy(const std::vector<Item>& items, std::size_t keys,
                                              std::vector<std::uint32_t>& first);
    // The list text of the items order[first, last).
    std::string listText(const std::vector<Item>& items, const std::uint32_t* first,
                         const std::uint32_t* last) const;

    std::vector<std::size_t> m_slotStart;     // the number of the first routine of each slot
    std::string m_callers;                    // the callers' texts one after another
    std::vector<std::size_t> m_callerStarts;  // where each caller's text begins, and the end of the last
    std::vector<Item> m_items, m_nameItems;
    std::vector<int> m_globalNameIds;
    std::size_t m_nameCount = 0;
};

}  // namespace tally
