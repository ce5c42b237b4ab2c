#include "core/reports/RtfReader.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/reports/RtfBuilders.h"

namespace tally {

namespace {

std::vector<std::string> texts(const RichDocument& d) {
    std::vector<std::string> out;
    for (const RichParagraph& p : d.paragraphs) out.push_back(p.text());
    return out;
}

// The format of the run holding `needle`.
RichFormat formatOf(const RichDocument& d, std::string_view needle) {
    for (const RichParagraph& p : d.paragraphs)
        for (const RichRun& r : p.runs)
            if (r.text.find(needle) != std::string::npos) return r.format;
    ADD_FAILURE() << "no run holds " << needle;
    return {};
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(RtfReader, ReadsWhatTheReportBuildersWrite) {
    std::string rtf = rtfHeader() + rtfParagraph("Title", kRtfDarkBlue, true, true) + rtfLineEnd() +
                      rtfRun("Name", kRtfDarkGreen, false, false) + rtfTabs(1) + "File" + rtfLineEnd() +
                      rtfRun("", kRtfBlack, false, false) + rtfEscape("C:\\a{b}") + rtfLineEnd() + rtfClose();
    RichDocument d = readRtf(rtf);
    // The blank before a tab run is text. The formats of what the builders write are checked
    // through the reports.
    EXPECT_EQ(texts(d), (Texts{"Title", "Name \tFile", "C:\\a{b}"}));
    EXPECT_TRUE(readRtf(rtfHeader() + rtfClose()).paragraphs.empty());
}

TEST(RtfReader, CharacterFormattingWordsAndGroupsRestoringThem) {
    RichDocument d = readRtf(
        "{\\rtf1\\ansi\\deff1{\\fonttbl\\f0\\froman Times New Roman;\\f1\\fswiss Helvetica;}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "plain {\\b bold {\\i both}} \\ul under\\ulnone  \\cf1 red\\cf0  \\f0\\fs36 big\\plain  reset"
        "\\b\\b0  off\\ul0  off2}");
    EXPECT_EQ(texts(d), (Texts{"plain bold both under red big reset off off2"}));
    EXPECT_EQ(formatOf(d, "plain").font, "Helvetica");  // the default font
    EXPECT_EQ(formatOf(d, "plain").colour, std::nullopt);  // entry 0 is automatic
    EXPECT_TRUE(formatOf(d, "bold").bold);
    EXPECT_FALSE(formatOf(d, "bold").italic);
    EXPECT_TRUE(formatOf(d, "both").bold && formatOf(d, "both").italic);
    EXPECT_TRUE(formatOf(d, "under").underline);
    EXPECT_EQ(formatOf(d, "red").colour, (RichColour{255, 0, 0}));
    EXPECT_EQ(formatOf(d, "big").font, "Times New Roman");
    EXPECT_EQ(formatOf(d, "big").halfPoints, 36);
    EXPECT_EQ(formatOf(d, "reset").font, "Helvetica");
    EXPECT_EQ(formatOf(d, "reset").halfPoints, 24);
    EXPECT_FALSE(formatOf(d, "off").bold);
    EXPECT_FALSE(formatOf(d, "off2").underline);
}

TEST(RtfReader, ParagraphsAlignmentBreaksAndTabs) {
    RichDocument d = readRtf("{\\rtf1 \\qc centred\\par \\pard right?\\qr\\par \\pard\\qj just\\par left\\line next\\tab x\\par\\par}");
    ASSERT_EQ(d.paragraphs.size(), 5u);
    EXPECT_EQ(d.paragraphs[0].alignment, RichAlignment::Center);
    EXPECT_EQ(d.paragraphs[1].alignment, RichAlignment::Right);  // the alignment in force at the mark
    EXPECT_EQ(d.paragraphs[2].alignment, RichAlignment::Justify);
    EXPECT_EQ(d.paragraphs[3].alignment, RichAlignment::Justify);  // \par keeps the paragraph's properties
    EXPECT_EQ(texts(d), (Texts{"centred", "right?", "just", "left\nnext\tx", ""}));
    EXPECT_EQ(plainText(d), "centred\nright?\njust\nleft\nnext\tx\n\n");
    EXPECT_EQ(plainText(d, "\r\n"), "centred\r\nright?\r\njust\r\nleft\r\nnext\tx\r\n\r\n");
}

TEST(RtfReader, EscapesCodePageBytesAndUnicode) {
    RichDocument d = readRtf(
        "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94 \\u8364\\'80 \\uc2\\u20013\\'3f\\'3f|"
        "{\\uc0\\u233}|\\uc1\\u-10179?\\u-8704?|\\~|\\_|a\\-b|\\{\\}\\\\|\\emdash\\endash\\bullet}");
    EXPECT_EQ(texts(d), (Texts{"caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC \xE4\xB8\xAD|\xC3\xA9|"
                               "\xF0\x9F\x98\x80|\xC2\xA0|\xE2\x80\x91|ab|{}\\|\xE2\x80\x94\xE2\x80\x93\xE2\x80\xA2"}));
}

TEST(RtfReader, SkipsDestinationsPicturesObjectsAndBinaryData) {
    RichDocument d = readRtf(
        "{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title Secret}{\\author Me}}{\\stylesheet{\\s0 Normal;}}"
        "a{\\*\\unknowndest hidden {nested}}b{\\pict\\pngblip 89504e47}c{\\object\\objemb{\\*\\objdata 0102}"
        "{\\result fallback}}d{\\pict\\bin6 }{\\}\\x}e\\madeupword f {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}");
    EXPECT_EQ(texts(d), (Texts{"abcdef link"}));
}

TEST(RtfReader, HugeOrNegativeBinaryCountsNeitherAllocateNorHang) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\bin999999999999999999999 bcdef}")), (Texts{"a"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\bin-5 bc}")), (Texts{"abc"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\bin2 xyz}")), (Texts{"az"}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(RtfReader, HundredThousandNestedGroupsShowTheirText) {
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i) rtf += i == 50 ? "{\\b " : "{";
    rtf += "deep";
    rtf += std::string(100000, '}');
    rtf += " after}";
    auto start = std::chrono::steady_clock::now();
    RichDocument d = readRtf(rtf);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(texts(d), (Texts{"deep after"}));
    EXPECT_TRUE(formatOf(d, "deep").bold);
    EXPECT_FALSE(formatOf(d, "after").bold);  // the groups past the cap still close in balance
    // Never closed: what was read is kept.
    EXPECT_EQ(texts(readRtf("{\\rtf1 " + std::string(100000, '{') + "open")), (Texts{"open"}));
}

