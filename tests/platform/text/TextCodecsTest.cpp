#include "platform/text/TextCodecs.h"

#include "core/text/CodePageDetection.h"
#include "platform/text/Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tally {

namespace {

constexpr int kKnownPages[] = {874,  932,  936,  949,  950,  1250, 1251, 1252,
                               1253, 1254, 1255, 1256, 1257, 1258, 65001};

std::string encoded(const fixtures::Fixture& fixture) {
    const auto codec = makeTextCodec(fixture.codePage);
    EXPECT_TRUE(codec);
    return codec ? codec->fromUtf8(fixture.text).value_or("") : "";
}

}  // namespace

TEST(TextCodecs, MakesACodecForEveryKnownCodePage) {
    for (int page : kKnownPages) {
        const auto codec = makeTextCodec(page);
        ASSERT_TRUE(codec) << page;
        EXPECT_EQ(codec->codePage(), page);
        EXPECT_EQ(codec->name(), codePageName(page));
    }
    EXPECT_FALSE(makeTextCodec(437));
    EXPECT_FALSE(makeTextCodec(0));
    EXPECT_FALSE(makeTextCodec(-1));
    const CodecFactory factory = makeTextCodec;
    EXPECT_EQ(factory(1251)->toUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
}

TEST(TextCodecs, TheFastPathsAreTheCoreCodecs) {
    EXPECT_EQ(makeTextCodec(1252)->toUtf8("\x81\x80"), "\xC2\x81\xE2\x82\xAC");  // C1 like Windows, no U+FFFD
    EXPECT_EQ(makeTextCodec(65001)->toUtf8("\xE6\x97\xA5\xFF"), "\xE6\x97\xA5\xEF\xBF\xBD");
}

TEST(TextCodecs, NamesOfCodePages) {
    EXPECT_EQ(codePageFromName("932"), 932);
    EXPECT_EQ(codePageFromName("cp932"), 932);
    EXPECT_EQ(codePageFromName("CP932"), 932);
    EXPECT_EQ(codePageFromName(" Shift_JIS "), 932);
    EXPECT_EQ(codePageFromName("sjis"), 932);
    EXPECT_EQ(codePageFromName("windows-31j"), 932);
    EXPECT_EQ(codePageFromName("gbk"), 936);
    EXPECT_EQ(codePageFromName("GB2312"), 936);
    EXPECT_EQ(codePageFromName("ms936"), 936);
    EXPECT_EQ(codePageFromName("euc-kr"), 949);
    EXPECT_EQ(codePageFromName("windows-949"), 949);
    EXPECT_EQ(codePageFromName("Big5"), 950);
    EXPECT_EQ(codePageFromName("utf-8"), 65001);
    EXPECT_EQ(codePageFromName("UTF8"), 65001);
    EXPECT_EQ(codePageFromName("65001"), 65001);
    EXPECT_EQ(codePageFromName("1251"), 1251);
    EXPECT_EQ(codePageFromName("windows-1251"), 1251);
    EXPECT_EQ(codePageFromName("Windows1250"), 1250);
    EXPECT_EQ(codePageFromName("latin1"), 1252);
    EXPECT_EQ(codePageFromName("874"), 874);

    for (std::string_view unknown :
         {"", "cp", "437", "cp437", "12345", "utf-16", "klingon", "932x", "cp-", "-932"})
        EXPECT_EQ(codePageFromName(unknown), std::nullopt) << unknown;

    EXPECT_EQ(codePageName(1252), "windows-1252");
    EXPECT_EQ(codePageName(65001), "utf-8");
    EXPECT_EQ(codePageName(932), "shift_jis");
    EXPECT_EQ(codePageName(936), "gbk");
    EXPECT_EQ(codePageName(949), "windows-949");
    EXPECT_EQ(codePageName(950), "big5");
    EXPECT_EQ(codePageName(1251), "windows-1251");
    EXPECT_EQ(codePageName(437), "cp437");
    for (int page : kKnownPages) EXPECT_EQ(codePageFromName(codePageName(page)), page) << page;
}

TEST(TextCodecs, DetectsTheCodePageOfEachFixture) {
    for (const fixtures::Fixture& fixture : fixtures::kFixtures) {
        const int page = fixture.codePage;
        if (page != 932 && page != 936 && page != 949 && page != 950 && page != 1251 && page != 1252 &&
            page != 1253)
            continue;
        const std::string bytes = encoded(fixture);
        EXPECT_EQ(detectCodePage({bytes}), page) << page;
        // Each line on its own as well, as a small project with a single caption would give it.
        std::string_view rest = bytes;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            const std::string_view line =
                rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
            rest.remove_prefix(line.size());
            if (std::all_of(line.begin(), line.end(),
                            [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
                continue;
            EXPECT_EQ(detectCodePage({line}), page) << page << ": " << makeTextCodec(page)->toUtf8(line);
        }
        // The UTF-8 form of the same text is UTF-8.
        EXPECT_EQ(detectCodePage({fixture.text}), 65001) << page;
    }
}

TEST(TextCodecs, DetectionAndDecodingTogether) {
    // What opening a project does: detect from the files' bytes, then decode with that codec.
    std::vector<std::string> files;
    for (const fixtures::Fixture& fixture : fixtures::kFixtures)
        if (fixture.codePage == 950)
            files = {"VERSION 5.00\r\nBegin VB.Form frmReport\r\n", encoded(fixture)};
    const int page = detectCodePage({files[0], files[1]});
    ASSERT_EQ(page, 950);
    EXPECT_NE(makeTextCodec(page)->toUtf8(files[1]).find("許可"), std::string::npos);
}

}  // namespace tally
