// Case folding, colouring, tidying and searching of sources in other code pages than Windows-1252.
// In Shift-JIS "\x83\x41" is one katakana and "\x83\x61" another: their trail bytes look like
// 'A' and 'a', and folding one into the other would change the character.

#include <gtest/gtest.h>

#include "CodeViewTestSupport.h"
#include "core/codeview/AnsiCase.h"
#include "core/codeview/CodeScanner.h"
#include "core/codeview/CodeSearch.h"
#include "core/codeview/CodeView.h"
#include "support/TempDir.h"

namespace tally {

using testing::paint;

namespace {

constexpr int kShiftJis = 932;
constexpr int kGbk = 936;

std::string tidied(std::string_view text, int codePage, std::vector<MarkRec> marks = {}) {
    MemoryRichTextView view;
    view.setText(text);
    NullColouringProgress progress;
    tidyCode(view, marks, progress, codePage);
    return view.text();
}

std::string coloured(std::string_view text, int codePage, std::vector<MarkRec> marks = {}) {
    MemoryRichTextView view;
    view.setText(text);
    NullColouringProgress progress;
    colourCode(view, marks, false, progress, codePage);
    return paint(view);
}

std::optional<std::size_t> find(std::string_view text, std::string_view what, int codePage, bool down = true,
                                std::size_t from = 0, bool matchCase = false) {
    return findInCode(text, from, what, FindOptions{down, matchCase, false}, codePage);
}

}  // namespace

TEST(CodePageCase, DoubleBytePagesFoldOnlyTheAsciiLettersOutsidePairs) {
    EXPECT_EQ(ansiLower("AB\x83\x41\x83\x61Z", kShiftJis), "ab\x83\x41\x83\x61z");
    EXPECT_EQ(ansiUpper("ab\x83\x41\x83\x61z", kShiftJis), "AB\x83\x41\x83\x61Z");
    // A lead byte is no accented capital: "\xC4\xE3" is one GBK character.
    EXPECT_EQ(ansiLower("\xC4\xE3", kGbk), "\xC4\xE3");
    EXPECT_EQ(ansiLower("\xC4\xE3"), "\xE4\xE3");
    // Half-width katakana are single bytes of 932 but no letters with a case.
    EXPECT_EQ(ansiLower("\xC9X", kShiftJis), "\xC9x");
    // A lead byte at the end has no trail: the letter before it still folds.
    EXPECT_EQ(ansiUpper("a\x83", kShiftJis), "A\x83");
    EXPECT_EQ(asciiLower("X\x83\x41Y", kShiftJis), "x\x83\x41y");
}

TEST(CodePageCase, Utf8FoldsAsciiAndTheSingleBytePagesKeepTheWindowsTable) {
    EXPECT_EQ(ansiLower("CAF\xC3\x89", kCodePageUtf8), "caf\xC3\x89");
    EXPECT_EQ(ansiUpper("caf\xC3\xA9", kCodePageUtf8), "CAF\xC3\xA9");
    EXPECT_EQ(ansiLower("CAF\xC9", kCodePageWestern), "caf\xE9");
    EXPECT_EQ(ansiLower("\xC0\x8A", 1251), ansiLower("\xC0\x8A"));
    EXPECT_EQ(asciiLower("A\xC0", kCodePageWestern), "a\xC0");
}

TEST(CodePageTidy, TrailBytesThatLookLikeLettersAreNotRewritten) {
    // Windows-1252 sees the word "as" after the byte 0x83 and writes the keyword's spelling.
    EXPECT_EQ(tidied("x = \x83\x61s\r\n", kCodePageWestern), "x = \x83\x41s\r\n");
    EXPECT_EQ(tidied("x = \x83\x61s\r\n", kShiftJis), "x = \x83\x61s\r\n");
    // The keywords around the characters are still given their spelling.
    EXPECT_EQ(tidied("dim \x83\x41\x83\x61 as long\r\n", kShiftJis), "Dim \x83\x41\x83\x61 As Long\r\n");
    // A name in the page's script is one word; lower-casing it for the comparison keeps its bytes.
    std::vector<MarkRec> marks{{"\x83\x61\x83\x61", 255}, {"\x83\x41" "Count", 255}};
    EXPECT_EQ(tidied("x = \x83\x41\x83\x41\r\n", kShiftJis, marks), "x = \x83\x41\x83\x41\r\n");
    EXPECT_EQ(tidied("x = \x83\x61\x83\x61\r\n", kShiftJis, marks), "x = \x83\x61\x83\x61\r\n");
    EXPECT_EQ(tidied("x = \x83\x41" "COUNT\r\n", kShiftJis, marks), "x = \x83\x41" "Count\r\n");
    EXPECT_EQ(tidied("x = \x83\x61" "COUNT\r\n", kShiftJis, marks), "x = \x83\x61" "COUNT\r\n");
}

TEST(CodePageTidy, RemCommentsLowerOnlyTheirAsciiLetters) {
    EXPECT_EQ(tidied("REM \x83\x41 OK\r\n", kShiftJis), "rem \x83\x41 ok\r\n");
    EXPECT_EQ(tidied("REM \x83\x41 OK\r\n", kCodePageWestern), "rem \x83\x61 ok\r\n");
    EXPECT_EQ(tidied("Rem \xC4\xE3 X\r\n", kGbk), "rem \xC4\xE3 x\r\n");
    EXPECT_EQ(tidied("Rem CAF\xC3\x89\r\n", kCodePageUtf8), "rem caf\xC3\x89\r\n");
}

TEST(CodePageColour, APairBelongsToTheWordAroundIt) {
    // 1252 colours the "As" that the trail byte starts; in 932 "\x83\x41s" is a name.
    EXPECT_EQ(coloured("x \x83\x41s\r\n", kCodePageWestern), "...kk..");
    EXPECT_EQ(coloured("x \x83\x41s\r\n", kShiftJis), ".......");
    EXPECT_EQ(coloured("Dim \x83\x41 As\r\n", kShiftJis), "kkk....kk..");
    std::vector<MarkRec> marks{{"\x83\x41x", 255}};
    EXPECT_EQ(coloured("y = \x83\x41x\r\n", kShiftJis, marks), "....rrr..");
}

TEST(CodePageSearch, AFoundPositionIsNeverATrailByte) {
    const std::string_view text = "x \x83\x61 a \x83\x41 A";
    EXPECT_EQ(find(text, "a", kCodePageWestern), 3u);
    EXPECT_EQ(find(text, "a", kShiftJis), 5u);
    EXPECT_EQ(find(text, "a", kShiftJis, true, 5), 10u);
    EXPECT_EQ(find(text, "a", kShiftJis, true, 10), std::nullopt);
    EXPECT_EQ(find(text, "A", kShiftJis, true, 0, true), 10u);
    EXPECT_EQ(find(text, "a", kShiftJis, false, 10), 5u);
    EXPECT_EQ(find(text, "a", kShiftJis, false, 5), std::nullopt);
    // The characters themselves are found, and a lead byte alone never is.
    EXPECT_EQ(find(text, "\x83\x41", kShiftJis), 7u);
    EXPECT_EQ(find(text, "\x83\x41", kCodePageWestern), 2u);
    EXPECT_EQ(find("x \x83\x41", "\x83", kShiftJis), std::nullopt);
    // A pair whose trail byte is a lead byte: the second "\x88\x9F" lies across two characters.
    EXPECT_EQ(find("x \x88\x88\x9F\x9F", "\x88\x9F", kShiftJis), std::nullopt);
    EXPECT_EQ(find("x \x88\x88\x9F\x9F", "\x88\x9F", kCodePageWestern), 3u);
}

TEST(CodePageCodeView, TheViewColoursTidiesAndSearchesInItsCodePage) {
    TempDir folder;
    ProjectModel model;
    MemoryRichTextView view;
    testing::ScriptedPrompt prompt;
    NullColouringProgress progress;
    CodeView code(model, view, prompt, progress);
    code.setCodePage(kShiftJis);

    const std::string routine = "Private Sub Add()\r\n    x = \x83\x61s\r\nEnd Sub\r\n";
    const std::string path =
        folder.write("Module1.bas", "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\n\r\n" + routine);
    code.setRoutineItems(path, {{"(Declarations)", "0 - -1", "decs"}, {"Add", "1 - 9", "sub"}});
    ASSERT_TRUE(code.showSubFile(1).ok);
    EXPECT_EQ(view.text(), routine);
    code.refresh();
    EXPECT_EQ(view.text(), routine);
    EXPECT_FALSE(code.viewChanged());

    // Every "a" ignoring case, in turn: those of "Private" and "Add", not the trail byte of "\x83\x61".
    view.setSelStart(0);
    std::vector<std::size_t> found;
    for (FindResult next = code.findFromDialog("A", FindOptions{true, false, false}); next.found && found.size() < 5;
         next = code.findNext())
        found.push_back(view.selStart());
    EXPECT_EQ(found, (std::vector<std::size_t>{4, 12}));
}

}  // namespace tally