TEST(RtfReader, UnbalancedAndTruncatedInputEndsQuietly) {
    EXPECT_EQ(texts(readRtf("{\\rtf1 a}}}} b}")), (Texts{"a b"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 {\\b a")), (Texts{"a"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\")), (Texts{"a"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\'")), (Texts{"a"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\'4")), (Texts{"a4"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\'zz}")), (Texts{"azz"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\u")), (Texts{"a"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\u65")), (Texts{"aA"}));
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\u99999999 b}")), (Texts{"a"}));  // out of range: nothing, fallback skipped
    EXPECT_EQ(texts(readRtf("{\\rtf1 a\\fs99999999999999999999999 b}")), (Texts{"ab"}));
    EXPECT_EQ(formatOf(readRtf("{\\rtf1 a\\fs99999999999999999999999 b}"), "b").halfPoints, 3276);
    EXPECT_EQ(texts(readRtf("")), Texts{});
    EXPECT_EQ(texts(readRtf("no rtf at all")), (Texts{"no rtf at all"}));
    EXPECT_EQ(texts(readRtf("{\\fonttbl{\\f0 Never closed")), Texts{});
    EXPECT_EQ(texts(readRtf("{\\colortbl\\red300\\green-4;}x")), (Texts{"x"}));
}

TEST(RtfReader, RandomBytesNeverCrashOrHang) {
    const std::string alphabet = "{}\\\\\\'*abfiucpq0123456789 -;\r\n\xE9";
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    std::size_t paragraphs = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string rtf = "{\\rtf1 ";
        int length = static_cast<int>(next() % 200);
        for (int i = 0; i < length; ++i) rtf += alphabet[next() % alphabet.size()];
        if (round % 7 == 0) rtf += "\\bin" + std::to_string(next());
        paragraphs += readRtf(rtf).paragraphs.size();
    }
    EXPECT_GT(paragraphs, 0u);
}

}  // namespace tally
