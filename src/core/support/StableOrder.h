#pragma once
// Stable counting sorts by a small integer key. Linear in the items and the keys, where a comparison
// sort of a project's routines or CalledBy entries costs a few dozen comparisons each; and a
// counting sort hands back, with the order, where each key's items begin in it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tally {

// Groups items by key, each key's items in the order given. `forEachItem(emit)` calls
// `emit(value, key)` for every item, key in [0, keys), the same items in the same order each time it
// is called (it is called twice). Afterwards `order` holds the items' values grouped by key, and the
// values of key k are order[start[k], start[k + 1]); `start` has keys + 1 entries.
template <class ForEachItem>
void groupByKey(std::size_t keys, ForEachItem&& forEachItem, std::vector<std::uint32_t>& start,
                std::vector<std::uint32_t>& order) {
    start.assign(keys + 1, 0);
    forEachItem([&](std::uint32_t, auto key) { ++start[static_cast<std::size_t>(key) + 1]; });
    for (std::size_t k = 1; k <= keys; ++k) start[k] += start[k - 1];
    order.resize(start.back());
    std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
    forEachItem([&](std::uint32_t value, auto key) { order[fill[static_cast<std::size_t>(key)]++] = value; });
}

// The order of `places` by key(place), places of one key keeping their order in `places`;
// `key(place)` lies in [0, keys).
template <class KeyOf>
std::vector<std::uint32_t> stableOrderByKey(const std::vector<std::uint32_t>& places, std::size_t keys,
                                            KeyOf&& key) {
    std::vector<std::uint32_t> start, order;
    groupByKey(
        keys,
        [&](auto&& emit) {
            for (std::uint32_t place : places) emit(place, key(place));
        },
        start, order);
    return order;
}

}  // namespace tally
