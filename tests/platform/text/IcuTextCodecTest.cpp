#include "platform/text/IcuTextCodec.h"

#include "core/text/CodePageDetection.h"
#include "core/text/Utf8.h"
#include "platform/text/Fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace tally {

namespace {

constexpr int kDoubleBytePages[] = {932, 936, 949, 950};

std::unique_ptr<TextCodec> codec(int codePage) {
    auto made = makeIcuTextCodec(codePage);
    EXPECT_TRUE(made) << codePage;
    return made;
}

// Whether `utf8` is exactly one code point that stands for a character of text: not U+FFFD, not a
// C1 control (Windows' stand-in for an undefined byte) and not a private-use code point (its
// stand-in for the user-defined areas).
bool isOneTextCharacter(const std::string& utf8) {
    if (utf8.empty()) return false;
    std::size_t at = 0;
    const char32_t cp = nextUtf8CodePoint(utf8, at);
    if (at != utf8.size()) return false;
    return cp != 0xFFFD && !(cp >= 0x80 && cp <= 0x9F) && !(cp >= 0xE000 && cp <= 0xF8FF);
}

}  // namespace

// The fixtures cover every Windows code page ICU is asked for.
TEST(IcuTextCodec, FixturesRoundTripInTheirCodePageAndOtherPagesHaveNoCodec) {
    for (const fixtures::Fixture& fixture : fixtures::kFixtures) {
        const auto made = codec(fixture.codePage);
        ASSERT_TRUE(made);
        EXPECT_EQ(made->codePage(), fixture.codePage);
        const std::optional<std::string> bytes = made->fromUtf8(fixture.text);
        ASSERT_TRUE(bytes) << fixture.codePage;
        EXPECT_TRUE(isValidForCodePage(*bytes, fixture.codePage)) << fixture.codePage;
        EXPECT_EQ(made->toUtf8(*bytes), fixture.text) << fixture.codePage;
    }
    EXPECT_FALSE(makeIcuTextCodec(437));
    EXPECT_FALSE(makeIcuTextCodec(65001));
    EXPECT_EQ(icuConverterName(12345), nullptr);
}

TEST(IcuTextCodec, TrailBytesThatLookLikeBackslashAndBar) {
    const auto sjis = codec(932);
    EXPECT_EQ(sjis->fromUtf8("表"), "\x95\\");
    EXPECT_EQ(sjis->fromUtf8("ソ"), "\x83\\");
    EXPECT_EQ(sjis->fromUtf8("能十申予"), "\x94\\\x8F\\\x90\\\x97\\");
    EXPECT_EQ(sjis->toUtf8("C:\\\x95\\\\x.frm"), "C:\\表\\x.frm");
    EXPECT_EQ(sjis->fromUtf8("\\~"), "\\~");  // ASCII as ASCII, not yen sign and overline

    const auto big5 = codec(950);
    EXPECT_EQ(big5->fromUtf8("許功"), "\xB3\\\xA5\\");
    EXPECT_EQ(big5->fromUtf8("四月"), "\xA5|\xA4\xEB");
    EXPECT_EQ(big5->toUtf8("\xA5|\xA5|"), "四四");

    EXPECT_EQ(codec(936)->fromUtf8("乗"), "\x81\\");
    EXPECT_EQ(codec(949)->fromUtf8("똠"),
              "\x8C"
              "c");
}

