#include "core/reports/RtfBuilders.h"

#include <gtest/gtest.h>

#include "core/reports/RtfAscii.h"

namespace tally {

namespace {
const std::string kStops =
    "\\pard\\tx0\\tx240\\tx480\\tx720\\tx960\\tx1200\\tx1440\\tx1680\\tx1920\\tx2160\\tx2400\\tx2640\\tx2880"
    "\\tx3120\\tx3360\\tx3600\\tx3840\\tx4080\\tx4320\\tx4560";
}

TEST(RtfBuilders, HeaderIsExact) {
    EXPECT_EQ(rtfHeader(),
              "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
              "Symbol;}{\\f2\\fswiss Arial;}{\\f3\\fswiss Arial;}}\r\n"
              "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue127;\\red0\\green127\\blue0;}\r\n"
              "\\deflang1033");
}

TEST(RtfBuilders, ParagraphStartsWithTwentyTabStopsThenTheStyle) {
    EXPECT_EQ(rtfParagraph("x", kRtfBlack, true, true), kStops + "\\plain\\f2\\fs26\\cf0\\b x");
    EXPECT_EQ(rtfParagraph("Empty Routines", kRtfDarkBlue, false, true), kStops + "\\plain\\f2\\fs20\\cf1\\b Empty Routines");
    EXPECT_EQ(rtfParagraph("y", 7, true, true), kStops + " y");
}

TEST(RtfBuilders, RunStylesByColourThenBigThenBold) {
    EXPECT_EQ(rtfRun("Routine Name", kRtfDarkBlue, true, false), "\\plain\\f2\\fs20\\cf1\\b Routine Name");
    EXPECT_EQ(rtfRun("a", kRtfDarkGreen, false, true), "\\plain\\f2\\fs26\\cf2 a");
    EXPECT_EQ(rtfRun("a", kRtfBlack, false, false), "\\plain\\f2\\fs20\\cf0 a");
    // The flags of a run come bold first: big alone must not make it bold.
    EXPECT_EQ(rtfRun("a", kRtfBlack, false, true), "\\plain\\f2\\fs26\\cf0 a");
    // A colour outside the table gives no style at all.
    EXPECT_EQ(rtfRun("a", 3, true, true), " a");
}

TEST(RtfBuilders, TabRuns) {
    EXPECT_EQ(rtfTabs(0), "");
    EXPECT_EQ(rtfTabs(-1), "");
    EXPECT_EQ(rtfTabs(3), " \\tab  \\tab  \\tab ");  // one tab and the line end are in the version lines
}

TEST(RtfBuilders, EscapeDoublesBackslashesAndBracesOnly) {
    EXPECT_EQ(rtfEscape("\\{}"), "\\\\\\{\\}");
    EXPECT_EQ(rtfEscape("plain text; 100% \"ok\""), "plain text; 100% \"ok\"");
    EXPECT_EQ(rtfEscape("Caf\xE9"), "Caf\xE9");  // the code page step is the document's, not this one's
}

TEST(RtfAscii, HighCharactersBecomeEscapesOfTheCodePage) {
    EXPECT_EQ(rtfAsciiDocument("{\\rtf1 a\\tab b}"), "{\\rtf1 a\\tab b}");
    EXPECT_EQ(rtfAsciiDocument("Caf\xE9"), "Caf\\'e9");           // a Windows-1252 byte
    EXPECT_EQ(rtfAsciiDocument("Caf\xC3\xA9"), "Caf\\'e9");       // the same letter from a UTF-8 name
    EXPECT_EQ(rtfAsciiDocument("\x80 \xE2\x82\xAC"), "\\'80 \\'80");  // the euro sign both ways
    EXPECT_EQ(rtfAsciiDocument("\x81"), "\\'81");                 // an undefined byte keeps its value
    EXPECT_EQ(rtfAsciiDocument("\xC4\x80"), "\\u256\\'3f");       // U+0100 has no Windows-1252 byte
    EXPECT_EQ(rtfAsciiDocument("\xE4\xB8\xAD"), "\\u20013\\'3f");
    EXPECT_EQ(rtfAsciiDocument("\xEF\xBC\x81"), "\\u-255\\'3f");  // U+FF01 is past 32767: negative
    EXPECT_EQ(rtfAsciiDocument("\xF0\x9F\x98\x80"), "\\u-10179\\'3f\\u-8704\\'3f");  // U+1F600 as surrogates
}

}  // namespace tally
