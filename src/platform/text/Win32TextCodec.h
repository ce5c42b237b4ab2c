#pragma once
// The code pages beyond Windows-1252 and UTF-8 on Windows: the system's own tables, through
// MultiByteToWideChar and WideCharToMultiByte, which are the ones VB6 itself wrote with.

#include "core/text/TextCodec.h"

#include <memory>

namespace tally {

// A codec over the system's table of the code page; nothing when the system has none. toUtf8
// writes U+FFFD for each byte sequence the code page does not define; fromUtf8 gives nothing for
// malformed UTF-8 and for a character the code page has no bytes for (no best-fit substitutes).
std::unique_ptr<TextCodec> makeWin32TextCodec(int codePage);

}  // namespace tally
