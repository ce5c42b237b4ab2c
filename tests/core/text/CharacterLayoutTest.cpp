// Where the characters of a text begin among its bytes, per code page.

#include "core/text/CharacterLayout.h"

#include <gtest/gtest.h>

#include "core/text/TextCodec.h"

namespace tally {

TEST(CharacterLayout, TheFourEastAsianPagesAreTheDoubleByteOnes) {
    for (int page : {932, 936, 949, 950}) EXPECT_TRUE(isDoubleByteCodePage(page)) << page;
    for (int page : {874, 1250, 1251, kCodePageWestern, 1258, kCodePageUtf8, 0}) EXPECT_FALSE(isDoubleByteCodePage(page)) << page;
}

TEST(CharacterLayout, LeadBytesPerPage) {
    // Shift-JIS leaves the half-width katakana 0xA1..0xDF single.
    EXPECT_TRUE(isLeadByte(932, 0x81));
    EXPECT_TRUE(isLeadByte(932, 0x9F));
    EXPECT_FALSE(isLeadByte(932, 0xA1));
    EXPECT_FALSE(isLeadByte(932, 0xDF));
    EXPECT_TRUE(isLeadByte(932, 0xE0));
    EXPECT_TRUE(isLeadByte(932, 0xFC));
    EXPECT_FALSE(isLeadByte(932, 0xFD));
    for (int page : {936, 949, 950}) {
        EXPECT_FALSE(isLeadByte(page, 0x80)) << page;
        EXPECT_TRUE(isLeadByte(page, 0x81)) << page;
        EXPECT_TRUE(isLeadByte(page, 0xFE)) << page;
        EXPECT_FALSE(isLeadByte(page, 0xFF)) << page;
    }
    EXPECT_FALSE(isLeadByte(932, 'A'));
    EXPECT_FALSE(isLeadByte(kCodePageWestern, 0x83));
    EXPECT_FALSE(isLeadByte(kCodePageUtf8, 0xE3));
}

TEST(CharacterLayout, APairIsTwoBytesWhateverItsTrailLooksLike) {
    // Trail bytes that look like 'A', '\', '|' and '@'.
    for (std::string_view pair : {"\x83\x41", "\x83\x5C", "\x83\x7C", "\x81\x40"})
        EXPECT_EQ(characterLength(pair, 0, 932), 2u) << pair;
    EXPECT_EQ(characterLength("\x83\x41", 1, 932), 1u) << "read from the trail on, 'A' is a letter";
    // A lead byte before a quote, a line end or at the end of the text stands alone.
    EXPECT_EQ(characterLength("\x83\"", 0, 932), 1u);
    EXPECT_EQ(characterLength("\x83\r\n", 0, 932), 1u);
    EXPECT_EQ(characterLength("\x83", 0, 932), 1u);
    EXPECT_EQ(characterLength("\x83\x7F", 0, 932), 1u);
    // Big5 trail bytes skip 0x7F..0xA0; GBK and Korean take 0x80..0xFE.
    EXPECT_EQ(characterLength("\xA4\x80", 0, 950), 1u);
    EXPECT_EQ(characterLength("\xA4\xA1", 0, 950), 2u);
    EXPECT_EQ(characterLength("\xC4\x80", 0, 936), 2u);
    EXPECT_EQ(characterLength("\xB0\xA1", 0, 949), 2u);
    EXPECT_EQ(characterLength("\xB7", 0, 932), 1u) << "half-width katakana";
    EXPECT_EQ(characterLength("\x83\x41", 0, kCodePageWestern), 1u);
    EXPECT_EQ(characterLength("\xC3\xA9", 0, 1251), 1u);
}

TEST(CharacterLayout, Utf8SequencesCountWhenWellFormed) {
    EXPECT_EQ(characterLength("a", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\xC3\xA9", 0, kCodePageUtf8), 2u);
    EXPECT_EQ(characterLength("\xE3\x83\x95", 0, kCodePageUtf8), 3u);
    EXPECT_EQ(characterLength("\xF0\x9F\x98\x80", 0, kCodePageUtf8), 4u);
    // Cut short, overlong, a surrogate, past U+10FFFF, a lone continuation byte: one byte each.
    EXPECT_EQ(characterLength("\xE3\x83", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\xC0\x80", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\xE0\x80\x80", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\xED\xA0\x80", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\xF4\x90\x80\x80", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("\x80", 0, kCodePageUtf8), 1u);
    EXPECT_EQ(characterLength("x\xC3\xA9", 1, kCodePageUtf8), 2u);
}

}  // namespace tally
