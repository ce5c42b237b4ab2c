#include "core/model/TypeCharacters.h"

namespace tally {

namespace {
struct Pair {
    char character;
    std::string_view type;
};
constexpr Pair kPairs[] = {{'$', "String"}, {'%', "Integer"}, {'&', "Long"}, {'!', "Single"}, {'#', "Double"}};
}  // namespace

bool isTypeCharacter(char c) { return !typeOfCharacter(c).empty(); }

std::string_view typeOfCharacter(char c) {
    for (const Pair& pair : kPairs)
        if (pair.character == c) return pair.type;
    return {};
}

bool endsInTypeCharacter(std::string_view name) { return !name.empty() && isTypeCharacter(name.back()); }

char characterOfType(std::string_view typeName) {
    for (const Pair& pair : kPairs)
        if (pair.type == typeName) return pair.character;
    return '\0';
}

}  // namespace tally
