#include "core/text/Windows1252Codec.h"

#include <gtest/gtest.h>

namespace tally {

TEST(Windows1252Codec, DecodesEveryByteAndEncodesWhatTheCodePageHolds) {
    // Decoding is the Windows-1252 table, whose C1 range is pinned there; encoding must undo it.
    const auto codec = makeWindows1252Codec();
    EXPECT_EQ(codec->toUtf8("\x80"), "\xE2\x82\xAC");
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(codec->fromUtf8(codec->toUtf8(all)), all);
}

TEST(Windows1252Codec, RefusesWhatItCannotWriteInsteadOfAQuestionMark) {
    const auto codec = makeWindows1252Codec();
    EXPECT_EQ(codec->fromUtf8("\xED\x95\x9C"), std::nullopt);              // 한
    EXPECT_EQ(codec->fromUtf8("caf\xC3\xA9 \xE4\xB8\xAD"), std::nullopt);  // 中 after text it could write
    EXPECT_EQ(codec->fromUtf8("\xEF\xBF\xBD"), std::nullopt);              // U+FFFD itself
    EXPECT_EQ(codec->fromUtf8("caf\xE9"), std::nullopt);                   // not UTF-8 at all
    EXPECT_EQ(codec->fromUtf8(""), "");
}

TEST(Utf8Codec, PassesWellFormedTextAndReplacesBrokenBytes) {
    const auto codec = makeUtf8Codec();
    const std::string japanese = "' \xE8\xAB\x8B\xE6\xB1\x82\xE6\x9B\xB8";  // ' 請求書
    EXPECT_EQ(codec->toUtf8(japanese), japanese);
    EXPECT_EQ(codec->fromUtf8(japanese), japanese);
    // A byte that starts no sequence, a cut sequence, an overlong form and a surrogate.
    EXPECT_EQ(codec->toUtf8("caf\xE9!"), "caf\xEF\xBF\xBD!");
    EXPECT_EQ(codec->toUtf8("a\xE8\xAB"), "a\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(codec->toUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(codec->toUtf8("\xED\xA0\x80x"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDx");
    EXPECT_EQ(codec->fromUtf8("caf\xE9"), std::nullopt);
}

}  // namespace tally
