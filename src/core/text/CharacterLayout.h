#pragma once
// Where the characters of source text begin and end among its bytes. The single-byte code pages
// (1252, 1251, ...) have one byte per character; the double-byte pages of East Asia (932, 936, 949,
// 950) put most characters in a lead byte and a trail byte, and a trail byte may be any of
// 0x40..0xFE: ASCII letters, '\', '|' and '@' included, but never '"', '\'', CR or LF. Whatever
// compares or changes the letters of a text (case folding, searching, word splitting) must step
// over the pairs, or it takes half a character for a letter.

#include <cstddef>
#include <string_view>

namespace tally {

// True for 932, 936, 949 and 950.
bool isDoubleByteCodePage(int codePage);

// True when `byte` starts a two-byte character in the double-byte page `codePage`.
bool isLeadByte(int codePage, unsigned char byte);

// The length in bytes (1 or more) of the character that starts at `at` (< bytes.size()): 2 for a
// lead byte followed by a trail byte of its page, the length of a well-formed sequence in UTF-8
// (65001), 1 otherwise (single-byte pages, a lead byte at the end or before a byte no trail can be).
std::size_t characterLength(std::string_view bytes, std::size_t at, int codePage);

}  // namespace tally
