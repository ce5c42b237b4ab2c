#include "core/parser/CalledByList.h"

#include "core/text/TextOps.h"

namespace tally {

std::vector<CalledByEntry> parseCalledByList(std::string_view list) {
    std::vector<CalledByEntry> entries;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\x01', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view entry = list.substr(start, end - start);
        start = end + 1;
        if (entry.size() < 2) continue;
        std::size_t first = entry.find(" - ");
        if (first == std::string_view::npos) {
            entries.push_back({trimView(entry), {}});
            continue;
        }
        std::string_view rest = entry.substr(first + 3);
        entries.push_back({trimView(entry.substr(0, first)), trimView(rest.substr(0, rest.find(" - ")))});
    }
    return entries;
}

std::vector<std::string> calledByPairs(std::string_view list) {
    std::vector<std::string> pairs;
    for (const CalledByEntry& entry : parseCalledByList(list)) {
        pairs.emplace_back(entry.routine);
        pairs.emplace_back(entry.file);
    }
    return pairs;
}

}  // namespace tally
