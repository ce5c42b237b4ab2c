#include "cli/TerminalText.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/TerminalProgress.h"

namespace tally {

TEST(TerminalText, ControlCharactersBecomeVisibleEscapes) {
    EXPECT_EQ(terminalText("a\x1b]0;owned\x07z"), "a\\x1b]0;owned\\x07z");
    EXPECT_EQ(terminalText("tab\tline\nret\r"), "tab\\x09line\\x0aret\\x0d");
    EXPECT_EQ(terminalText(std::string("nul\0end", 7)), "nul\\x00end");
    EXPECT_EQ(terminalText("del\x7f"), "del\\x7f");
}

TEST(TerminalText, C1ControlsAreEscapedAsCodePointsAndStrayBytesAsBytes) {
    EXPECT_EQ(terminalText("csi\xc2\x9b"
                           "2J"),
              "csi\\x9b2J");  // U+009B, the one-character CSI
    EXPECT_EQ(terminalText("raw\x9b"
                           "2J"),
              "raw\\x9b2J");                            // a raw byte that is not UTF-8
    EXPECT_EQ(terminalText("\xc0\x9b"), "\\xc0\\x9b");  // an overlong form of ESC-like bytes
    EXPECT_EQ(terminalText("cut\xe2\x82"), "cut\\xe2\\x82");
}

TEST(TerminalText, PrintableTextIsUnchanged) {
    const std::string text = "Caf\xc3\xa9 \xe2\x82\xac 100 \xc2\xa0\xf0\x9f\x98\x80 \\x1b stays";
    EXPECT_EQ(terminalText(text), text);
}

TEST(TerminalText, AnsiTextIsDecodedFirst) {
    // 0x80 is the euro sign in Windows-1252; 0x81 has no character and decodes to the C1 control U+0081.
    EXPECT_EQ(terminalTextFromAnsi("\x80\x81\x1b[2J"), "\xe2\x82\xac\\x81\\x1b[2J");
}

TEST(TerminalText, MessagesKeepTheirLineBreaksAndLoseTheirControls) {
    EXPECT_EQ(terminalMessageFromAnsi("Problem.\r\n\r\n75 - x\x1b[2J\ry\nz"),
              "Problem.\n\n75 - x\\x1b[2J\ny\nz");
    EXPECT_EQ(terminalMessageFromAnsi("one line"), "one line");
    EXPECT_EQ(terminalMessageFromAnsi("ends\r\n"), "ends\n");
}

TEST(TerminalText, ProgressLineShowsFileNamesEscaped) {
    std::ostringstream out;
    {
        TerminalProgress progress(out);
        progress.setRange(0, 10);
        progress.setFileLabel("Parsing mod\x1b]2;x\x07.bas");
    }
    const std::string drawn = out.str();
    EXPECT_NE(drawn.find("mod\\x1b]2;x\\x07.bas"), std::string::npos) << drawn;
    EXPECT_EQ(drawn.find('\x07'), std::string::npos);
    EXPECT_EQ(drawn.find("\x1b]"), std::string::npos);
}

}  // namespace tally
