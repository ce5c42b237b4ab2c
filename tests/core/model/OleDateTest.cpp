#include "core/model/OleDate.h"

#include <gtest/gtest.h>

namespace tally {

TEST(OleDate, KnownDatesAndRoundTripsAcrossTheEpoch) {
    EXPECT_DOUBLE_EQ(partsToOle({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(partsToOle({2026, 12, 6, 10, 0, 0}), 46362.41666666667);
    for (DateTimeParts parts : {DateTimeParts{2000, 2, 29, 23, 59, 59}, DateTimeParts{1899, 12, 29, 6, 0, 0},
                                DateTimeParts{1970, 1, 1, 0, 0, 1}}) {
        DateTimeParts back = oleToParts(partsToOle(parts));
        EXPECT_EQ(back.year, parts.year);
        EXPECT_EQ(back.month, parts.month);
        EXPECT_EQ(back.day, parts.day);
        EXPECT_EQ(back.hour, parts.hour);
        EXPECT_EQ(back.minute, parts.minute);
        EXPECT_EQ(back.second, parts.second);
    }
}

}  // namespace tally
