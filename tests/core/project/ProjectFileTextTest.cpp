#include "core/project/ProjectFileText.h"

#include <gtest/gtest.h>

namespace tally {

TEST(ProjectFileText, ModuleEntriesSplitAtTheFirstSemicolonBlank) {
    auto split = [](std::string_view entry) {
        ModuleEntry e = splitModuleEntry(entry);
        return e.name + "|" + e.fileText;
    };
    EXPECT_EQ(split("modUtils; modUtils.bas"), "modUtils|modUtils.bas");
    EXPECT_EQ(split("  modA ; ..\\lib\\a;b.bas"), "modA|..\\lib\\a;b.bas");
    EXPECT_EQ(split("a; b; c.bas"), "a|b; c.bas");
    EXPECT_EQ(split("modA;modA.bas "), "modA|modA.bas");  // no "; ": a lone ";" separates
    EXPECT_EQ(split(" modB.bas "), "modB.bas|modB.bas");  // neither: the whole entry is both
}

TEST(ProjectFileText, DeclaredNameIsTheLastWordOfTheFirstKeywordLine) {
    const std::string_view form = "Begin VB.Form";
    EXPECT_EQ(nameFromText("VERSION 5.00\r\nBegin VB.Form frmMain \r\n   Caption = \"x\"\r\n", form),
              "frmMain");
    EXPECT_EQ(nameFromText("VERSION 5.00\nBegin VB.Form   frmLf\t\nEnd\n", form), "frmLf");
    EXPECT_EQ(nameFromText("Begin VB.Form frmEnd", form), "frmEnd");
    EXPECT_EQ(nameFromText("Begin VB.Form\r\nEnd", form), "");
    EXPECT_EQ(nameFromText("begin vb.form lower\r\nBegin VB.Form Upper\r\nBegin VB.Form Later", form),
              "Upper");
    EXPECT_EQ(nameFromText("Begin VB.MDIForm mdiMain\r\n", form), std::nullopt);

    EXPECT_EQ(nameFromText("Begin VB.Frame fraX\r\n", form), std::nullopt);
    EXPECT_EQ(nameFromText("Begin VB.PropertyPage ppgOptions \r\n", "Begin VB.PropertyPage"), "ppgOptions");
}

TEST(ProjectFileText, ObjectLibraryVersionLiesBetweenTheBraceHashAndTheNextHash) {
    EXPECT_EQ(objectLibraryVersion("Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX"),
              "2.0");
    EXPECT_EQ(objectLibraryVersion("Object={X}##0; A.OCX"), "");
    EXPECT_EQ(objectLibraryVersion("Object={X}#2.0; A.OCX"), "");
    EXPECT_EQ(objectLibraryVersion("Object=*\\Ax.vbp"), "");
}

}  // namespace tally
