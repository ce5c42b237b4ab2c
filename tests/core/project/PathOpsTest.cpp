#include "core/project/PathOps.h"

#include <gtest/gtest.h>

namespace tally {

TEST(PathOps, SplitsAtTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(directoryOf("C:\\proj\\app\\Demo.vbp"), "C:\\proj\\app");
    // A native path splits at its "/" only: a "\\" after the last one is a byte of the name.
    EXPECT_EQ(directoryOf("/proj\\app/sub\\x.bas"), "/proj\\app");
    EXPECT_EQ(fileNameOf("/proj/\x95\x5C\x8E\xA6.frm"), "\x95\x5C\x8E\xA6.frm");
    EXPECT_EQ(directoryOf("Demo.vbp"), "Demo.vbp");  // no separator: the whole text
    EXPECT_EQ(directoryOf(""), "");
    EXPECT_EQ(fileNameOf("shared\\frmAbout.frm"), "frmAbout.frm");
    EXPECT_EQ(ensureTrailingSeparator("C:\\proj\\"), "C:\\proj\\");
    EXPECT_EQ(ensureTrailingSeparator(""), "/");
    EXPECT_EQ(frxPathOf("/proj/app.v2/frmMain"), "/proj/app.v2/frmMain.frx");
    EXPECT_EQ(frxPathOf("/proj/a.b.frm"), "/proj/a.b.frx");
}

TEST(PathOps, ProjectTextsJoinTheProjectDirectoryAndClimbForEachLeadingDotDot) {
    EXPECT_EQ(resolveProjectText("/proj/app/", "modUtils.bas"), "/proj/app/modUtils.bas");
    EXPECT_EQ(resolveProjectText("/proj/app/", "..\\shared\\frmAbout.frm"), "/proj/shared/frmAbout.frm");
    EXPECT_EQ(resolveProjectText("/proj/app/", "..\\..\\lib\\x.bas"), "/lib/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/app/", "../shared/x.bas"), "/proj/shared/x.bas");
    // The trail byte 0x5C of 表 (Shift-JIS 0x95 0x5C) stays in the name; the separators do not.
    EXPECT_EQ(resolveProjectText("/proj/", "Forms\\\x95\x5C\x8E\xA6.frm", 932), "/proj/Forms/\x95\x5C\x8E\xA6.frm");
    EXPECT_EQ(resolveProjectText("/proj/", "Forms\\\x95\x5C\x8E\xA6.frm"), "/proj/Forms/\x95/\x8E\xA6.frm");
    EXPECT_EQ(resolveProjectText("/proj/app/", "..\\..\\..\\..\\x.bas"), "/x.bas");  // stops at the root
    EXPECT_EQ(resolveProjectText("/proj/app", "sub\\x.bas"), "/proj/app/sub/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/app/", "sub\\..\\x.bas"), "/proj/app/sub/../x.bas");
    EXPECT_EQ(resolveProjectText("/proj/app/", "..x.bas"), "/proj/app/..x.bas");
    // A drive is a root of its own on Windows only; elsewhere "C:" is a folder name.
    EXPECT_EQ(resolveProjectText("/proj/app/", "C:\\src\\x.bas"),
              kDriveLettersAreRoots ? "C:\\src\\x.bas" : "/proj/app/C:/src/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/app/", "\\\\server\\share\\x.bas"), "\\\\server\\share\\x.bas");
}

// The project's folder is a native path: a "\\" in it is a byte of a folder's name (a Shift-JIS
// name from an archive, such as 表 0x95 0x5C), neither a separator to convert nor one to end on.
TEST(PathOps, TheProjectFolderKeepsTheTrailBytesOfItsNames) {
    EXPECT_EQ(ensureTrailingSeparator("/proj/\x95\x5C"), "/proj/\x95\x5C/");
    EXPECT_EQ(resolveProjectText("/proj/\x95\x5C\x8E\xA6/", "x.bas", 932), "/proj/\x95\x5C\x8E\xA6/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/\x95\x5C\x8E\xA6/", "x.bas"), "/proj/\x95\x5C\x8E\xA6/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/\x95\x5C", "x.bas", 932), "/proj/\x95\x5C/x.bas");
    EXPECT_EQ(resolveProjectText("/proj/\x95\x5C/app/", "..\\x.bas", 932), "/proj/\x95\x5C/x.bas");
}

}  // namespace tally
