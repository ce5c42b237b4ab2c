#pragma once
// Conversion between the Windows-1252 bytes that the model keeps and UTF-8 for terminals and files
// meant for other tools. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 code points of the same value, as Windows itself does, so every byte string round-trips.

#include <string>
#include <string_view>

namespace tally {

std::string windows1252ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (plain ASCII included).
bool isValidUtf8(std::string_view bytes);

// Text for a person to read, from bytes of mixed origin: the model's texts are Windows-1252, but
// paths and the file names taken from them are the file system's own bytes (UTF-8 here), and one
// text may hold both ("Donn\xE9es (caf\xC3\xA9.bas)"). A well-formed UTF-8 sequence is kept as it
// is, every other byte is read as Windows-1252, so each part is converted once.
std::string displayUtf8(std::string_view bytes);

// The byte that stands for a code point in Windows-1252; -1 when the code page has none.
int windows1252ByteOf(char32_t cp);
// The code point a Windows-1252 byte stands for.
char32_t windows1252CodePoint(unsigned char byte);

// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes are taken as Windows-1252.
std::string utf8ToWindows1252(std::string_view utf8);

}  // namespace tally
