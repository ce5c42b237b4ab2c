#pragma once
// Splits a name written with a type-declaration character ($ % & ! #) into the bare name and that
// character, as the call and usage passes compare names without it.

#include <string_view>

namespace tally {

struct TypeSuffixSplit {
    std::string_view stem;  // the name without its type-declaration character
    char suffix = 0;        // the character, or 0 when the name has none
};

// True for the five type-declaration characters.
bool isTypeSuffix(char c);
// The name split at a trailing type-declaration character; a name without one is its own stem.
TypeSuffixSplit splitTypeSuffix(std::string_view name);

}  // namespace tally
