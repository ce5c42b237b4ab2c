#pragma once
// The readable text of a form's binary ".frx" companion (list items stored there).

#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// Companion files larger than this hold pictures rather than list items; their text is not taken.
inline constexpr std::int64_t kCompanionTextLimit = 16 * 1024 * 1024;

// Letters, the digits 1 to 9 and spaces are kept; each run of other bytes becomes one space. The
// result is trimmed; a leading "lt" (the list marker) is dropped, and a text that is only "lt" is
// empty.
std::string companionText(std::string_view bytes);

// The companion text of the file at `path`; empty when the file is missing, empty, unreadable or
// larger than kCompanionTextLimit.
std::string readCompanionText(std::string_view path);

}  // namespace tally
