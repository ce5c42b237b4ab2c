#pragma once
// Reading the CalledBy list of a routine: entries "<routine> - <file> - <line>", each ended by the
// character of code 1.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextOps.h"

namespace tally {

// The caller of one entry.
struct CalledByEntry {
    std::string_view routine;
    std::string_view file;
};

// Calls visit(entry) for the entries of a CalledBy text, in order: each entry of at least two
// characters gives the text before its first " - " (the routine) and between its first and second
// " - " (the file), both trimmed; the line number is left out. The views point into `list`.
template <class Visit>
void forEachCalledByEntry(std::string_view list, Visit&& visit) {
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\x01', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view entry = list.substr(start, end - start);
        start = end + 1;
        if (entry.size() < 2) continue;
        std::size_t first = entry.find(" - ");
        if (first == std::string_view::npos) {
            visit(CalledByEntry{trimView(entry), {}});
            continue;
        }
        std::string_view rest = entry.substr(first + 3);
        visit(CalledByEntry{trimView(entry.substr(0, first)), trimView(rest.substr(0, rest.find(" - ")))});
    }
}

// The same as a flat list of texts: routine, then file, for each entry.
std::vector<std::string> calledByPairs(std::string_view list);

}  // namespace tally
