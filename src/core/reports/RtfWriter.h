#pragma once
// Writes a RichDocument as RTF that keeps its fonts, sizes, bold, italic, underline, colours and
// alignment: readRtf of the result gives the document back. The file is pure ASCII: characters of
// Windows-1252 as \'hh, any other as \uN with a "?" fallback.

#include <string>

#include "core/reports/RichDocument.h"

namespace tally {

std::string writeRtf(const RichDocument& document);

}  // namespace tally
