#include "core/reports/RtfWriter.h"

#include <gtest/gtest.h>

#include "core/reports/RichHtml.h"
#include "core/reports/RtfReader.h"

namespace tally {

namespace {

RichFormat format(std::string font, int halfPoints, bool bold = false, bool italic = false, bool underline = false,
                  std::optional<RichColour> colour = std::nullopt) {
    return RichFormat{std::move(font), halfPoints, bold, italic, underline, colour};
}

RichDocument sample() {
    RichDocument d;
    d.paragraphs.push_back({RichAlignment::Center, {{"Project Code Report", format("Arial", 26, true, false, false, RichColour{0, 0, 127})}}});
    d.paragraphs.push_back({RichAlignment::Left,
                            {{"Name\t", format("Arial", 20, false, false, false, RichColour{0, 127, 0})},
                             {"C:\\Src\\{App}.vbp", format("Courier New", 20)},
                             {" italic", format("Courier New", 20, false, true)},
                             {" under", format("Courier New", 20, false, false, true)},
                             {" all", format("Times New Roman", 31, true, true, true, RichColour{255, 255, 255})}}});
    d.paragraphs.push_back({RichAlignment::Right, {}});
    d.paragraphs.push_back({RichAlignment::Justify,
                            {{"caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80 line\nbreak \x01 \xC2\x80", format("", 24)}}});
    d.paragraphs.push_back({RichAlignment::Left, {{"last", format("Arial", 20, false, false, false, RichColour{0, 0, 0})}}});
    return d;
}

}  // namespace

TEST(RtfWriter, ReadingBackGivesTheSameDocument) {
    RichDocument d = sample();
    std::string rtf = writeRtf(d);
    EXPECT_EQ(readRtf(rtf), d);
    // And again: writing what was read changes nothing.
    EXPECT_EQ(writeRtf(readRtf(rtf)), rtf);
    EXPECT_EQ(readRtf(writeRtf(RichDocument{})), RichDocument{});
}

TEST(RtfWriter, WritesPureAsciiWithCodePageEscapes) {
    std::string rtf = writeRtf(sample());
    for (char c : rtf) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_NE(rtf.find("caf\\'e9 \\'80 \\u20013?"), std::string::npos);
    EXPECT_NE(rtf.find("C:\\\\Src\\\\\\{App\\}.vbp"), std::string::npos);
    EXPECT_NE(rtf.find("\\red0\\green0\\blue127;"), std::string::npos);
    EXPECT_EQ(rtf.back(), '}');
}

TEST(RtfWriter, AFontNameCannotBreakTheFontTable) {
    RichDocument d;
    d.paragraphs.push_back({RichAlignment::Left, {{"x", format("Evil;}{\\b", 24)}}});
    RichDocument back = readRtf(writeRtf(d));
    ASSERT_EQ(back.paragraphs.size(), 1u);
    EXPECT_EQ(back.paragraphs[0].text(), "x");
    EXPECT_EQ(back.paragraphs[0].runs[0].format.font, "Evilb");
    EXPECT_FALSE(back.paragraphs[0].runs[0].format.bold);
}

TEST(RichHtml, CompletePageWithEscapedTextAndStyles) {
    std::string html = writeHtml(sample(), "Report <1> & \"2\"");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n", 0), 0u);
    EXPECT_NE(html.find("<title>Report &lt;1&gt; &amp; &quot;2&quot;</title>"), std::string::npos);
    EXPECT_NE(html.find("<p style=\"text-align:center\"><span style=\"font-family:'Arial';font-size:13pt;"
                        "font-weight:bold;color:#00007f;\">Project Code Report</span></p>"),
              std::string::npos);
    EXPECT_NE(html.find(">C:\\Src\\{App}.vbp</span>"), std::string::npos);
    EXPECT_NE(html.find("font-size:15.5pt;font-weight:bold;font-style:italic;text-decoration:underline;color:#ffffff"),
              std::string::npos);
    EXPECT_NE(html.find("caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80 line<br>break  \xC2\x80"), std::string::npos);
    EXPECT_NE(html.find("<p style=\"text-align:right\"></p>"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 16), "</body>\n</html>\n");
}

TEST(RichHtml, MarkupInRunsAndFontNamesStaysText) {
    RichDocument d;
    d.paragraphs.push_back({RichAlignment::Left, {{"<script>alert(1)</script>", format("x'\"><b>", 24)}}});
    std::string html = writeHtml(d, "t");
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

}  // namespace tally
