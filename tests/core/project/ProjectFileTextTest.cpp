#include "core/project/ProjectFileText.h"

#include <gtest/gtest.h>

namespace tally {

// Entries without "; " are covered by the project reader's prefix test.
TEST(ProjectFileText, ModuleEntriesSplitAtTheFirstSemicolonBlank) {
    auto split = [](std::string_view entry) {
        ModuleEntry e = splitModuleEntry(entry);
        return e.name + "|" + e.fileText;
    };
    EXPECT_EQ(split("  modA ; ..\\lib\\a;b.bas"), "modA|..\\lib\\a;b.bas");
    EXPECT_EQ(split("a; b; c.bas"), "a|b; c.bas");
}

// Where the line lies in the file is covered by the project reader's form tests.
TEST(ProjectFileText, DeclaredNameIsTheLastWordOfTheFirstKeywordLineInItsExactCase) {
    const std::string_view form = "Begin VB.Form";
    EXPECT_EQ(nameFromText("Begin VB.Form\r\nEnd", form), "");
    EXPECT_EQ(nameFromText("begin vb.form lower\r\nBegin VB.Form Upper\r\nBegin VB.Form Later", form),
              "Upper");
    EXPECT_EQ(nameFromText("Begin VB.Frame fraX\r\n", form), std::nullopt);
    EXPECT_EQ(nameFromText("Begin VB.PropertyPage ppgOptions \r\n", "Begin VB.PropertyPage"), "ppgOptions");
}

}  // namespace tally
