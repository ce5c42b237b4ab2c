#include "core/project/ProjectReader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"
#include "core/project/TreeDump.h"
#include "core/project/TreeSkeleton.h"

namespace tally {

namespace {

class OneVersion final : public FileVersionSource {
public:
    std::string fileVersion(std::string_view file) const override {
        return file == "comdlg32.ocx" ? "6.1.97.82" : "";
    }
};

// The children's texts of a node, joined by "|".
std::string texts(const ProjectModel& model, std::string_view parent) {
    std::string out;
    for (const TreeNode* node : model.tree.children(parent)) out += (out.empty() ? "" : "|") + node->text;
    return out;
}

ProjectModel openText(const TempDir& dir, std::string_view vbp) {
    ProjectModel model;
    EXPECT_TRUE(openProject(model, dir.write("Project.vbp", vbp), NoFileVersions{}));
    return model;
}

}  // namespace

TEST(ProjectReader, OpensTheDemoProjectIntoFilesAndTree) {
    const std::string demo = nativePath(kProjectsDir + "/demo/");
    ProjectModel model;
    model.decVar.push_back(VarRec{.name = "stale"});
    CancelFlag cancel{true};
    ASSERT_TRUE(openProject(model, demo + "." + nativePath("/") + "Demo.vbp", OneVersion{}, &cancel));

    EXPECT_EQ(model.projectPath, demo + "Demo.vbp");
    EXPECT_EQ(nativePath(model.projectDir), demo);
    EXPECT_EQ(model.caption, "DemoApp - Tallyscan 6");
    EXPECT_FALSE(cancel.load());
    EXPECT_TRUE(model.decVar.empty());
    EXPECT_EQ(dumpTree(model.tree), golden("demo.txt"));

    ASSERT_EQ(model.fileCount(), 7);
    EXPECT_EQ(model.files[2].name, "mdiShell");
    const FileRec& main = model.files[1];
    EXPECT_EQ(main.path, demo + "frmMain.frm");
    EXPECT_EQ(main.size, static_cast<std::int32_t>(std::filesystem::file_size(main.path)));
    EXPECT_GT(main.scanned, 40000.0);  // a real date, not the zero date
    EXPECT_TRUE(main.hasFrx);
    EXPECT_FALSE(model.files[4].hasFrx);
}

TEST(ProjectReader, OnlyExactPrefixesAtTheStartOfALineCount) {
    TempDir dir;
    ProjectModel model =
        openText(dir,
                 "FormX=frmNope.frm\r\nform=frmLower.frm\r\n Module=modSpace; space.bas\r\n"
                 "ModuleX=modX; x.bas\r\nModule=modA; a.bas\r\nClass=cTight;cTight.cls\r\n"
                 "Module=modBare.bas\r\nModule=modEmpty; \r\n"
                 "NameSpace=Nope\r\nName=\"Real\"\r\nName=\r\nTitle=First\r\nTitle=\"\"\r\n"
                 "TitleX=Nope\r\nMajorVer=3\r\nMinorVer=0\r\nRevisionVer=7\r\n"
                 "Reference=*\\A..\\Lib\\Lib.vbp\r\nObject=NoSemicolon\r\nObject={X}#1.0#0;  \r\n");
    EXPECT_EQ(model.tree.find("project")->text, "First 3.0.7");
    EXPECT_EQ(model.caption, "Real - Tallyscan 6");
    EXPECT_FALSE(model.tree.contains("forms"));
    EXPECT_EQ(texts(model, "modules"), "modA (a.bas)|modBare.bas (modBare.bas)");
    EXPECT_EQ(texts(model, "classes"), "cTight (cTight.cls)");
    EXPECT_EQ(texts(model, "properties"), "2 Modules|1 Classes");
    EXPECT_EQ(texts(model, "allreference") + texts(model, "allobject"), "");
    EXPECT_EQ(model.fileCount(), 4);
}

TEST(ProjectReader, VersionKeysMatchWholeAndAddInSectionsHoldNoSettings) {
    TempDir dir;
    dir.write("a.bas", "x");
    dir.write("b.bas", "x");
    ProjectModel model = openText(dir,
                                  "Module=modA; a.bas\r\nTitle=App\r\nMajorVersion=9\r\nMajorVer=2\r\n"
                                  "MinorVer=1\r\nRevisionVer=5\r\nRevisionVersion=0\r\n"
                                  "[MS Transaction Server]\r\nAutoRefresh=1\r\n[vbAdvance]\r\n"
                                  "RevisionVer=8\r\nModule=modB; b.bas\r\nName=\"AddIn\"\r\n");
    EXPECT_EQ(model.tree.find("project")->text, "App 2.1.5");
    EXPECT_EQ(texts(model, "modules"), "modA (a.bas)");
    EXPECT_EQ(model.caption, "Tallyscan 6");
    EXPECT_EQ(model.fileCount(), 2);
}

TEST(ProjectReader, CompanionsAndMembersAreFoundAsWindowsFindsThem) {
    TempDir dir;
    dir.write("frmA.frm", "Begin VB.Form frmA\r\n");
    dir.write("frmA.FRX", "x");
    dir.write("na\xC3\xAFve.bas", "x");  // "naïve.bas" as this disk spells it
    ProjectModel model = openText(dir, "Form=frmA.frm   \r\nModule=modN; NA\xCFVE.bas  \r\n");
    ASSERT_EQ(model.fileCount(), 3);
    EXPECT_EQ(model.files[1].path, dir / "frmA.frm");
    EXPECT_TRUE(model.files[1].hasFrx);
#ifndef _WIN32  // Wine folds only ASCII letters in file names (Windows folds all of them)
    EXPECT_EQ(model.files[2].path, dir / "na\xC3\xAFve.bas");
    EXPECT_GT(model.files[2].size, 0);
#endif
}

#ifndef _WIN32  // one listing for many lookups is the case search of a POSIX disk; Wine takes a minute here
TEST(ProjectReader, ManyMissingMembersInALargeFolderAreReadInOneListing) {
    // Each missing member used to list its folder again: 100,000 of them in a folder of 2,000 files
    // took minutes. The folder is now listed once for the open.
    TempDir dir;
    for (int i = 0; i < 2000; ++i) dir.write("f" + std::to_string(i) + ".bas", "");
    std::string vbp;
    for (int i = 0; i < 100000; ++i) vbp += "Module=m; Missing" + std::to_string(i) + ".BAS\r\n";
    vbp += "Module=m; F7.BAS\r\n";
    ProjectModel model = openText(dir, vbp);
    EXPECT_EQ(model.fileCount(), 100002);
    EXPECT_EQ(model.files.back().path, dir / "f7.bas");
}
#endif

TEST(ProjectReader, WithoutNameTitleOrMembersOnlyTheFrameRemains) {
    TempDir dir;
    ProjectModel model = openText(dir, "Type=Exe\r\nMajorVer=1\r\n");
    EXPECT_EQ(model.caption, "Tallyscan 6");
    EXPECT_EQ(model.fileCount(), 0);
    EXPECT_EQ(dumpTree(model.tree),
              "project|Project|proj||+\n  properties|Properties|open|close|\n"
              "  allreference|References|open|close|\n  allobject|Objects|open|close|\n"
              "  alldlls|DLLs|open|close|\n");
}

TEST(ProjectReader, AMissingMemberKeepsItsNodeAndAZeroRow) {
    TempDir dir;
    ProjectModel model = openText(dir, "Form=frmGone.frm\r\nPropertyPage=..\\pages\\ppgGone.pag\r\n");
    EXPECT_EQ(texts(model, "forms"), " (frmGone.frm)");
    EXPECT_EQ(texts(model, "propshts"), " (ppgGone.pag)");
    EXPECT_EQ(texts(model, "properties"), "1 Forms|1 Property Pages");
    ASSERT_EQ(model.fileCount(), 3);
    EXPECT_EQ(model.files[1], (FileRec{"", dir / "frmGone.frm", 0.0, 0, false}));
    EXPECT_EQ(model.files[2].path,
              nativePath(std::filesystem::path(dir.path()).parent_path().string() + "/pages/ppgGone.pag"));
}

TEST(ProjectReader, AFileNamedTwiceIsAddedAndCountedOnce) {
    TempDir dir;
    dir.write("a.bas", "x");
    dir.write("frmA.frm", "Begin VB.Form frmA\r\n");
    ProjectModel model = openText(dir,
                                  "Module=modA; a.bas\r\nModule=modA again; A.BAS\r\nClass=cA; a.bas\r\n"
                                  "Form=frmA.frm\r\nForm=.\\frmA.frm\r\nForm=sub\\..\\FRMA.FRM\r\n");
    EXPECT_EQ(texts(model, "modules"), "modA (a.bas)");
    EXPECT_FALSE(model.tree.contains("classes"));
    EXPECT_EQ(texts(model, "properties"), "1 Forms|1 Modules");
    EXPECT_EQ(model.fileCount(), 3);
}

TEST(ProjectReader, FormNamesAreFoundWhereverTheirLineLies) {
    TempDir dir;
    std::string padding;
    while (padding.size() < 4076) padding += "' padding\r\n";
    padding.resize(4076);  // the keyword starts 20 bytes before the end of the first 4096
    dir.write("frmEdge.frm", padding + "Begin VB.Form frmEdgeName\r\nEnd\r\n");
    dir.write("frmLate.frm", padding + padding + "Begin VB.Form frmLate\r\n");
    dir.write("frmNoEnd.frm", padding + "\r\nBegin VB.Form frmNoEnd");
    dir.write("mdiLate.frm", padding + padding + "Begin VB.MDIForm mdiLate\r\n");
    dir.write("frmEarly.frm",
              "Begin VB.Form frmEarly\r\n" + padding + padding + "Begin VB.Form frmOther\r\n");
    dir.write("frmEarly.frx", "x");
    ProjectModel model = openText(dir,
                                  "Form=frmEdge.frm\r\nForm=frmLate.frm\r\nForm=frmNoEnd.frm\r\n"
                                  "Form=mdiLate.frm\r\nForm=frmEarly.frm\r\n");
    std::string names;
    for (const FileRec& file : model.files) names += file.name + "|";
    EXPECT_EQ(names, "|frmEdgeName|frmLate|frmNoEnd|mdiLate|frmEarly|");
    EXPECT_FALSE(model.files[1].hasFrx);
    EXPECT_TRUE(model.files[5].hasFrx);
    EXPECT_EQ(model.files[2].size, static_cast<std::int32_t>(2 * padding.size() + 23));
}

TEST(ProjectReader, LineEndsOfEveryKindAndGarbageAreRead) {
    TempDir dir;
    dir.write("a.bas", "x");
    for (std::string end : {"\n", "\r", "\r\n"}) {
        ProjectModel model = openText(dir, "Module=modA; a.bas" + end + "Name=Lf" + end);
        EXPECT_EQ(texts(model, "modules"), "modA (a.bas)");
        EXPECT_EQ(model.caption, "Lf - Tallyscan 6");
    }
    std::string garbage("\xEF\xBB\xBFName=Bom\n\x00\x01\xFF\xFEModule=\n", 24);
    garbage += std::string(1 << 20, 'z') + "\nModule=x; a.bas\x00junk\n" + std::string(3000, '\0');
    garbage += "\nObject={" + std::string(100000, '#') + "\nReference=" + std::string(5000, '#') + "\n";
    ProjectModel model = openText(dir, garbage);
    EXPECT_EQ(model.caption, "Bom - Tallyscan 6");
    ASSERT_EQ(model.fileCount(), 2);
    EXPECT_EQ(model.files[1].size, 0) << "a name cut short by a NUL byte must not reach another file";
}

TEST(ProjectReader, AMissingOrUnreadableProjectFileLeavesAnEmptyModel) {
    TempDir dir;
    dir.write("a.bas", "x");
    ProjectModel model = openText(dir, "Module=modA; a.bas\r\nName=Old\r\n");
    Outcome missing = openProject(model, dir / "Gone.vbp", NoFileVersions{});
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.message, dir / "Gone.vbp does not exist.");
    EXPECT_EQ(model.fileCount(), 0);
    EXPECT_EQ(model.caption, "Tallyscan 6");
    EXPECT_EQ(dumpTree(model.tree), golden("skeleton-counters.txt"));

    std::filesystem::create_directory(dir / "Folder.vbp");
    EXPECT_EQ(openProject(model, dir / "Folder.vbp", NoFileVersions{}).message,
              dir / "Folder.vbp is a directory.");
    EXPECT_FALSE(openProject(model, "", NoFileVersions{}));
}

}  // namespace tally
