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

// \'hh bytes and raw bytes above 0x7F are read as Windows-1252, the code page of every document our
// writers make (a document declaring another \ansicpg is read the same way); \uN characters as
// Unicode, skipping the \ucN fallback that follows them.
RichDocument readRtf(std::string_view rtf);

}  // namespace tally
