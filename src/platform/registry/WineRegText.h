#pragma once
// The text of Wine's registry files: quoted names and data with C-like escapes, and the UTF-16 that
// Wine keeps every string in. The store hands out ANSI (Windows-1252) bytes, so strings pass through
// UTF-16 code units on their way in and out of a file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tally::winereg {

// Windows-1252 bytes as UTF-16 code units (every byte has a code point below U+10000).
std::u16string ansiToUnits(std::string_view ansi);
// UTF-16 code units as Windows-1252 bytes; a character the code page lacks (a surrogate pair, or a
// lone surrogate, counts as one) becomes '?', and then `lossy` (when given) is set.
std::string unitsToAnsi(std::u16string_view units, bool* lossy = nullptr);

// The units with ASCII letters lower-cased: names compare without regard to ASCII case, as the
// ANSI names do.
std::u16string foldedUnits(std::u16string_view units);

// UTF-16LE bytes as code units; an odd last byte is dropped, as the registry's ANSI calls do.
std::u16string unitsOfUtf16le(std::string_view bytes);
std::string utf16leOfUnits(std::u16string_view units);

// Reads escaped text from `at` up to the first unescaped `endChar`, leaving `at` just past it.
// Nothing when the text ends (or a line ends) before `endChar`. Bytes of 0x80 and above start a
// UTF-8 sequence when they form one and stand for a Windows-1252 byte otherwise, since other tools
// write such files as UTF-8 while Wine itself escapes everything outside ASCII.
std::optional<std::u16string> readEscaped(std::string_view text, std::size_t& at, char endChar);

// The escaped form Wine writes: `\\` and the `alsoEscaped` characters (the quote, or the key
// brackets) behind a backslash, C escapes or octal for control characters, `\x` and hex past ASCII.
std::string writeEscaped(std::u16string_view units, std::string_view alsoEscaped);

}  // namespace tally::winereg
