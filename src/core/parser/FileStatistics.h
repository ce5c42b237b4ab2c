#pragma once
// What the declaration pass counted in one file, kept until the statistics nodes are added.

#include <cstdint>
#include <string>

#include "core/parser/LineCounts.h"

namespace tally {

struct FileStatistics {
    std::string path;
    // The length of the text read, the file's length when the pass read it.
    std::int64_t length = 0;
    LineCounts lines;
    std::int32_t subs = 0;
    std::int32_t functions = 0;
    std::int32_t controls = 0;  // designer controls, the form itself not counted
    std::int32_t properties = 0;
    // Library names of the file's Declare statements, each followed by the character of code 1.
    std::string dllNames;
};

}  // namespace tally
