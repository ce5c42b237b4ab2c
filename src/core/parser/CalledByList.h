#pragma once
// Reading the CalledBy list of a routine: entries "<routine> - <file> - <line>", each ended by the
// character of code 1.

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// The caller of one entry.
struct CalledByEntry {
    std::string_view routine;
    std::string_view file;
};

// The entries of a CalledBy text, in order: each entry of at least two characters gives the text
// before its first " - " (the routine) and between its first and second " - " (the file), both
// trimmed; the line number is left out. The views point into `list`.
std::vector<CalledByEntry> parseCalledByList(std::string_view list);

// The same as a flat list of texts: routine, then file, for each entry.
std::vector<std::string> calledByPairs(std::string_view list);

}  // namespace tally
