#include "cli/TerminalText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "cli/TerminalProgress.h"

namespace tally {

TEST(TerminalText, ControlsBecomeVisibleEscapesC1AsCodePointsAndStrayBytesAsBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\x1b]0;owned\x07z", "a\\x1b]0;owned\\x07z"},
        {"tab\tline\nret\r", "tab\\x09line\\x0aret\\x0d"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"del\x7f", "del\\x7f"},
        {"csi\xc2\x9b" "2J", "csi\\x9b2J"},  // U+009B, the one-character CSI
        {"raw\x9b" "2J", "raw\\x9b2J"},      // a raw byte that is not UTF-8
        {"\xc0\x9b", "\\xc0\\x9b"},        // an overlong form of ESC-like bytes
        {"cut\xe2\x82", "cut\\xe2\\x82"},
        // Printable text, and escapes already written out, stay as they are.
        {"Caf\xc3\xa9 \xe2\x82\xac 100 \xc2\xa0\xf0\x9f\x98\x80 \\x1b stays",
         "Caf\xc3\xa9 \xe2\x82\xac 100 \xc2\xa0\xf0\x9f\x98\x80 \\x1b stays"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(terminalText(text), shown) << shown;
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
