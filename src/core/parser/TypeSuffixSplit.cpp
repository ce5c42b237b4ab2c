#include "core/parser/TypeSuffixSplit.h"

namespace tally {

bool isTypeSuffix(char c) {
    return c == '$' || c == '%' || c == '&' || c == '!' || c == '#';
}

TypeSuffixSplit splitTypeSuffix(std::string_view name) {
    if (!name.empty() && isTypeSuffix(name.back())) return {name.substr(0, name.size() - 1), name.back()};
    return {name, 0};
}

}  // namespace tally
