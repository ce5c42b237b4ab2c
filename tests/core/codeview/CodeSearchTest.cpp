#include "core/codeview/CodeSearch.h"

#include <gtest/gtest.h>

namespace tally {

namespace {
std::optional<std::size_t> find(std::string_view text, std::size_t from, std::string_view what, bool down,
                                bool matchCase = false, bool wholeWord = false) {
    return findInCode(text, from, what, FindOptions{down, matchCase, wholeWord});
}
}  // namespace

TEST(Search, DownPassesOverTheCurrentMatchAndUpFindsTheLastOneBefore) {
    std::string_view text = "Foo x Foo y Foo";
    EXPECT_EQ(find(text, 0, "Foo", true), 6u);
    EXPECT_EQ(find(text, 6, "Foo", true), 12u);
    EXPECT_EQ(find(text, 12, "Foo", true), std::nullopt);
    EXPECT_EQ(find(text, 12, "Foo", false), 6u);
    EXPECT_EQ(find(text, 6, "Foo", false), 0u);
    EXPECT_EQ(find(text, 0, "Foo", false), std::nullopt);
    // Up: a match must end before the selection starts.
    EXPECT_EQ(find(text, 8, "Foo", false), 0u);
}

TEST(Search, MatchCaseComparesExactlyOtherwiseCaseIsIgnored) {
    std::string_view text = "x foo FOO \xE9t\xE9 \xC9T\xC9";
    EXPECT_EQ(find(text, 0, "FOO", true, true), 6u);
    EXPECT_EQ(find(text, 0, "FOO", true, false), 2u);
    EXPECT_EQ(find(text, 0, "\xC9T\xC9", true, false), 10u);  // accented letters fold too
    EXPECT_EQ(find(text, 0, "\xC9T\xC9", true, true), 14u);
}

TEST(Search, WholeWordNeedsABlankOnOneSideAndABlankOrLineBreakOnTheOther) {
    std::string_view text = "n = nx + n\r\nn = 1\r\ny = (n) + n \r\n";
    EXPECT_EQ(find(text, 0, "n", true, false, true), 9u);    // « n» before CR LF
    EXPECT_EQ(find(text, 9, "n", true, false, true), 12u);   // CR LF before, blank after
    EXPECT_EQ(find(text, 12, "n", true, false, true), 29u);  // «(n)» is passed over
    EXPECT_EQ(find(text, 29, "n", false, false, true), 12u);
    // At the very start of the text a word has no blank before it.
    EXPECT_EQ(find("n = 1", 0, "n", false, false, true), std::nullopt);
}

TEST(Search, FindTakesTheSelectionUpToItsFirstLineBreak) {
    EXPECT_EQ(findTextOfSelection("Foo\r\nBar"), "Foo");
    EXPECT_EQ(findTextOfSelection("Foo Bar"), "Foo Bar");
}

}  // namespace tally
