#pragma once
// Conversion between the Windows-1252 bytes that the model keeps and UTF-8 for terminals and files
// meant for other tools. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 code points of the same value, as Windows itself does, so every byte string round-trips.

#include <string>
#include <string_view>

namespace tally {

std::string windows1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes are taken as Windows-1252.
std::string utf8ToWindows1252(std::string_view utf8);

}  // namespace tally
