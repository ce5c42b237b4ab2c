#include "platform/text/TextCodecs.h"

#include "core/text/CodePageDetection.h"
#include "platform/text/Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
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
    // Numbers, "cp" and "windows" prefixes in any case, blanks around, and the usual aliases.
    const std::pair<std::string_view, int> names[] = {
        {"932", 932},          {"CP932", 932},     {" Shift_JIS ", 932},     {"sjis", 932},
        {"windows-31j", 932},  {"GB2312", 936},    {"ms936", 936},           {"euc-kr", 949},
        {"Big5", 950},         {"UTF8", 65001},    {"windows-1251", 1251},   {"Windows1250", 1250},
        {"latin1", 1252}};
    for (const auto& [name, page] : names) EXPECT_EQ(codePageFromName(name), page) << name;
    for (std::string_view unknown :
         {"", "cp", "437", "cp437", "12345", "utf-16", "klingon", "932x", "cp-", "-932"})
        EXPECT_EQ(codePageFromName(unknown), std::nullopt) << unknown;

    // Every page's own name reads back as that page; a page without a codec is still named.
    for (int page : kKnownPages) EXPECT_EQ(codePageFromName(codePageName(page)), page) << page;
    EXPECT_EQ(codePageName(437), "cp437");
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

}  // namespace tally
