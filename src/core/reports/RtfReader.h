#pragma once
// Reads an RTF document into a RichDocument: what the report builders write and the common control
// words of other writers. Unknown destinations, \* groups, pictures, objects and binary data are
// skipped. Any input is safe: groups are kept on an explicit stack with a depth cap (never by
// recursion), unbalanced braces and truncated escapes end quietly, a \binN skips at most what is
// left, and the result holds what could be read.

#include <cstddef>
#include <string_view>

#include "core/reports/RichDocument.h"

namespace tally {

// Groups nested deeper than this share the formatting of the deepest kept group.
inline constexpr std::size_t kRtfGroupDepthLimit = 256;

// \'hh bytes are read in the document's code page (\ansicpg; Windows-1252 when none is given, and
// for code pages this reader does not know); \uN characters as Unicode, skipping the \ucN fallback.
RichDocument readRtf(std::string_view rtf);

}  // namespace tally
