#pragma once
// The type-declaration characters that may end a name: $ String, % Integer, & Long, ! Single,
// # Double. No other character is one.

#include <string_view>

namespace tally {

// The type a character stands for; empty when it is not a type-declaration character.
std::string_view typeOfSuffix(char c);

// True when the name's last character is a type-declaration character.
bool endsInTypeSuffix(std::string_view name);

}  // namespace tally
