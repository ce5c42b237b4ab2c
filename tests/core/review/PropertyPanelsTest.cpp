#include "core/review/PropertyPanels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/review/ReviewModelBuilder.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ReviewModelBuilder;

namespace {
std::vector<std::string> texts(const std::vector<PanelRow>& rows) {
    std::vector<std::string> out;
    for (const PanelRow& row : rows) out.push_back(row.text);
    return out;
}
}  // namespace

TEST(RoutinePanels, ProblemsInFlagOrderThenTheWorkedOutOnes) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    SubRec& r = b.routine(m, "Total", kKindFunction, "modA.bas", kScopePrivate, 0, 0);
    r.problems = kProblemOldStyle + kProblemNoReturnType;
    r.returnType = "None";
    RoutinePanels panels = routinePanels(b.model(), m, 0);
    EXPECT_THAT(texts(panels.properties),
                ElementsAre("Problems", "Old style type declaration.", "Function with no return type.",
                            "Empty routine.", "Never called.", "Routine Properties", "Type: Private Function ",
                            "Return: None", "Lines of Code: 0", "Times Called: 0"));
    EXPECT_TRUE(panels.properties[0].bold);
    EXPECT_FALSE(panels.properties[1].bold);
}

TEST(RoutinePanels, FormLoadIsAnEventRoutineAndAGlobalSubShowsGlobal) {
    ReviewModelBuilder b;
    int f = b.file("frmMain.frm");
    // The kinds the parser gives: Form_Load handles the form's own event, MDIForm_Load names no control.
    b.routine(f, "Form_Load", kKindControl, "frmMain.frm", kScopePrivate, 0, 4);
    b.routine(0, "Main", kKindSub, "frmMain.frm", kScopeNone, 2, 4);
    b.routine(0, "Reset", kKindSub, "CItem.cls", kScopePublic, 0, 4);
    b.routine(f, "MDIForm_Load", kKindSub, "frmMain.frm", kScopePrivate, 0, 4);
    EXPECT_EQ(routinePanels(b.model(), f, 0).properties[1].text, "None");
    EXPECT_EQ(routinePanels(b.model(), f, 1).properties[1].text, "Never called.");
    RoutinePanels main = routinePanels(b.model(), 0, 0);
    EXPECT_EQ(main.properties[1].text, "None");
    EXPECT_EQ(main.properties[3].text, "Type: Global Sub ");
    EXPECT_EQ(routinePanels(b.model(), 0, 1).properties[1].text, "None");  // public class member
}

TEST(ParameterRows, SplitAtCommasOutsideLiteralsWithTypedAndUntypedIcons) {
    auto shown = [](std::string_view params) {
        std::vector<std::string> out;
        for (const PanelRow& row : parameterRows(params)) {
            out.push_back(row.text + "|" + row.icon);
            for (const std::string& item : row.subItems) out.back() += "|" + item;
        }
        return out;
    };
    EXPECT_THAT(shown("ByVal a As Long, b"), ElementsAre("ByVal a|var|Long", "b|var1|"));
    EXPECT_TRUE(shown("").empty());
    // A comma inside a default value's literal does not start another parameter.
    EXPECT_THAT(shown("Optional ByVal Prefix As String = \"Widget, Mark\", n"),
                ElementsAre("Optional ByVal Prefix|var|String = \"Widget, Mark\"", "n|var1|"));
}

TEST(RoutineLookup, StripsMarkersSearchesTheSlotThenTheFilesGlobals) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Value", kKindPropertyGet, "modA.bas");
    b.routine(m, "Value", kKindPropertyLet, "modA.bas");
    b.routine(0, "Total", kKindFunction, "modB.bas", kScopePublic);
    b.routine(0, "Total", kKindFunction, "modA.bas", kScopePublic);
    RoutineLookup let = findListedRoutine(b.model(), m, "Value [Let]");
    EXPECT_TRUE(let.found);
    EXPECT_EQ(let.position, 1);
    RoutineLookup total = findListedRoutine(b.model(), m, "Total#");
    EXPECT_EQ(total.slot, 0);
    EXPECT_EQ(total.position, 1);
    EXPECT_FALSE(findListedRoutine(b.model(), m, "Missing").found);
}

TEST(FileProperties, ShowScannedAndCurrentSizesAndSurviveARemovedFile) {
    TempDir dir;
    std::string path = dir.write("modA.bas", std::string(1536, 'x'));

    ProjectModel model;
    model.addFile(FileRec{"modA", path, 46362.5, 100, false});
    std::vector<PanelRow> rows = fileProperties(model, 1);
    EXPECT_THAT(texts(rows), ElementsAre("File Properties", "Path: " + path, "Scanned: 2026-12-06 12:00:00",
                                         ::testing::StartsWith("Current: 20"), "Scanned Size: 1KB",
                                         "Current Size: 2KB"));
    std::filesystem::remove(path);
    rows = fileProperties(model, 1);
    EXPECT_EQ(rows[3].text, "Current: (file not found)");
    EXPECT_EQ(rows[5].text, "Current Size: (file not found)");
}

#ifndef _WIN32  // FIFOs are a POSIX file kind
// Something that is there but is no source says what it is, not that it is missing.
TEST(FileProperties, AFolderOrFifoInAFilesPlaceIsNamedForWhatItIs) {
    TempDir dir;
    std::filesystem::create_directory(dir / "modDir.bas");
    ASSERT_EQ(::mkfifo((dir / "modPipe.bas").c_str(), 0644), 0);
    ProjectModel model;
    model.addFile(FileRec{"modDir", dir / "modDir.bas", 46362.5, 100, false});
    model.addFile(FileRec{"modPipe", dir / "modPipe.bas", 46362.5, 100, false});
    EXPECT_EQ(fileProperties(model, 1)[3].text, "Current: (is a directory)");
    EXPECT_EQ(fileProperties(model, 2)[5].text, "Current Size: (is not a regular file (a FIFO))");
}
#endif

}  // namespace tally
