#pragma once
// Reading and writing single values, and the rows of the value list (lvwReg in the Registry tab,
// lvwFullView in the Full Object View).

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/registry/RegistryStore.h"

namespace tally {

// One row of a value list.
struct ValueRow {
    std::string key;   // "a" + the value's type number + its index in the key ("a10")
    std::string text;  // the value name, "(Default)" for the unnamed value
    std::string icon;  // "strdata" for strings, "bindata" for binary and DWORD data
    std::string data;  // the formatted data
};

inline constexpr std::string_view kDefaultValueName = "(Default)";

// ListValues: a row per string, binary or DWORD value of hive\path, in the key's order (values of
// other types are left out); nothing when the key cannot be opened.
std::vector<ValueRow> listValues(const RegistryStore& store, Hive hive, std::string_view path);

// What ReadValue gives: a string value's text or a DWORD value's number.
using RegSetting = std::variant<std::string, std::uint32_t>;

// ReadValue: the text of a string value (cut at its NUL) or the number of a DWORD value; `fallback`
// when the value is missing, of another type, or the empty string.
RegSetting readValue(const RegistryStore& store, Hive hive, std::string_view path, std::string_view name,
                     const RegSetting& fallback);
// The same read as a text: a number in decimal.
std::string readValueText(const RegistryStore& store, Hive hive, std::string_view path, std::string_view name,
                          std::string_view fallback);

// SaveValue: a string (type 1) stored as it is, or a DWORD (type 4) given as decimal text
// (negative numbers in two's complement). False when the key is missing or refuses the write,
// the type is neither, or the DWORD text is not a 32-bit number.
bool saveValue(RegistryStore& store, Hive hive, std::string_view path, std::uint32_t type, std::string_view name,
               std::string_view text);

}  // namespace tally
