#include "core/text/Windows1252.h"

#include <gtest/gtest.h>

#include "core/text/TextOps.h"

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

TEST(Windows1252, DisplayTextConvertsEachPartOfAMixedTextOnce) {
    // A member name from the project file (Windows-1252) beside a file name from the disk (UTF-8).
    EXPECT_EQ(displayUtf8("Donn\xE9""es (caf\xC3\xA9.bas)"), "Donn\xC3\xA9""es (caf\xC3\xA9.bas)");
    EXPECT_EQ(displayUtf8("\xE6\x97\xA5\x80"), "\xE6\x97\xA5\xE2\x82\xAC");
    // Overlong forms, surrogates and cut sequences are Windows-1252 bytes.
    EXPECT_EQ(displayUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_EQ(displayUtf8("\xED\xA0\x80"), windows1252ToUtf8("\xED\xA0\x80"));
    EXPECT_EQ(displayUtf8("a\xE6\x97"), "a\xC3\xA6\xE2\x80\x94");
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9"));
    EXPECT_FALSE(isValidUtf8("caf\xE9"));
}

// Both tests take several bytes at a time (the high-byte test 32, then eight); a high byte or a
// broken sequence must be seen at any place, also in the bytes left over after the last whole block.
TEST(Windows1252, HighBytesAndBrokenSequencesAreSeenAtEveryPlace) {
    for (std::size_t length = 1; length <= 75; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string text(length, 'a');
            EXPECT_FALSE(hasHighByte(text));
            text[at] = '\xE9';
            EXPECT_TRUE(hasHighByte(text)) << length << " " << at;
            EXPECT_FALSE(isValidUtf8(text)) << length << " " << at;
            if (at + 1 < length) {
                text[at] = '\xC3';
                text[at + 1] = '\xA9';
                EXPECT_TRUE(isValidUtf8(text)) << length << " " << at;
            }
        }
    }
}

}  // namespace tally
