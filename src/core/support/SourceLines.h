#pragma once
// Physical lines of a source file. A line ends at CR LF, at a lone CR or at a lone LF (sources
// checked out with LF endings are common); the terminator is not part of the line.

#include <string_view>
#include <vector>

namespace tally {

// The lines of `text` in order. A final line without terminator counts; a text that ends with a
// terminator has no empty line after it; an empty text has no lines.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace tally
