#pragma once
// Upper and lower case of Windows-1252 text as the system's ANSI code page has them: the ASCII
// letters, the accented letters of the upper half, and the pairs Š/š, Œ/œ, Ž/ž and Ÿ/ÿ.

#include <string>
#include <string_view>

namespace tally {

char ansiUpper(char c);
char ansiLower(char c);
std::string ansiUpper(std::string_view text);
std::string ansiLower(std::string_view text);

}  // namespace tally
