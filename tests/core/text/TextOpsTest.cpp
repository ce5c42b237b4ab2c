#include "core/text/TextOps.h"

#include <gtest/gtest.h>

#include <random>

namespace tally {

TEST(TextOps, TrimRemovesBlanksAndTabsOnly) {
    EXPECT_EQ(trim("\t  Dim x  \t"), "Dim x");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("\r x \r"), "\r x \r");  // line ends are not whitespace here
}

TEST(TextOps, CaseInsensitiveSearchFoldsAsciiLettersOnly) {
    EXPECT_EQ(findIgnoreCase("lvw.ListItems.Add , , \"x\"", "listitems.add"), 4u);
    EXPECT_EQ(findIgnoreCase("abc", "ABCD"), std::string_view::npos);
    EXPECT_FALSE(equalsIgnoreCase("\xC9", "\xE9"));  // É and é are different bytes
    EXPECT_EQ(toLower("Form1.FRM"), "form1.frm");
    EXPECT_EQ(findIgnoreCase("a As Long", " as "), 1u);
    EXPECT_EQ(findIgnoreCase("a AS b as c", " as ", 2), 6u);  // from a later start
    EXPECT_EQ(findIgnoreCase("1.add", ".ADD"), 1u);           // a first character that is no letter
    EXPECT_EQ(findIgnoreCase("nodes.ad", "nodes.add"), std::string_view::npos);
    EXPECT_EQ(findIgnoreCase("ÉtÉ", "éT"), std::string_view::npos);
    EXPECT_EQ(findIgnoreCase("ab", "", 1), 1u);
    EXPECT_EQ(findIgnoreCase("ab", "b", 3), std::string_view::npos);
}

TEST(TextOps, CaseInsensitiveSearchAnswersAsAFindOfLoweredTexts) {
    // Parts with and without a byte that has no case, which the search hops between with memchr.
    std::mt19937 random(4);
    const std::string bytes = "aAbB. x";
    for (int round = 0; round < 2000; ++round) {
        std::string s(random() % 24, ' '), part(1 + random() % 4, ' ');
        for (char& c : s) c = bytes[random() % bytes.size()];
        for (char& c : part) c = bytes[random() % bytes.size()];
        const std::size_t from = random() % (s.size() + 2);
        ASSERT_EQ(findIgnoreCase(s, part, from), toLower(s).find(toLower(part), from))
            << '"' << s << "\" \"" << part << "\" from " << from;
    }
}

TEST(TextOps, SplitKeepsEmptyParts) {
    EXPECT_EQ(split("a - b - ", " - "), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
    EXPECT_EQ(replaceAll("a,b,,c", ",", "\x03"),
              "a\x03"
              "b\x03\x03"
              "c");
}

// Texts without a literal take a quicker way than those with one; both must cut alike.
TEST(TextOps, SplitOutsideLiteralsCutsOnlyBetweenLiterals) {
    using Parts = std::vector<std::string_view>;
    EXPECT_EQ(splitOutsideLiterals("", ','), (Parts{""}));
    EXPECT_EQ(splitOutsideLiterals(",a,,b ,", ','), (Parts{"", "a", "", "b ", ""}));
    EXPECT_EQ(splitOutsideLiterals("x As Long, y(1, 2) As Byte", ','), (Parts{"x As Long", " y(1", " 2) As Byte"}));
    EXPECT_EQ(splitOutsideLiterals("a = \"1,2\", b", ','), (Parts{"a = \"1,2\"", " b"}));
    EXPECT_EQ(splitOutsideLiterals("a = \"\"\",\", b", ','), (Parts{"a = \"\"\",\"", " b"}));  // a doubled quote
    EXPECT_EQ(splitOutsideLiterals("a, \"open, never closed", ','), (Parts{"a", " \"open, never closed"}));
    // More parts than the first block holds.
    EXPECT_EQ(splitOutsideLiterals("1,2,3,4,5,6,7,8,9,10", ',').size(), 10u);
}

}  // namespace tally