TEST(IcuTextCodec, RefusesCharactersTheCodePageLacks) {
    EXPECT_EQ(codec(932)->fromUtf8("Caption = \"€\""), std::nullopt);
    EXPECT_EQ(codec(932)->fromUtf8("한"), std::nullopt);
    EXPECT_EQ(codec(932)->fromUtf8("¥"), std::nullopt);  // only a best fit to 0x5C
    EXPECT_EQ(codec(949)->fromUtf8("ä"), std::nullopt);
    EXPECT_EQ(codec(1251)->fromUtf8("Größe"), std::nullopt);
    EXPECT_EQ(codec(1258)->fromUtf8("Mở"),
              std::nullopt);  // precomposed: 1258 has the letter and the mark apart
    EXPECT_EQ(codec(1252)->fromUtf8("\xED\x95\x9C"), std::nullopt);
    // Malformed UTF-8 is refused as well; the characters the code page has are still written.
    EXPECT_EQ(codec(932)->fromUtf8("\xE8\xAB"), std::nullopt);
    EXPECT_EQ(codec(936)->fromUtf8("€"), "\x80");
    EXPECT_EQ(codec(949)->fromUtf8("€"), "\xA2\xE6");
}

TEST(IcuTextCodec, UndefinedBytesBecomeTheReplacementCharacter) {
    const std::string replacement = "\xEF\xBF\xBD";
    const auto sjis = codec(932);
    EXPECT_EQ(sjis->toUtf8("\x81 a"), replacement + " a");  // the space after a bad lead is kept
    EXPECT_EQ(sjis->toUtf8("\xA0"), replacement);           // ICU itself would write U+001A here
    EXPECT_EQ(sjis->toUtf8("ab\x95"), "ab" + replacement);  // cut at the end
    EXPECT_EQ(codec(949)->toUtf8("\xC7\r\n"), replacement + "\r\n");
    EXPECT_EQ(codec(1253)->toUtf8("\xD2"), replacement);
    EXPECT_EQ(codec(932)->toUtf8(""), "");
    EXPECT_EQ(codec(932)->fromUtf8(""), "");
}

TEST(IcuTextCodec, SingleByteValidityAgreesWithIcu) {
    for (int page : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        const auto made = codec(page);
        for (int b = 0x80; b <= 0xFF; ++b) {
            const std::string byte(1, static_cast<char>(b));
            EXPECT_EQ(isValidForCodePage(byte, page), isOneTextCharacter(made->toUtf8(byte)))
                << page << " byte " << std::hex << b;
        }
    }
}

TEST(IcuTextCodec, EveryCharacterIcuDecodesHasTheDoubleByteStructure) {
    for (int page : kDoubleBytePages) {
        const auto made = codec(page);
        for (int b = 0x80; b <= 0xFF; ++b) {
            const std::string byte(1, static_cast<char>(b));
            if (isOneTextCharacter(made->toUtf8(byte))) {
                EXPECT_TRUE(isValidForCodePage(byte, page)) << page << " byte " << std::hex << b;
            }
        }
        int characters = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
                if (!isOneTextCharacter(made->toUtf8(pair))) continue;
                ++characters;
                EXPECT_TRUE(isValidForCodePage(pair, page))
                    << page << " " << std::hex << lead << ' ' << trail;
            }
        }
        EXPECT_GT(characters, 7000) << page;
    }
}

TEST(IcuTextCodec, DecodesFromSeveralThreadsAtOnce) {
    const auto sjis = codec(932);
    const std::string text = std::string(fixtures::kFixtures[1].text);
    const std::string bytes = *sjis->fromUtf8(text);
    std::vector<std::thread> threads;
    std::vector<int> wrong(6, 0);
    for (std::size_t t = 0; t < wrong.size(); ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 300; ++i) {
                if (sjis->toUtf8(bytes) != text) ++wrong[t];
                if (sjis->fromUtf8(text) != bytes) ++wrong[t];
            }
        });
    for (std::thread& thread : threads) thread.join();
    for (int count : wrong) EXPECT_EQ(count, 0);
}

TEST(IcuTextCodec, LongTextsPassThroughInPieces) {
    const auto gbk = codec(936);
    std::string text;
    while (text.size() < 100000) text += fixtures::kFixtures[2].text;
    const std::optional<std::string> bytes = gbk->fromUtf8(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(gbk->toUtf8(*bytes), text);
}

}  // namespace tally
