#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "core/reports/FindFile.h"
#include "core/reports/FolderList.h"
#include "core/reports/RoutineStats.h"
#include "core/reports/VersionLines.h"

namespace tally {

namespace {

ProjectModel withFiles(std::initializer_list<const char*> paths) {
    ProjectModel model;
    for (const char* path : paths) model.addFile(FileRec{.name = "", .path = path});
    return model;
}

SubRec routine(std::string name, int kind, int lines, std::string file = "Module1.bas") {
    return SubRec{.name = std::move(name), .kind = kind, .file = std::move(file), .lineCount = lines};
}

}  // namespace

TEST(FolderList, DistinctFoldersOfExistingFilesInTheOrderMet) {
    ProjectModel model = withFiles({"/p/App/Form1.frm", "/p/app/Module1.bas", "/p/Lib/Tools.bas",
                                    "/p/Gone/Old.bas", "/p/App/Class1.cls"});
    FakeFiles files;
    files.present = {"/p/App/Form1.frm", "/p/app/Module1.bas", "/p/Lib/Tools.bas", "/p/App/Class1.cls"};
    EXPECT_EQ(projectFolders(model, files), (std::vector<std::string>{"/p/App", "/p/Lib"}));
    files.present.clear();
    EXPECT_TRUE(projectFolders(model, files).empty());
}

TEST(FindFile, ProjectFolderThenWindowsThenSystem) {
    FakeFiles files;
    LibraryFolders folders{"/proj/", "/wine/drive_c/windows/", "/wine/drive_c/windows/system32/"};
    files.present = {"/wine/drive_c/windows/system32/MSCOMCTL.OCX", "/wine/drive_c/windows/both.dll",
                     "/wine/drive_c/windows/system32/both.dll", "/proj/both.dll"};
    EXPECT_EQ(findLibraryFile("MSCOMCTL.OCX", folders, files), "/wine/drive_c/windows/system32/MSCOMCTL.OCX");
    EXPECT_EQ(findLibraryFile("both.dll", folders, files), "/proj/both.dll");
    files.present.erase("/proj/both.dll");
    EXPECT_EQ(findLibraryFile("both.dll", folders, files), "/wine/drive_c/windows/both.dll");
    EXPECT_EQ(findLibraryFile("absent.dll", folders, files), "");
    EXPECT_EQ(findLibraryFile("", folders, files), "");
}

TEST(FindFile, ANameWithAColonIsUsedUnchanged) {
    FakeFiles files;
    LibraryFolders folders{"/proj/", "", ""};
    EXPECT_EQ(findLibraryFile("C:\\WINDOWS\\SYSTEM\\COMDLG32.OCX", folders, files), "C:\\WINDOWS\\SYSTEM\\COMDLG32.OCX");
    files.present = {"/proj/kernel32"};
    EXPECT_EQ(findLibraryFile("kernel32", folders, files), "/proj/kernel32");
    // A machine without Windows folders looks in the project folder alone.
    EXPECT_EQ(findLibraryFile("user32", folders, files), "");
    // A project folder without its trailing separator still joins with one.
    EXPECT_EQ(findLibraryFile("kernel32", LibraryFolders{"/proj", "", ""}, files), "/proj/kernel32");
}

TEST(VersionLines, PresentStringsInResourceOrderWithTheirLabels) {
    FakeVersions versions;
    versions.byPath["/sys/x.ocx"] = {"Quill {Ltd}", "", "6.0.81", "", "", "x.ocx", "", "6.0"};
    EXPECT_EQ(versionLines("/sys/x.ocx", versions),
              " \\tab Company Name: Quill \\{Ltd\\}\r\n\\par "
              " \\tab File Version: 6.0.81\r\n\\par "
              " \\tab Original File Name: x.ocx\r\n\\par "
              " \\tab Product Version: 6.0\r\n\\par ");
    EXPECT_EQ(versionLines("/sys/none.ocx", versions), "");
}

TEST(VersionLines, PathLinesNameWhereTheLibraryWasFound) {
    FakeFiles files;
    FakeVersions versions;
    versions.byPath["/sys/lib.ocx"] = {"", "", "", "", "", "", "Lib", ""};
    files.present = {"/sys/lib.ocx"};
    LibraryFolders folders{"/proj/", "", "/sys/"};
    EXPECT_EQ(pathLines("lib.ocx", folders, files, versions),
              " \\tab Path: /sys/lib.ocx\r\n\\par  \\tab Product Name: Lib\r\n\\par ");
    EXPECT_EQ(pathLines("missing.ocx", folders, files, versions), " \\tab Path: \r\n\\par ");
    EXPECT_EQ(pathLines("C:\\x\\lib.dll", folders, files, versions), " \\tab Path: C:\\\\x\\\\lib.dll\r\n\\par ");
}

TEST(RoutineStats, LongestShortestAndAverageOfFunctionsAndSubs) {
    ProjectModel model = withFiles({"/p/Module1.bas", "/p/Form1.frm"});
    model.addRoutine(1, routine("Empty", kKindSub, 0));
    model.addRoutine(1, routine("Big", kKindFunction, 40));
    model.addRoutine(1, routine("Tiny", kKindSub, 2));
    model.addRoutine(2, routine("AlsoBig", kKindSub, 40, "Form1.frm"));    // a tie: the first met wins
    model.addRoutine(2, routine("AlsoTiny", kKindSub, 2, "Form1.frm"));
    model.addRoutine(2, routine("Prop", kKindPropertyGet, 400, "Form1.frm"));  // not a Function or Sub
    model.addRoutine(2, routine("Api", kKindDllFunction, 900, "Form1.frm"));
    EXPECT_EQ(routineStatistics(model),
              (std::vector<std::string>{"Longest Routine: Big in Module1.bas - 40 Lines.",
                                        "Shortest Routine: Tiny in Module1.bas - 2 Lines.",
                                        "Average Length: 16 Lines."}));  // 84 / 5, rounded down
}

TEST(RoutineStats, NoFunctionOrSubGivesAnAverageOfZeroAndNothingElse) {
    ProjectModel model = withFiles({"/p/Module1.bas"});
    EXPECT_EQ(routineStatistics(model), (std::vector<std::string>{"Average Length: 0 Lines."}));
    model.addRoutine(1, routine("Api", kKindDllSub, 1));
    EXPECT_EQ(routineStatistics(model), (std::vector<std::string>{"Average Length: 0 Lines."}));
}

TEST(RoutineStats, RoutinesWithoutLinesAreNeverTheShortest) {
    ProjectModel model = withFiles({"/p/Module1.bas"});
    model.addRoutine(1, routine("A", kKindSub, 0));
    model.addRoutine(1, routine("B", kKindSub, 0));
    EXPECT_EQ(routineStatistics(model), (std::vector<std::string>{"Longest Routine: A in Module1.bas - 0 Lines.",
                                                                   "Average Length: 0 Lines."}));
}

}  // namespace tally
