#include "core/codeview/BlockCommands.h"

#include <gtest/gtest.h>

namespace tally {

TEST(BlockCommands, EachLineOfTheSelectionIsCommentedIndentedOrOutdented) {
    struct Case {
        std::string (*command)(std::string_view);
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        // An apostrophe before each line, but not after a final break.
        {commentBlock, "a\r\nb", "'a\r\n'b"},
        {commentBlock, "a\r\n\r\nb\r\n", "'a\r\n'\r\n'b\r\n"},
        {commentBlock, "", "'"},
        {indentBlock, "a\r\nb\r\n", "\ta\r\n\tb\r\n"},
        // Outdent takes one tab from each line when any line starts with a tab ...
        {outdentBlock, "\ta\r\n    b\r\n\tc", "a\r\n    b\r\nc"},
        {outdentBlock, "\t\ta\r\n\tb\r\n", "\ta\r\nb\r\n"},
        // ... the tab of a line after the final break is outside the selection's lines ...
        {outdentBlock, "\ta\r\n", "a\r\n"},
        // ... and otherwise up to four blanks.
        {outdentBlock, "    a\r\n      b\r\nc", "a\r\n  b\r\nc"},
        {outdentBlock, "        a\r\n   b\r\n", "    a\r\n   b\r\n"},
        {outdentBlock, "a\r\nb", "a\r\nb"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.command(c.input), c.expected) << c.input;
}

}  // namespace tally
