#pragma once
// The two codecs that need no conversion library: Windows-1252, the code page of most VB6
// projects, and UTF-8. Everything else goes through the platform's converters (TextCodecs.h), so
// the core and its tests can decode the common projects on their own.

#include "core/text/TextCodec.h"

#include <memory>

namespace tally {

// Windows-1252 as Windows converts it: every byte stands for a character (the five undefined ones
// for the C1 controls of the same value), so toUtf8 never substitutes; fromUtf8 gives nothing for a
// character outside the code page and for malformed UTF-8.
std::unique_ptr<TextCodec> makeWindows1252Codec();

// UTF-8 in both directions: toUtf8 replaces each byte that starts no well-formed sequence by U+FFFD,
// fromUtf8 hands back well-formed text as it is and nothing for malformed text.
std::unique_ptr<TextCodec> makeUtf8Codec();

}  // namespace tally
