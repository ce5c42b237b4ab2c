#include "core/reports/StatisticsReport.h"

#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "core/project/TreeSkeleton.h"

namespace tally {

namespace {

double at(int y, int mo, int d, int h, int mi, int s = 0) { return partsToOle(DateTimeParts{y, mo, d, h, mi, s}); }

ProjectModel project() {
    ProjectModel model;
    buildTreeSkeleton(model.tree, false);
    model.tree.setText(kProjectKey, "Hourglass (Hourglass.vbp)");
    model.projectDir = "/p/App/";
    model.parseStart = at(2003, 3, 6, 9, 30);
    model.parseTime = 67.0 / 86400.0;
    double scanned = at(2003, 3, 6, 9, 0);
    model.addFile(FileRec{.name = "Form1", .path = "/p/App/Form1.frm", .scanned = scanned, .size = 1536, .hasFrx = true});
    model.addFile(FileRec{.name = "Module1", .path = "/p/app/Module1.bas", .scanned = scanned, .size = 100});
    model.addFile(FileRec{.name = "Form2", .path = "C:\\Projects\\App\\Form2.frm", .scanned = scanned, .size = 2560});
    model.addFile(FileRec{.name = "", .path = "  "});
    model.addRoutine(1, SubRec{.name = "Form_Load", .kind = kKindSub, .file = "Form1.frm", .lineCount = 12});
    model.addRoutine(2, SubRec{.name = "Main", .kind = kKindSub, .file = "Module1.bas", .lineCount = 3});
    model.addRoutine(2, SubRec{.name = "Api", .kind = kKindDllSub, .file = "Module1.bas", .lineCount = 0});
    model.tree.add(kReferencesKey, "", "OLE Automation");
    model.tree.add(kObjectsKey, "MSCOMCTL.OCX", "MSCOMCTL.OCX - 2.0");
    model.tree.add(kObjectsKey, "objfolder", "Objects");
    model.tree.add(kObjectsKey, "", "Comdlg");
    model.tree.add(kDllsKey, "dllkernel32", "kernel32 - GetTickCount");
    model.tree.add(kPropertiesKey, "", "Title - Hourglass");
    model.types = {TypeRec{"No Type", 0, 2}, TypeRec{"Point", 3, 1}, TypeRec{"Long", 1, 4},
                   TypeRec{"Colours", 4, 0}, TypeRec{"Form", 2, 1}, TypeRec{"Mystery", 9, 1}};
    return model;
}

struct StatisticsReportTest : ::testing::Test {
    StatisticsReportTest() {
        files.present = {"/p/App/Form1.frm", "/p/app/Module1.bas", "/wine/drive_c/windows/system32/MSCOMCTL.OCX"};
        versions.byPath["/wine/drive_c/windows/system32/MSCOMCTL.OCX"] = {"Quill", "", "2.0.1", "", "", "", "", ""};
        settings.windowsDir = "/wine/drive_c/windows/";
        settings.systemDir = "/wine/drive_c/windows/system32/";
    }
    FakeFiles files;
    FakeVersions versions;
    ReportSettings settings = usSettings(files, versions);
};

}  // namespace

TEST_F(StatisticsReportTest, EverySectionInOrder) {
    EXPECT_EQ(paragraphs(buildStatisticsReport(project(), settings)),
              (Texts{"Project Statistics Report", "Friday, March 7, 2003 4:05 PM", "Hourglass (Hourglass.vbp)", "",
                     "All information is current as of the scan time.", "",
                     "Scan Time",
                     "\tThe project was scanned on Thursday, March 6, 2003 at 9:30 AM",
                     "\tThe project took 0:01:07 to scan.", "",
                     "Source Code Files and Folders", "\t4 Files In 1 Folders", "",
                     "\tFolders", "\t/p/App", "",
                     "\tFiles",
                     "\t/p/App/Form1.frm", "\t\t2KB - 3/6/2003 9:00:00 AM", "\t\tHas FRX File",
                     "\t/p/app/Module1.bas", "\t\t1KB - 3/6/2003 9:00:00 AM",
                     "\t[Missing] C:\\Projects\\App\\Form2.frm", "\t\t2KB - 3/6/2003 9:00:00 AM",
                     "", "References", "\tOLE Automation",
                     "", "Objects", "\tMSCOMCTL.OCX", "\tPath: /wine/drive_c/windows/system32/MSCOMCTL.OCX",
                     "\tCompany Name: Quill", "\tFile Version: 2.0.1", "", "\tComdlg",
                     "", "DLLs", "\tkernel32", "\tPath: ", "",
                     "", "Project Properties", "\tTitle - Hourglass",
                     "\tLongest Routine: Form_Load in Form1.frm - 12 Lines.",
                     "\tShortest Routine: Main in Module1.bas - 3 Lines.",
                     "\tAverage Length: 7 Lines.", "", "",
                     "Variables, Types, Enums, and Objects", "Type Name\tDeclared\tType",
                     "No Type\t2\tUnknown", "Mystery\t1\tUnknown", "Long\t4\tVariable", "Form\t1\tObject",
                     "Point\t1\tType", "Colours\t0\tEnum", "", "", ""}));
}

TEST_F(StatisticsReportTest, FilesPresentInDarkBlueMissingInDarkGreenBold) {
    RichDocument d = readRtf(buildStatisticsReport(project(), settings));
    auto runWith = [&d](std::string_view needle) { return runFormat(d, needle); };
    EXPECT_EQ(runWith("[Missing] C:\\Projects"), (RichFormat{"Arial", 20, true, false, false, RichColour{0, 127, 0}}));
    EXPECT_EQ(runWith("/p/App/Form1.frm"), (RichFormat{"Arial", 20, false, false, false, RichColour{0, 0, 127}}));
    EXPECT_EQ(runWith("Scan Time"), (RichFormat{"Arial", 26, true, false, false, RichColour{0, 127, 0}}));
    EXPECT_EQ(runWith("All information"), (RichFormat{"Arial", 20, true, false, false, RichColour{0, 0, 0}}));
    EXPECT_EQ(runWith("MSCOMCTL.OCX").bold, true);  // the item's name is a label
    EXPECT_EQ(runWith("Path: /wine").bold, false);
}

TEST_F(StatisticsReportTest, TypeTableColumnsLineUp) {
    ProjectModel model = project();
    model.types.push_back(TypeRec{"AVeryLongUserDefinedTypeName", 3, 12345});
    RichDocument d = readRtf(buildStatisticsReport(model, settings));
    TextWidth width;
    double target = width.twips("AVeryLongUserDefinedTypeName\t\t");
    int rows = 0;
    bool inTable = false;
    for (const RichParagraph& p : d.paragraphs) {
        std::string text = p.text();
        if (text.rfind("Type Name", 0) == 0) inTable = true;
        if (!inTable || text.empty()) continue;
        ++rows;
        std::size_t first = text.find('\t');
        std::size_t second = text.find('\t', first + 1);
        ASSERT_NE(second, std::string::npos) << text;
        std::string name = text.substr(0, first - 1), count = text.substr(first + 1, second - first - 2);
        EXPECT_GE(width.twips(name), target) << text;
        EXPECT_LT(width.twips(name.substr(0, name.size() - 1)), target) << text;
        EXPECT_GE(width.twips(count), target) << text;
    }
    EXPECT_EQ(rows, 8);
}

TEST_F(StatisticsReportTest, EscapesPathsAndKeepsTheDocumentAscii) {
    ProjectModel model = project();
    model.files[3].path = "C:\\Projets\\{Caf\xE9}\\Form2.frm";
    std::string rtf = buildStatisticsReport(model, settings);
    EXPECT_NE(rtf.find("[Missing] C:\\\\Projets\\\\\\{Caf\\'e9\\}\\\\Form2.frm"), std::string::npos);
    for (char c : rtf) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
    Texts texts = paragraphs(rtf);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\t[Missing] C:\\Projets\\{Caf\xC3\xA9}\\Form2.frm"), texts.end());
}

TEST_F(StatisticsReportTest, AProjectWithoutRoutinesOrFilesStillReports) {
    ProjectModel model;
    buildTreeSkeleton(model.tree, false);
    Texts texts = paragraphs(buildStatisticsReport(model, settings));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\t0 Files In 0 Folders"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\tAverage Length: 0 Lines."), texts.end());
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("Routine:") != std::string::npos; }), 0);
}

}  // namespace tally
