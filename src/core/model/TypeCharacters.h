#pragma once
// The type-declaration characters that may end a VB name, and the types they stand for:
// $ String, % Integer, & Long, ! Single, # Double. No other character is one.

#include <string_view>

namespace tally {

bool isTypeCharacter(char c);
// The type a character stands for ("String" for '$'); empty for any other character.
std::string_view typeOfCharacter(char c);
// True when the name's last character is a type-declaration character.
bool endsInTypeCharacter(std::string_view name);
// The character that stands for a type name ('#' for "Double"); '\0' when none does.
char characterOfType(std::string_view typeName);

}  // namespace tally
