#pragma once
// Upper and lower case of source text as the system's ANSI code page has them. Windows-1252: the
// ASCII letters, the accented letters of the upper half, and the pairs Š/š, Œ/œ, Ž/ž and Ÿ/ÿ. A
// double-byte page (932, 936, 949, 950) has case only in its single-byte ASCII letters: a trail
// byte that looks like a letter is half of another character and stays as it is, and so does a
// lead byte that Windows-1252 would take for an accented letter. UTF-8 has case here in ASCII only.

#include <string>
#include <string_view>

#include "core/text/TextCodec.h"

namespace tally {

char ansiUpper(char c);
char ansiLower(char c);
std::string ansiUpper(std::string_view text);
std::string ansiLower(std::string_view text);

// The text in upper or lower case as the code page `codePage` has it (see above); every single-byte
// page other than 1252 is folded with the Windows-1252 table, as before code pages were known.
std::string ansiUpper(std::string_view text, int codePage);
std::string ansiLower(std::string_view text, int codePage);

// Only the ASCII letters to lower case, never a byte of a double-byte character: how the tidy pass
// compares words.
std::string asciiLower(std::string_view text, int codePage = kCodePageWestern);

}  // namespace tally
