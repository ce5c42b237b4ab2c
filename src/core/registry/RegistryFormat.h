#pragma once
// How the Registry tab shows registry data: DWORDs in hexadecimal and decimal, binary data as hex
// pairs, long strings cut, object names in proper case.

#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// "0x0000001a (26)": eight lowercase hex digits and the signed decimal value.
std::string formatDword(std::uint32_t value);
// Each of the first `count` bytes as two lowercase hex digits and a space; " ..." after them when
// the data was `truncated`.
std::string formatBinary(std::string_view bytes, std::size_t count, bool truncated);
// A string value's data in the list: cut at its first NUL, at most 60 characters (longer ones end
// in " ..."), in double quotes.
std::string formatListString(std::string_view data);
// The first letter of each word upper case and the others lower case (VB's vbProperCase): words
// start after a blank, a tab, a line break or the start.
std::string properCase(std::string_view text);
// The lowercase hexadecimal form of a number without leading zeros ("ff", "0", "ffffffff").
std::string lowerHex(std::uint32_t value);

// The longest string shown in the value list and the most binary bytes shown there.
inline constexpr std::size_t kListStringLimit = 60;
inline constexpr std::size_t kListBinaryLimit = 30;

}  // namespace tally
