// Which texts give a Spell row in projects of other code pages than Windows-1252: there a text may
// start with a character of the page's own script.

#include <gtest/gtest.h>

#include "ScratchProject.h"

namespace tally::test {
namespace {

// The values of the Spell rows that one routine line gives in a one-file project of `codePage`.
std::vector<std::string> spellValues(std::string_view line, int codePage) {
    ScratchProject p;
    p.codePage = codePage;
    p.addFile("modS.bas", crlf("Sub Show()\n    " + std::string(line) + "\nEnd Sub\n"));
    EXPECT_TRUE(p.runDeclarationPass());
    std::vector<std::string> values;
    for (const SpellRow& row : p.model.spell) values.push_back(row.value.str());
    return values;
}

using Values = std::vector<std::string>;

TEST(DeclarationPassCodePageSpell, ShiftJisTextsMayStartWithAJapaneseCharacter) {
    constexpr int kShiftJis = 932;
    const std::string file = "\x83\x74\x83\x40\x83\x43\x83\x8B";  // "file" in katakana
    EXPECT_EQ(spellValues("MsgBox \"" + file + "\"", kShiftJis), Values{file});
    EXPECT_EQ(spellValues("lbl.Caption = \"" + file + "\"", kShiftJis), Values{" " + file});
    // Half-width katakana are single bytes: "\xB7\xAC\xDD\xBE\xD9" is "cancel".
    EXPECT_EQ(spellValues("MsgBox \"\xB7\xAC\xDD\xBE\xD9\"", kShiftJis), Values{"\xB7\xAC\xDD\xBE\xD9"});
    EXPECT_EQ(spellValues("MsgBox \"Open " + file + "\"", kShiftJis), Values{"Open " + file});
    // A lead byte without its trail, and the half-width punctuation, start no text.
    EXPECT_EQ(spellValues("MsgBox \"\x83 x\"", kShiftJis), Values{});
    EXPECT_EQ(spellValues("MsgBox \"\xA2x\"", kShiftJis), Values{});
    EXPECT_EQ(spellValues("MsgBox \"-" + file + "\"", kShiftJis), Values{});
    // A Windows-1252 project keeps the ASCII rule.
    EXPECT_EQ(spellValues("MsgBox \"" + file + "\"", kCodePageWestern), Values{});
    EXPECT_EQ(spellValues("MsgBox \"\xC9t\xE9\"", kCodePageWestern), Values{});
}

TEST(DeclarationPassCodePageSpell, CyrillicTextsMayStartWithACyrillicLetter) {
    constexpr int kCyrillic = 1251;
    const std::string hello = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Privet"
    const std::string tree = "\xA8\xEB\xEA\xE0";           // "Yolka", with the letter Yo below 0xC0
    EXPECT_EQ(spellValues("MsgBox \"" + hello + "\"", kCyrillic), Values{hello});
    EXPECT_EQ(spellValues("MsgBox \"" + tree + "\"", kCyrillic), Values{tree});
    EXPECT_EQ(spellValues("lbl.Caption = \"" + hello + "\"", kCyrillic), Values{" " + hello});
    // Quotes and signs of the upper half start no text.
    EXPECT_EQ(spellValues("MsgBox \"\xAB" + hello + "\xBB\"", kCyrillic), Values{});
    EXPECT_EQ(spellValues("MsgBox \"\xB9 1\"", kCyrillic), Values{});
    EXPECT_EQ(spellValues("MsgBox \"" + hello + "\"", kCodePageWestern), Values{});
}

TEST(DeclarationPassCodePageSpell, Utf8TextsMayStartWithAMultiByteCharacter) {
    const std::string hello = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
    EXPECT_EQ(spellValues("MsgBox \"" + hello + "\"", kCodePageUtf8), Values{hello});
    EXPECT_EQ(spellValues("MsgBox \"\xE3\x83\x95\xE3\x82\xA1\"", kCodePageUtf8), Values{"\xE3\x83\x95\xE3\x82\xA1"});
    // A byte that starts no well-formed sequence is no character.
    EXPECT_EQ(spellValues("MsgBox \"\x9F" "abc\"", kCodePageUtf8), Values{});
    EXPECT_EQ(spellValues("MsgBox \"" + hello + "\"", kCodePageWestern), Values{});
}

}  // namespace
}  // namespace tally::test
