#include "core/codeview/BlockCommands.h"

#include <gtest/gtest.h>

namespace tally {

TEST(BlockCommands, CommentPutsAnApostropheBeforeEachLineButNotAfterAFinalBreak) {
    EXPECT_EQ(commentBlock("a"), "'a");
    EXPECT_EQ(commentBlock("a\r\nb"), "'a\r\n'b");
    EXPECT_EQ(commentBlock("a\r\n"), "'a\r\n");
    EXPECT_EQ(commentBlock("a\r\n\r\nb\r\n"), "'a\r\n'\r\n'b\r\n");
    EXPECT_EQ(commentBlock(""), "'");
}

TEST(BlockCommands, IndentPutsATabBeforeEachLine) {
    EXPECT_EQ(indentBlock("x = 1"), "\tx = 1");
    EXPECT_EQ(indentBlock("a\r\nb"), "\ta\r\n\tb");
    EXPECT_EQ(indentBlock("a\r\nb\r\n"), "\ta\r\n\tb\r\n");
}

TEST(BlockCommands, OutdentTakesOneTabFromEachLineWhenAnyLineStartsWithATab) {
    EXPECT_EQ(outdentBlock("\ta\r\n    b\r\n\tc"), "a\r\n    b\r\nc");
    EXPECT_EQ(outdentBlock("\t\ta\r\n\tb\r\n"), "\ta\r\nb\r\n");
    EXPECT_EQ(outdentBlock("\tx"), "x");
    // The tab of a line after the final break is outside the selection's lines.
    EXPECT_EQ(outdentBlock("\ta\r\n"), "a\r\n");
}

TEST(BlockCommands, OutdentTakesFourBlanksWhenNoLineStartsWithATab) {
    EXPECT_EQ(outdentBlock("    a\r\n      b\r\nc"), "a\r\n  b\r\nc");
    EXPECT_EQ(outdentBlock("        a\r\n   b\r\n"), "    a\r\n   b\r\n");
    EXPECT_EQ(outdentBlock("a\r\nb"), "a\r\nb");
}

}  // namespace tally
