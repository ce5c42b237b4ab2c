#include "core/parser/CalledByList.h"

namespace tally {

std::vector<std::string> calledByPairs(std::string_view list) {
    std::vector<std::string> pairs;
    forEachCalledByEntry(list, [&](const CalledByEntry& entry) {
        pairs.emplace_back(entry.routine);
        pairs.emplace_back(entry.file);
    });
    return pairs;
}

}  // namespace tally
