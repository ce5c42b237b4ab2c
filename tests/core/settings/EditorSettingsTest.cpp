#include "core/settings/EditorSettings.h"

#include <gtest/gtest.h>

namespace tally {

// Missing, empty, blank, unusable or non-positive values keep Arial, 10 points and four-space tabs;
// the others are read as numbers like Val.
TEST(EditorSettings, ValuesAreReadLikeValAndUnusableOnesKeepTheirDefaults) {
    struct Case {
        std::optional<std::string> face, height, tabWidth;
        EditorSettings expected;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, {"Arial", 10, 4}},
        {"  ", " ", "\t", {"Arial", 10, 4}},
        {"Courier New", "12", "8", {"Courier New", 12, 8}},
        {"Tahoma", " 9.5 pt", "2 spaces", {"Tahoma", 9.5, 2}},
        {"Arial", "0", "-1", {"Arial", 10, 4}},
        {"Arial", "-3", "0", {"Arial", 10, 4}},
        {"Arial", "big", "wide", {"Arial", 10, 4}},
        {"Arial", "10", "1", {"Arial", 10, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(editorSettingsFrom(c.face, c.height, c.tabWidth), c.expected)
            << c.face.value_or("-") << "|" << c.height.value_or("-") << "|" << c.tabWidth.value_or("-");
}

}  // namespace tally
