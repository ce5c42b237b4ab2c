#pragma once
// Room for the rows a pass appends to a table as it reads the project's files.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tally {

// Makes room for one more row. A full table of a few dozen rows grows to the rows projected for the
// whole project from the share of it read so far (`readSoFar` of `total` characters), at least twice
// and at most 64 times its rows. Doubling alone moves every row about once more and takes fresh
// memory twice the table's final size; the projection usually gets there in one or two steps, and
// room it gives that is never used is never touched.
template <class Row>
void makeRoomForRow(std::vector<Row>& rows, long long readSoFar, long long total) {
    constexpr std::size_t kFirstRoom = 64;
    if (rows.size() < rows.capacity()) return;
    std::size_t have = rows.size();
    if (have < kFirstRoom) {
        rows.reserve(kFirstRoom);
        return;
    }
    std::size_t wanted = 2 * have;
    if (readSoFar > 0 && total > readSoFar) {
        double projected =
            static_cast<double>(have) * static_cast<double>(total) / static_cast<double>(readSoFar);
        wanted = std::clamp(static_cast<std::size_t>(projected * 1.125), 2 * have, 64 * have);
    }
    rows.reserve(wanted);
}

}  // namespace tally
