#pragma once
// The wildcards of a file pattern: "*" for any run of characters and "?" for one, in a file
// name (never across a "/"). Case counts on POSIX, where "Form1.frm" and "form1.frm" are two files;
// on Windows it does not, as there they are one.

#include <string_view>

namespace tally::archive {

bool hasWildcards(std::string_view name);

// Whether the whole of `name` fits `pattern`.
bool matchesPattern(std::string_view pattern, std::string_view name);

// A hidden name by the Unix custom: one that starts with a dot.
inline bool isHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

}  // namespace tally::archive
