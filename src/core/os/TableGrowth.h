#pragma once
// Room for the rows a pass appends to a table as it reads the project's files.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/os/SystemFiles.h"

namespace tally {

// Called after each file: when the table is nearly full (seven eighths), it grows towards the rows
// projected for the whole project from the share of it read so far (`readSoFar` of `total`
// characters, with an eighth more): by at least an eighth, at most sixteen times, so that a project
// whose first files are not like the rest cannot make it ask for far more than it holds. Doubling
// alone would move every row about once more and take fresh memory twice the table's final size.
// Growing only when nearly full moves the rows as seldom as the projection allows: the projection
// is surest late, and an early one that the later files outgrow (a project of forms first, modules
// after) would move the table again and again while it is still mostly empty. Room never used is
// never touched.
template <class Row>
void reserveProjectedRows(std::vector<Row>& rows, long long readSoFar, long long total) {
    if (rows.empty() || readSoFar <= 0 || total <= readSoFar) return;
    const std::size_t capacity = rows.capacity();
    if (rows.size() < capacity - capacity / 8) return;
    double projected =
        static_cast<double>(rows.size()) * static_cast<double>(total) / static_cast<double>(readSoFar);
    const auto wanted =
        static_cast<std::size_t>(std::min(projected * 1.125, 16.0 * static_cast<double>(capacity)));
    rows.reserve(std::max(wanted, capacity + capacity / 8));
    sys::adviseLargePages(rows.data() + rows.size(), (rows.capacity() - rows.size()) * sizeof(Row));
}

}  // namespace tally
