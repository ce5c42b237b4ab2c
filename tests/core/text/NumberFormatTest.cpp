#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

namespace tally {

TEST(NumberFormat, SizeInKbRoundsHalfToEvenAndNeverShowsZeroForData) {
    EXPECT_EQ(formatSizeKb(0), "0KB");
    EXPECT_EQ(formatSizeKb(1), "1KB");
    EXPECT_EQ(formatSizeKb(100), "1KB");
    EXPECT_EQ(formatSizeKb(1536), "2KB");  // 1.5 -> 2
    EXPECT_EQ(formatSizeKb(2560), "2KB");  // 2.5 -> 2
    EXPECT_EQ(formatSizeKb(3584), "4KB");  // 3.5 -> 4
    EXPECT_EQ(formatSizeKb(1048576), "1,024KB");
    EXPECT_EQ(formatSizeKb(1048576, NumberLocale{'.', ','}), "1.024KB");
}

TEST(NumberFormat, GroupsThousands) {
    EXPECT_EQ(formatGrouped(999), "999");
    EXPECT_EQ(formatGrouped(1000), "1,000");
    EXPECT_EQ(formatGrouped(1234567), "1,234,567");
    EXPECT_EQ(formatGrouped(-1234), "-1,234");
}

TEST(NumberFormat, PercentHasTwoDecimals) {
    EXPECT_EQ(formatPercent(0.125), "12.50%");
    EXPECT_EQ(formatPercent(2.0), "200.00%");
    EXPECT_EQ(formatPercent(1.0 / 3.0), "33.33%");
    EXPECT_EQ(formatPercent(0.00005), "0.01%");  // halves round away from zero
}

}  // namespace tally
