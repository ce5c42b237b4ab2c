#include "core/spell/SpellWords.h"

#include <gtest/gtest.h>

namespace tally {

namespace {

WordPiece cleaned(std::string word, SeenWords& seen, int start = 10) {
    WordPiece piece{std::move(word), start, {}};
    cleanWord(piece, seen);
    return piece;
}

TEST(SpellWords, CleaningDropsOneMarkAtEachEndAndMovesTheStart) {
    SeenWords seen;
    WordPiece p = cleaned(" (Hello)", seen);
    EXPECT_EQ(p.word, "Hello");
    EXPECT_EQ(p.start, 12);
    p = cleaned("(World)", seen);
    EXPECT_EQ(p.word, "World");
    EXPECT_EQ(p.start, 11);
    p = cleaned(" Sky.", seen);
    EXPECT_EQ(p.word, "Sky");
    EXPECT_EQ(p.start, 11);
    p = cleaned(" \r\n\r\nSea", seen);
    EXPECT_EQ(p.word, "Sea");
    EXPECT_EQ(p.start, 15);
    p = cleaned("[[x]]", seen);
    EXPECT_EQ(p.word, "[x]");
    p = cleaned("Done!!", seen);
    EXPECT_EQ(p.word, "Done!");
    p = cleaned(".", seen);
    EXPECT_EQ(p.word, "");
}

TEST(SpellWords, SeenWordsAreCaseSensitiveAndForgettable) {
    SeenWords seen;
    EXPECT_EQ(seen.size(), 13u);
    EXPECT_EQ(cleaned("the", seen).word, "");
    EXPECT_EQ(cleaned("The", seen).word, "The");
    EXPECT_EQ(cleaned("The", seen).word, "");
    seen.forget("The");
    EXPECT_EQ(cleaned("The", seen).word, "The");
}

TEST(SpellWords, AccessKeys) {
    SeenWords seen;
    WordPiece p = cleaned("E&xit", seen);
    EXPECT_EQ(p.mnemonic, "x");
    EXPECT_EQ(cleaned("Save&", seen).mnemonic, "");
    EXPECT_EQ(removeMnemonic("E&xit", "x"), "Exit");
    EXPECT_EQ(removeMnemonic("Save&", ""), "Save&");
    EXPECT_EQ(insertMnemonic("Exit", "x"), "E&xit");
    EXPECT_EQ(insertMnemonic("open", "O"), "open");
    EXPECT_EQ(insertMnemonic("Open", ""), "Open");
}

}  // namespace

}  // namespace tally
