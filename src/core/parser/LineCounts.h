#pragma once
// Classification of logical lines as code, comment or blank, and the per-file line counters.

#include <cstdint>
#include <string_view>

namespace tally {

enum class LineClass { Blank, Comment, Code };

// Code, comment and blank lines counted in one file.
struct LineCounts {
    std::int32_t code = 0;
    std::int32_t comment = 0;
    std::int32_t blank = 0;
};

// Blank when empty after trimming, a comment when it then starts with an apostrophe, code otherwise.
LineClass classifyLine(std::string_view logical);

// Counts one logical line. `inRoutineBody` is true while a routine is open and no designer block is:
// only then do blank and code lines count. A comment line always counts, and so does a code line
// holding an apostrophe anywhere (a trailing comment, or one inside a literal), as a comment line.
// Returns true when the line counted as a code line of the open routine.
bool countLogicalLine(std::string_view logical, bool inRoutineBody, LineCounts& counts);
// The same for a line already trimmed.
bool countTrimmedLine(std::string_view trimmed, bool inRoutineBody, LineCounts& counts);

}  // namespace tally
