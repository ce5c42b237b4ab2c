#pragma once
// Stable counting sort of places by a small integer key: the order of `places` by key(place), places
// of one key keeping their order in `places`. Linear in the places and the keys, where a comparison
// sort of a project's routines costs a few dozen comparisons each.

#include <cstdint>
#include <vector>

namespace tally {

// `key(place)` lies in [0, keys).
template <class KeyOf>
std::vector<std::uint32_t> stableOrderByKey(const std::vector<std::uint32_t>& places, std::size_t keys,
                                            KeyOf&& key) {
    std::vector<std::uint32_t> next(keys + 1, 0);
    for (std::uint32_t place : places) ++next[static_cast<std::size_t>(key(place)) + 1];
    for (std::size_t k = 1; k <= keys; ++k) next[k] += next[k - 1];
    std::vector<std::uint32_t> order(places.size());
    for (std::uint32_t place : places) order[next[static_cast<std::size_t>(key(place))]++] = place;
    return order;
}

}  // namespace tally
