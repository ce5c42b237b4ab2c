#pragma once
// The code pages beyond Windows-1252 and UTF-8 (Thai, the four East Asian double-byte pages, the
// other Windows single-byte pages) through ICU's converters, which hold the Windows tables.

#include "core/text/TextCodec.h"

#include <memory>

namespace tally {

// The ICU converter name of a Windows code page (874, 932, 936, 949, 950, 1250..1258), or null.
// These are ICU's canonical names, so that opening them needs no alias lookup.
const char* icuConverterName(int codePage);

// A codec over ICU's converter of the code page; nothing for a code page without one, or when the
// ICU data lacks it. toUtf8 writes U+FFFD for each byte sequence the code page does not define;
// fromUtf8 gives nothing for malformed UTF-8 and for a character the code page has no bytes for
// (no best-fit substitutes: "¥" does not become "\" in 932). The codec may be used from several
// threads at once.
std::unique_ptr<TextCodec> makeIcuTextCodec(int codePage);

}  // namespace tally
