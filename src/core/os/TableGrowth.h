#pragma once
// Room for the rows a pass appends to a table as it reads the project's files.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/os/SystemFiles.h"

namespace tally {

// Called after each file: when the rows projected for the whole project from the share of it read so
// far (`readSoFar` of `total` characters, with an eighth more) exceed the table's capacity, the table
// grows towards them: by at least an eighth, at most sixteen times, so that a project whose first
// files are not like the rest cannot make it ask for far more than it holds. Doubling alone would
// move every row about once more and take fresh memory twice the table's final size; the projection
// usually gets there within the first few files, and room never used is never touched.
template <class Row>
void reserveProjectedRows(std::vector<Row>& rows, long long readSoFar, long long total) {
    if (rows.empty() || readSoFar <= 0 || total <= readSoFar) return;
    double projected =
        static_cast<double>(rows.size()) * static_cast<double>(total) / static_cast<double>(readSoFar);
    const std::size_t capacity = rows.capacity();
    const auto wanted =
        static_cast<std::size_t>(std::min(projected * 1.125, 16.0 * static_cast<double>(capacity)));
    if (wanted <= capacity) return;
    rows.reserve(std::max(wanted, capacity + capacity / 8));
    sys::adviseLargePages(rows.data() + rows.size(), (rows.capacity() - rows.size()) * sizeof(Row));
}

}  // namespace tally
