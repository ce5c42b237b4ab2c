#include "core/parser/TableGrowth.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tally {
namespace {

std::vector<int> hundredRows() {
    std::vector<int> rows(100);
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

TEST(TableGrowth, ATableGrowsToItsProjectionButNeverFarBeyondWhatItHolds) {
    std::vector<int> quarter = hundredRows();
    reserveProjectedRows(quarter, 1000, 4000);  // a quarter read: 400 rows expected, and an eighth more
    EXPECT_EQ(quarter.capacity(), 450u);
    EXPECT_EQ(quarter[99], 99);

    // Dense first files before a huge one: the projection is far off, the growth is bounded.
    std::vector<int> dense = hundredRows();
    reserveProjectedRows(dense, 1000, 1'000'000'000);
    EXPECT_EQ(dense.capacity(), 1600u);

    // Everything read, or nothing to project from: nothing changes.
    std::vector<int> done = hundredRows();
    reserveProjectedRows(done, 4000, 4000);
    reserveProjectedRows(done, 0, 4000);
    EXPECT_EQ(done.capacity(), 100u);
    std::vector<int> empty;
    reserveProjectedRows(empty, 1000, 4000);
    EXPECT_EQ(empty.capacity(), 0u);

    // A projection only a little above the capacity still grows it by an eighth.
    std::vector<int> close = hundredRows();
    close.reserve(105);
    reserveProjectedRows(close, 1000, 1001);  // 112 rows projected
    EXPECT_EQ(close.capacity(), 118u);
}

}  // namespace
}  // namespace tally
