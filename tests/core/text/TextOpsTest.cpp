#include "core/text/TextOps.h"

#include <gtest/gtest.h>

namespace tally {

TEST(TextOps, TrimRemovesBlanksAndTabsOnly) {
    EXPECT_EQ(trim("\t  Dim x  \t"), "Dim x");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("\r x \r"), "\r x \r");  // line ends are not whitespace here
}

TEST(TextOps, CaseInsensitiveSearchLeavesHighBytesAlone) {
    EXPECT_EQ(findIgnoreCase("lvw.ListItems.Add , , \"x\"", "listitems.add"), 4u);
    EXPECT_EQ(findIgnoreCase("abc", "ABCD"), std::string_view::npos);
    EXPECT_FALSE(equalsIgnoreCase("\xC9", "\xE9"));  // É and é are different bytes
    EXPECT_EQ(toLower("Form1.FRM"), "form1.frm");
}

TEST(TextOps, CaseInsensitiveSearchFindsEveryCaseOfTheFirstCharacter) {
    EXPECT_EQ(findIgnoreCase("x = NODES.ADD", "nodes.add"), 4u);
    EXPECT_EQ(findIgnoreCase("x = nodes.add", "Nodes.Add"), 4u);
    EXPECT_EQ(findIgnoreCase("a As Long", " as "), 1u);
    EXPECT_EQ(findIgnoreCase("a AS b as c", " as ", 2), 6u);  // from a later start
    EXPECT_EQ(findIgnoreCase("1.add", ".ADD"), 1u);           // a first character that is no letter
    EXPECT_EQ(findIgnoreCase("nodes.ad", "nodes.add"), std::string_view::npos);
    EXPECT_EQ(findIgnoreCase("ÉtÉ", "éT"), std::string_view::npos);
    EXPECT_EQ(findIgnoreCase("ab", "", 1), 1u);
    EXPECT_EQ(findIgnoreCase("ab", "b", 3), std::string_view::npos);
}

TEST(TextOps, PrefixAndPartTests) {
    EXPECT_TRUE(startsWith("Dim x", "Dim "));
    EXPECT_TRUE(startsWith("Dim", ""));
    EXPECT_FALSE(startsWith("Di", "Dim"));
    EXPECT_FALSE(startsWith("ReDim x", "Dim"));
    EXPECT_TRUE(contains("a = b", " = "));
    EXPECT_FALSE(contains("a =b", " = "));
    EXPECT_EQ(trimView("\t x \t"), "x");
}

TEST(TextOps, SplitKeepsEmptyParts) {
    EXPECT_EQ(split("a - b - ", " - "), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
    EXPECT_EQ(replaceAll("a,b,,c", ",", "\x03"),
              "a\x03"
              "b\x03\x03"
              "c");
}

}  // namespace tally
