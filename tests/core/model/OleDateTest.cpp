#include "core/model/OleDate.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tally {

TEST(OleDate, KnownDatesAndRoundTripsAcrossTheEpoch) {
    EXPECT_DOUBLE_EQ(partsToOle({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(partsToOle({2026, 12, 6, 10, 0, 0}), 46362.41666666667);
    auto fields = [](const DateTimeParts& p) { return std::tuple(p.year, p.month, p.day, p.hour, p.minute, p.second); };
    for (DateTimeParts parts : {DateTimeParts{2000, 2, 29, 23, 59, 59}, DateTimeParts{1899, 12, 29, 6, 0, 0},
                                DateTimeParts{1970, 1, 1, 0, 0, 1}})
        EXPECT_EQ(fields(oleToParts(partsToOle(parts))), fields(parts)) << parts.year;
}

}  // namespace tally
