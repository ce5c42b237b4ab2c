#include "core/spell/SpellSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSpeller.h"

namespace tally {

namespace {

using ::testing::ElementsAre;

std::string highlighted(const SpellSession& session) {
    return session.text().substr(static_cast<std::size_t>(session.selectionStart() - 1),
                                 static_cast<std::size_t>(session.selectionLength()));
}

TEST(SpellSession, AnAccessKeyIsLeftOutOfTheQuestionAndPutBackIntoTheSuggestions) {
    std::vector<SpellRow> rows{spellRow("frmMain.frm", "mnuFile", "Caption", "&Opn file")};
    FakeSpeller speller;
    speller.known = {"file"};
    speller.offers["Opn"] = {"Open", "Opened", "pen"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(speller.asked.front(), "Opn");
    EXPECT_EQ(session.notInDictionary(), "Opn");
    EXPECT_EQ(highlighted(session), "&Opn");
    EXPECT_THAT(session.suggestions(), ElementsAre("&Open", "&Opened", "pen"));
    EXPECT_TRUE(session.suggestionsEnabled());
    EXPECT_EQ(session.selectedSuggestion(), 0);
    EXPECT_EQ(session.changeTo(), "&Open");
    EXPECT_EQ(session.info()[2], "Caption");  // file and routine: see the ignored word below

    EXPECT_EQ(session.change(session.changeTo()), SpellState::Finished);
    EXPECT_EQ(rows[0].corrected, "&Open file");
    EXPECT_TRUE(rows[0].checked);
}

TEST(SpellSession, PunctuationIsStrippedAndTheHighlightCoversTheWordAlone) {
    std::vector<SpellRow> rows{spellRow("a.frm", "lbl", "Caption", "Please (wiat) a momnet. -- !")};
    FakeSpeller speller;
    speller.known = {"Please", "--"};
    speller.offers["wiat"] = {"wait"};
    speller.offers["momnet"] = {"moment"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(highlighted(session), "wiat");
    ASSERT_EQ(session.ignore(), SpellState::Waiting);
    EXPECT_EQ(highlighted(session), "momnet");
    EXPECT_EQ(session.ignore(), SpellState::Finished);
    // "a" is a common word and the lone "!" is nothing: neither was asked about.
    EXPECT_THAT(speller.asked, ElementsAre("Please", "wiat", "momnet", "--"));
}

TEST(SpellSession, CommonWordsAreNeverAskedButTheirCapitalisedFormsAre) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "The end of the list is not in it")};
    FakeSpeller speller;
    speller.known = {"The", "end", "list"};
    SpellSession session(rows, speller);
    EXPECT_EQ(session.start(), SpellState::Finished);
    EXPECT_THAT(speller.asked, ElementsAre("The", "end", "list"));
}

TEST(SpellSession, TheWordAfterAKnownWordIsCheckedToo) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Open the flie now")};
    FakeSpeller speller;
    speller.known = {"Open", "now"};
    speller.offers["flie"] = {"file"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(highlighted(session), "flie");
}

TEST(SpellSession, AnIgnoredWordStaysIgnoredAndAChangedWordIsOfferedAgain) {
    std::vector<SpellRow> rows{spellRow("a.frm", "cmdGo", "Caption", "Clik here"),
                               spellRow(" ", "cmdStop", "Caption", "Clik there"),
                               spellRow(" ", "lblA", "Caption", "Teh cat"),
                               spellRow(" ", "lblB", "Caption", "Teh dog")};
    FakeSpeller speller;
    speller.known = {"here", "there", "cat", "dog"};
    speller.offers["Clik"] = {"Click"};
    speller.offers["Teh"] = {"The", "Ten"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(session.currentRow(), 1);
    ASSERT_EQ(session.ignore(), SpellState::Waiting);
    // Row 2's "Clik" was ignored in row 1: the check is on row 3.
    EXPECT_EQ(session.currentRow(), 3);
    EXPECT_EQ(session.info()[0], "a.frm");
    EXPECT_EQ(session.info()[1], "lblA");
    ASSERT_EQ(session.change("The"), SpellState::Waiting);
    EXPECT_EQ(session.currentRow(), 4);
    EXPECT_EQ(session.notInDictionary(), "Teh");
    EXPECT_EQ(session.change("The"), SpellState::Finished);
    EXPECT_FALSE(rows[0].checked);
    EXPECT_FALSE(rows[1].checked);
    EXPECT_EQ(rows[2].corrected, "The cat");
    EXPECT_EQ(rows[3].corrected, "The dog");
}

TEST(SpellSession, AChangeOfAnotherLengthNeitherSkipsNorRepeatsTheNextWord) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Tommorow mornin early"),
                               spellRow("a.frm", "y", "Caption", "Teh bst")};
    FakeSpeller speller;
    speller.known = {"early"};
    speller.offers["Tommorow"] = {"Tomorrow"};
    speller.offers["mornin"] = {"morning"};
    speller.offers["Teh"] = {"The"};
    speller.offers["bst"] = {"best"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    ASSERT_EQ(session.change("Tomorrow"), SpellState::Waiting);  // one shorter
    EXPECT_EQ(highlighted(session), "mornin");
    ASSERT_EQ(session.change("morning"), SpellState::Waiting);  // one longer
    EXPECT_EQ(rows[0].corrected, "Tomorrow morning early");
    EXPECT_EQ(session.currentRow(), 2);
    ASSERT_EQ(session.change("The very"), SpellState::Waiting);  // longer, with a blank
    EXPECT_EQ(highlighted(session), "bst");
    EXPECT_EQ(session.change("best"), SpellState::Finished);
    EXPECT_EQ(rows[1].corrected, "The very best");
    EXPECT_EQ(std::count(speller.asked.begin(), speller.asked.end(), "early"), 1);
}

TEST(SpellSession, ARowWithoutABlankOrLineBreakIsNotChecked) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Cancl"), spellRow("a.frm", "y", "Caption", ""),
                               spellRow("a.frm", "z", "Caption", "Two\r\nlnes")};
    FakeSpeller speller;
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    // A line break does not cut a piece: the two lines are one word.
    EXPECT_EQ(session.currentRow(), 3);
    EXPECT_EQ(session.notInDictionary(), "Two\r\nlnes");
    EXPECT_EQ(session.ignore(), SpellState::Finished);
    EXPECT_THAT(speller.asked, ElementsAre("Two\r\nlnes"));
}

