#include "core/text/Windows1252.h"

#include <gtest/gtest.h>

namespace tally {

TEST(Windows1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
}

TEST(Windows1252, MapsTheC1RangeLikeWindows) {
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign, not U+0080
    EXPECT_EQ(windows1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(utf8ToWindows1252("\xE2\x80\x9Cq\xE2\x80\x9D"), "\x93q\x94");
    EXPECT_EQ(utf8ToWindows1252("\xE4\xB8\xAD"), "?");  // not representable
}

}  // namespace tally
