#include "core/parser/TypeCharacters.h"

namespace tally {

std::string_view typeOfSuffix(char c) {
    switch (c) {
        case '$':
            return "String";
        case '%':
            return "Integer";
        case '&':
            return "Long";
        case '!':
            return "Single";
        case '#':
            return "Double";
        default:
            return {};
    }
}

bool endsInTypeSuffix(std::string_view name) {
    return !name.empty() && !typeOfSuffix(name.back()).empty();
}

}  // namespace tally
