// Drive-letter, long-prefix and network paths through the project file reader on Windows, as real
// projects name members on other drives and shares.
#include <gtest/gtest.h>

#include "core/project/ProjectReader.h"
#include "support/TempDir.h"

namespace tally {

TEST(WindowsPaths, MembersOnDrivesSharesAndLongPathsAreFoundWhereTheyAre) {
    TempDir dir;
    ASSERT_EQ(dir.path()[1], ':') << "a temporary folder on a drive: " << dir.path();
    const std::string shared = dir.write("Shared/modAbs.bas", "Attribute VB_Name = \"modAbs\"\r\n");
    const std::string longName = dir.write("Shared/modLong.bas", "Attribute VB_Name = \"modLong\"\r\n");
    dir.write("app/frmMain.frm", "VERSION 5.00\r\nBegin VB.Form frmMain\r\nEnd\r\n");
    // The drive path in another case and with the other separator, as hand-edited projects have it.
    std::string otherCase = shared;
    for (char& c : otherCase) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    const std::string vbp = dir.write("app/Project.vbp",
                                      "Type=Exe\r\n"
                                      "Form=frmMain.frm\r\n"
                                      "Module=modAbs; " + otherCase + "\r\n"
                                      "Module=modLong; \\\\?\\" + longName + "\r\n"
                                      "Module=modUnc; \\\\server\\share\\modUnc.bas\r\n"
                                      "Module=modTwice; " + shared + "\r\n");
    ProjectModel model;
    ASSERT_TRUE(openProject(model, vbp, NoFileVersions{}));
    ASSERT_EQ(model.fileCount(), 5) << "the project row, the form and three modules (one named twice)";
    EXPECT_EQ(model.projectPath, dir / "app/Project.vbp");
    EXPECT_EQ(model.files[1].path, dir / "app/frmMain.frm");
    // The drive path leads to the file, spelled as the disk has it, and counts once.
    EXPECT_EQ(model.files[2].path, shared);
    EXPECT_GT(model.files[2].size, 0);
    EXPECT_EQ(model.files[3].path, "\\\\?\\" + longName);
    EXPECT_GT(model.files[3].size, 0);
    // A share that is not there keeps its path and is a missing member.
    EXPECT_EQ(model.files[4].path, "\\\\server\\share\\modUnc.bas");
    EXPECT_EQ(model.files[4].size, 0);
}

TEST(WindowsPaths, AProjectOpenedThroughALongPathOrWithForwardSlashesIsOneProject) {
    TempDir dir;
    dir.write("app/modA.bas", "Attribute VB_Name = \"modA\"\r\n");
    const std::string vbp = dir.write("app/Project.vbp", "Type=Exe\r\nModule=modA; modA.bas\r\n");
    std::string slashed = vbp;
    for (char& c : slashed)
        if (c == '\\') c = '/';
    for (const std::string& path : {vbp, slashed}) {
        ProjectModel model;
        ASSERT_TRUE(openProject(model, path, NoFileVersions{})) << path;
        ASSERT_EQ(model.fileCount(), 2) << path;
        EXPECT_EQ(model.files[1].path, dir / "app/modA.bas") << path;
        EXPECT_GT(model.files[1].size, 0) << path;
    }
}

}  // namespace tally
