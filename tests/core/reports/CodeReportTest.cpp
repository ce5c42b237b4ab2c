#include "core/reports/CodeReport.h"

#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "core/project/TreeSkeleton.h"

namespace tally {

namespace {

SubRec routine(std::string name, int kind, std::string file, int timesCalled, int lines, int scope = kScopePublic,
               std::string returnType = "") {
    return SubRec{.name = std::move(name), .kind = kind, .scope = scope, .file = std::move(file),
                  .returnType = std::move(returnType), .timesCalled = timesCalled, .lineCount = lines};
}

ProjectModel emptyProject() {
    ProjectModel model;
    buildTreeSkeleton(model.tree, false);
    model.tree.setText(kProjectKey, "Hourglass (Hourglass.vbp)");
    model.addFile(FileRec{.name = "Module1", .path = "/p/Module1.bas"});
    model.addFile(FileRec{.name = "Form1", .path = "/p/Form1.frm"});
    model.addFile(FileRec{.name = "Class1", .path = "/p/Class1.cls"});
    return model;
}

// Every section has something, and rows that must stay out sit beside the rows that go in.
ProjectModel fullProject() {
    ProjectModel model = emptyProject();
    model.controls.push_back(ControlRec{"cmdGo", 36});
    model.addRoutine(1, routine("Unused", kKindSub, "Module1.bas", 0, 3));
    model.addRoutine(1, routine("Used", kKindSub, "Module1.bas", 2, 0));
    model.addRoutine(1, routine("NoType", kKindFunction, "Module1.bas", 1, 4, kScopePublic, "None"));
    model.addRoutine(1, routine("Typed", kKindFunction, "Module1.bas", 1, 4, kScopePublic, "Long"));
    model.addRoutine(1, routine("GetTick", kKindDllFunction, "Module1.bas", 0, 0));
    model.addRoutine(2, routine("cmdGo_Click", kKindSub, "Form1.frm", 0, 0));
    model.addRoutine(2, routine("Form_Load", kKindSub, "Form1.frm", 0, 0));
    model.addRoutine(2, routine("Get{x}\\y", kKindPropertyGet, "Form1.frm", 0, 0));
    model.addRoutine(3, routine("PublicMethod", kKindSub, "Class1.cls", 0, 5));
    model.addRoutine(3, routine("HiddenHelper", kKindSub, "Class1.cls", 0, 5, kScopePrivate));
    model.decVar.push_back(VarRec{.name = "untyped", .scope = "Unused", .file = "Module1.bas"});
    model.decVar.push_back(VarRec{.name = "  ", .scope = "Unused", .file = "Module1.bas"});
    model.unVar.push_back(VarRec{.name = "spare", .scope = "Used", .file = "Module1.bas"});
    model.unVar.push_back(VarRec{.name = "old", .scope = "Private Module Level", .file = "Module1.bas", .commented = true});
    model.unVar.push_back(VarRec{});
    model.types = {TypeRec{"No Type", 0, 1}, TypeRec{"Long", 1, 3}, TypeRec{"Point", 3, 0}, TypeRec{"Colours", 4, 0}};
    return model;
}

struct CodeReportTest : ::testing::Test {
    FakeFiles files;
    FakeVersions versions;
    ReportSettings settings = usSettings(files, versions);
};

}  // namespace

TEST_F(CodeReportTest, EverySectionInOrderWithExactlyItsRows) {
    ReportDocument report = buildCodeReport(fullProject(), settings);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(paragraphs(*report),
              (Texts{"Project Code Report", "Friday, March 7, 2003 4:05 PM", "Hourglass (Hourglass.vbp)", "",
                     "Unused Routines And DLL Calls", "Routine Name\tFile",
                     "Unused\tModule1.bas", "GetTick\tModule1.bas", "HiddenHelper\tClass1.cls", "", "",
                     "Empty Routines", "Routine Name\tFile",
                     "Used\tModule1.bas", "GetTick\tModule1.bas", "Get{x}\\y\tForm1.frm", "", "",
                     "Functions With No Return Value", "Function Name\tFile", "NoType\tModule1.bas", "", "",
                     "Variables With No Type Declaration", "Variable Name\tRoutine\tFile", "untyped\tUnused\tModule1.bas", "", "",
                     "Variables Declared But Not Used", "Variable Name\tRoutine\tFile", "spare\tUsed\tModule1.bas",
                     "[Commented]", "old\tPrivate Module Level\tModule1.bas", "", "",
                     "Unused Types and Enums", "Type Name\tType", "Point\tType", "Colours\tEnum"}));
}

TEST_F(CodeReportTest, HeadingsAreBoldDarkBlueAndColumnHeadingsDarkGreen) {
    std::string rtf = *buildCodeReport(fullProject(), settings);
    RichDocument d = readRtf(rtf);
    EXPECT_EQ(runFormat(d, "Project Code Report"), (RichFormat{"Arial", 26, true, false, false, RichColour{0, 0, 127}}));
    EXPECT_EQ(runFormat(d, "Empty Routines"), (RichFormat{"Arial", 20, true, false, false, RichColour{0, 0, 127}}));
    EXPECT_EQ(runFormat(d, "Routine Name"), (RichFormat{"Arial", 20, false, false, false, RichColour{0, 127, 0}}));
    EXPECT_EQ(runFormat(d, "GetTick"), (RichFormat{"Arial", 20, false, false, false, RichColour{0, 0, 0}}));
    // The last heading follows the green run as plain text: "File" is appended to the column
    // heading run, then the line end, then a black empty run.
    EXPECT_NE(rtf.find(" \\tab File\r\n\\par \\plain\\f2\\fs20\\cf0 Unused"), std::string::npos);
    EXPECT_NE(rtf.find("\\plain\\f2\\fs20\\cf2 Routine Name "), std::string::npos);
    EXPECT_NE(rtf.find("Get\\{x\\}\\\\y"), std::string::npos);
}

TEST_F(CodeReportTest, SecondColumnsStartAtOneTabStop) {
    ProjectModel model = emptyProject();
    model.addRoutine(1, routine("A", kKindSub, "Module1.bas", 0, 1));
    model.addRoutine(1, routine("LongerRoutineName", kKindSub, "Module1.bas", 0, 1));
    model.addRoutine(1, routine("Mid_dle", kKindSub, "Module1.bas", 0, 1));
    double target = TextWidth().twips("LongerRoutineName\t\t");
    EXPECT_EQ(expectFirstCellsPadded(*buildCodeReport(model, settings), target,
                                     [](const std::string& text) { return text.rfind("Routine Name", 0) != 0; }),
              3);
}

TEST_F(CodeReportTest, OmitsSectionsWithoutRowsAndWithoutRoutinesNoBlanksPadTheCells) {
    ProjectModel model = emptyProject();
    model.unVar.push_back(VarRec{.name = "spare", .scope = "Main", .file = "Module1.bas"});
    std::string rtf = *buildCodeReport(model, settings);
    EXPECT_EQ(paragraphs(rtf), (Texts{"Project Code Report", "Friday, March 7, 2003 4:05 PM", "Hourglass (Hourglass.vbp)", "",
                                      "Variables Declared But Not Used", "Variable Name\tRoutine\tFile", "spare\tMain\tModule1.bas"}));
    EXPECT_NE(rtf.find("spare \\tab Main \\tab Module1.bas"), std::string::npos);
}

TEST_F(CodeReportTest, RoutineSectionsAreWrittenEvenWhenEmpty) {
    ProjectModel model = emptyProject();
    model.addRoutine(1, routine("Busy", kKindSub, "Module1.bas", 1, 1));
    model.addRoutine(1, routine("Typed", kKindFunction, "Module1.bas", 1, 1, kScopePublic, "Long"));
    Texts texts = paragraphs(*buildCodeReport(model, settings));
    EXPECT_EQ(Texts(texts.begin() + 4, texts.end()),
              (Texts{"Unused Routines And DLL Calls", "Routine Name\tFile", "", "", "Empty Routines", "Routine Name\tFile"}));
}

TEST_F(CodeReportTest, NothingToReportGivesNoDocument) {
    EXPECT_FALSE(buildCodeReport(emptyProject(), settings).has_value());
    EXPECT_FALSE(buildCodeReport(ProjectModel{}, settings).has_value());
    ProjectModel model = emptyProject();
    model.decVar.push_back(VarRec{.name = " "});
    model.unVar.push_back(VarRec{});
    model.types = {TypeRec{"No Type", 0, 2}, TypeRec{"Long", 1, 1}};
    EXPECT_FALSE(buildCodeReport(model, settings).has_value());
}

}  // namespace tally