TEST(SpellSession, WithoutSuggestionsTheWordItselfIsOfferedAndTheListIsOff) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Zqxv box"), spellRow("a.frm", "y", "Tag", "a~-b c")};
    FakeSpeller speller;
    speller.known = {"box", "c"};
    SpellSession session(rows, speller);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_THAT(session.suggestions(), ElementsAre("(No Suggestion)"));
    EXPECT_FALSE(session.suggestionsEnabled());
    EXPECT_EQ(session.selectedSuggestion(), -1);
    EXPECT_EQ(session.changeTo(), "Zqxv");
    session.chooseSuggestion(0);
    EXPECT_EQ(session.changeTo(), "Zqxv");
    // A word holding "~-" counts as correct without a question.
    EXPECT_EQ(session.ignore(), SpellState::Finished);
    EXPECT_THAT(speller.asked, ElementsAre("Zqxv", "box", "c"));
}

TEST(SpellSession, ABrokenDictionaryStopsTheRowAndNothingMovesOn) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Hello world")};
    FakeSpeller speller;
    speller.broken = true;
    SpellSession session(rows, speller);
    EXPECT_EQ(session.start(), SpellState::DictionaryBroken);
    EXPECT_EQ(session.ignore(), SpellState::DictionaryBroken);
    EXPECT_EQ(session.change("x"), SpellState::DictionaryBroken);
    EXPECT_EQ(session.start(), SpellState::DictionaryBroken);
    EXPECT_FALSE(rows[0].checked);
}

TEST(SpellSession, NoRowsFinishAtOnce) {
    std::vector<SpellRow> rows;
    FakeSpeller speller;
    SpellSession session(rows, speller);
    EXPECT_EQ(session.start(), SpellState::Finished);
}

}  // namespace

}  // namespace tally
