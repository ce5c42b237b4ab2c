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
    struct Case {
        const char* piece;
        const char* word;
        int start;  // the piece starts at 10
    };
    const Case cases[] = {{" (Hello)", "Hello", 12}, {"(World)", "World", 11}, {" Sky.", "Sky", 11},
                          {" \r\n\r\nSea", "Sea", 15}, {"[[x]]", "[x]", 11}, {"Done!!", "Done!", 10}};
    SeenWords seen;
    for (const Case& c : cases) {
        WordPiece p = cleaned(c.piece, seen);
        EXPECT_EQ(p.word, c.word) << c.piece;
        EXPECT_EQ(p.start, c.start) << c.piece;
    }
    EXPECT_EQ(cleaned(".", seen).word, "");
}

TEST(SpellWords, SeenWordsAreCaseSensitiveAndForgettable) {
    SeenWords seen;
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
