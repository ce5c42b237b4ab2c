#pragma once
// A hash for tables keyed by name that are searched with a view, without building a string first.

#include <functional>
#include <string_view>

namespace tally {

// Use with std::equal_to<> as the key equality.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

}  // namespace tally
