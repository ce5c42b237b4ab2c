#include "core/settings/EditorSettings.h"

#include <gtest/gtest.h>

namespace tally {

TEST(EditorSettings, MissingOrEmptyValuesGiveArialTenWithFourSpaceTabs) {
    EXPECT_EQ(editorSettingsFrom(std::nullopt, std::nullopt, std::nullopt), (EditorSettings{"Arial", 10, 4}));
    EXPECT_EQ(editorSettingsFrom("", "", ""), (EditorSettings{"Arial", 10, 4}));
    EXPECT_EQ(editorSettingsFrom("  ", " ", "\t"), (EditorSettings{"Arial", 10, 4}));
}

TEST(EditorSettings, ValuesAreReadAsNumbersLikeVal) {
    EXPECT_EQ(editorSettingsFrom("Courier New", "12", "8"), (EditorSettings{"Courier New", 12, 8}));
    EXPECT_EQ(editorSettingsFrom("Tahoma", " 9.5 pt", "2 spaces"), (EditorSettings{"Tahoma", 9.5, 2}));
}

TEST(EditorSettings, SizesAndWidthsThatCannotBeUsedKeepTheirDefaults) {
    EXPECT_EQ(editorSettingsFrom("Arial", "0", "0"), (EditorSettings{"Arial", 10, 4}));
    EXPECT_EQ(editorSettingsFrom("Arial", "-3", "-1"), (EditorSettings{"Arial", 10, 4}));
    EXPECT_EQ(editorSettingsFrom("Arial", "big", "wide"), (EditorSettings{"Arial", 10, 4}));
    EXPECT_EQ(editorSettingsFrom("Arial", "10", "1"), (EditorSettings{"Arial", 10, 1}));
}

}  // namespace tally
