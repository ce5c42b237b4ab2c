// The spell check of captions in other code pages than Windows-1252. Japanese and Chinese are
// written without blanks: a piece of such text is no word a speller could judge, while the ASCII
// words among it still are asked about. In Shift-JIS "\x8A\x4A" (to open) has the trail byte 'J'.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSpeller.h"
#include "core/spell/SpellSession.h"
#include "core/spell/SpellSweep.h"
#include "core/spell/SpellWords.h"

namespace tally {

namespace {

using ::testing::ElementsAre;

constexpr int kShiftJis = 932;

const std::string kFile = "\x83\x74\x83\x40\x83\x43\x83\x8B";  // "file" in katakana
const std::string kOpen = "\x8A\x4A\x82\xAD";                  // "to open", its first trail byte 'J'

std::string highlighted(const SpellSession& session) {
    return session.text().substr(static_cast<std::size_t>(session.selectionStart() - 1),
                                 static_cast<std::size_t>(session.selectionLength()));
}

std::vector<std::string> askedAbout(const std::string& text, int codePage) {
    std::vector<SpellRow> rows{spellRow("a.frm", "lbl", "Caption", text)};
    FakeSpeller speller;
    SpellSession session(rows, speller, codePage);
    for (SpellState state = session.start(); state == SpellState::Waiting; state = session.ignore()) {
    }
    return speller.asked;
}

}  // namespace

TEST(SpellCodePage, ScanTextBlanksTheCharactersOfScriptsWithoutBlanks) {
    EXPECT_EQ(spellScanText("Open" + kFile + " now", kShiftJis), "Open         now");
    EXPECT_EQ(spellScanText("\xB7\xAC\xDD x", kShiftJis), "    x") << "half-width katakana";
    EXPECT_EQ(spellScanText("\xC4\xE3 ok", 936), "   ok");
    // UTF-8: kana, hangul and ideographs go, other letters stay.
    EXPECT_EQ(spellScanText("caf\xC3\xA9\xE3\x83\x95\xEC\x95\x88\xE4\xB8\x80!", kCodePageUtf8),
              "caf\xC3\xA9         !");
    EXPECT_EQ(spellScanText("\xCF\xF0\xE8 x", 1251), "\xCF\xF0\xE8 x");
    EXPECT_EQ(spellScanText("\x83\x41 x", kCodePageWestern), "\x83\x41 x");
}

TEST(SpellCodePage, OnlyTheAsciiWordsOfAJapaneseCaptionAreAskedAbout) {
    const std::string caption = kFile + "\x82\xF0 Opne " + kOpen;
    EXPECT_THAT(askedAbout(caption, kShiftJis), ElementsAre("Opne"));
    // Read as Windows-1252 the pieces of Japanese are asked about, trail bytes and all.
    EXPECT_EQ(askedAbout(caption, kCodePageWestern).size(), 3u);
    // ASCII words written against the Japanese are found too, where they stand.
    std::vector<SpellRow> rows{spellRow("a.frm", "lbl", "Caption", kFile + "Exsel" + kOpen)};
    FakeSpeller speller;
    speller.offers["Exsel"] = {"Excel"};
    SpellSession session(rows, speller, kShiftJis);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(session.selectionStart(), 9);
    EXPECT_EQ(highlighted(session), "Exsel");
    EXPECT_EQ(session.change("Excel"), SpellState::Finished);
    EXPECT_EQ(rows[0].corrected, kFile + "Excel" + kOpen);
    // A caption of Japanese alone asks nothing.
    EXPECT_TRUE(askedAbout(kFile + " " + kOpen, kShiftJis).empty());
}

TEST(SpellCodePage, UnspacedUtf8ScriptsAreLeftOutAndOtherLettersKept) {
    EXPECT_THAT(askedAbout("\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB open r\xC3\xA9sum\xC3\xA9", kCodePageUtf8),
                ElementsAre("open", "r\xC3\xA9sum\xC3\xA9"));
    // Single-byte pages pass every word as it is.
    EXPECT_THAT(askedAbout("\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0", 1251), ElementsAre("\xCF\xF0\xE8\xE2\xE5\xF2", "\xEC\xE8\xF0"));
}

TEST(SpellCodePage, AnAccessKeyIsAWholeCharacter) {
    WordPiece piece{"&\xC3\xA9t\xC3\xA9", 1, {}};
    SeenWords seen;
    cleanWord(piece, seen, kCodePageUtf8);
    EXPECT_EQ(piece.mnemonic, "\xC3\xA9");
    WordPiece western{"&\xC3\xA9t\xC3\xA9", 1, {}};
    SeenWords seenToo;
    cleanWord(western, seenToo);
    EXPECT_EQ(western.mnemonic, "\xC3");

    std::vector<SpellRow> rows{spellRow("a.frm", "mnu", "Caption", "&\xC3\xA9t\xC3\xA9 word")};
    FakeSpeller speller;
    speller.known = {"word"};
    speller.offers["\xC3\xA9t\xC3\xA9"] = {"\xC3\x89t\xC3\xA9"};
    SpellSession session(rows, speller, kCodePageUtf8);
    ASSERT_EQ(session.start(), SpellState::Waiting);
    EXPECT_EQ(session.notInDictionary(), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(highlighted(session), "&\xC3\xA9t\xC3\xA9");
    EXPECT_THAT(session.suggestions(), ElementsAre("\xC3\x89t&\xC3\xA9"));
}

TEST(SpellCodePage, TheSweepCutsWordsInTheCodePageItIsGiven) {
    std::vector<SpellRow> rows{spellRow("a.frm", "lbl", "Caption", kOpen + " Opne " + kFile)};
    FakeSpeller speller;
    speller.offers["Opne"] = {"Open"};
    SpellSweep sweep = sweepSpelling(rows, speller, kShiftJis);
    ASSERT_EQ(sweep.findings.size(), 1u);
    EXPECT_EQ(sweep.findings[0].word, "Opne");
    EXPECT_THAT(sweep.findings[0].suggestions, ElementsAre("Open"));
    EXPECT_THAT(speller.asked, ElementsAre("Opne"));
}

}  // namespace tally
