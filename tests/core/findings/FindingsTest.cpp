// The pieces of the findings pipelines read: exclude patterns, the lines of declarations the model
// does not keep, the fingerprints of findings with the same name, and the JSON reader of the
// project's config file.

#include <gtest/gtest.h>

#include "core/findings/DeclarationLines.h"
#include "core/findings/FindingPaths.h"
#include "core/findings/Findings.h"
#include "core/support/JsonReader.h"

namespace tally {

TEST(ExcludePatterns, NamesFoldersFilesAndGlobsIgnoringCase) {
    struct Case {
        const char* pattern;
        const char* path;
        bool matches;
    };
    const Case cases[] = {
        {"Vendor/", "Vendor/Grid/modGrid.bas", true},  {"Vendor/", "MyVendor/x.bas", false},
        {"vendor/**", "Vendor/x.ctl", true},           {"*.ctl", "Controls/ctlHour.CTL", true},
        {"Controls/*.ctl", "Controls/sub/a.ctl", false}, {"Controls/**/*.ctl", "Controls/a.ctl", true},
        {"**/gen?.bas", "a/b/gen1.bas", true},          {"**/gen?.bas", "a/b/gen12.bas", false},
        {"Vendor\\*", "Vendor/x.bas", true},            {"./modA.bas", "modA.bas", true},
        {"../shared/**", "../shared/modDates.bas", true}, {"", "x.bas", false},
        {"*", "sub/x.bas", true},  // a pattern without "/" also matches the file name alone
    };
    for (const Case& c : cases) EXPECT_EQ(excludePatternMatches(c.pattern, c.path), c.matches) << c.pattern << " " << c.path;
    EXPECT_EQ(pathRelativeTo("/p/app/", "/p/shared/m.bas"), "../shared/m.bas");
    EXPECT_EQ(pathRelativeTo("/p/app/", "/p/app/Forms/f.frm"), "Forms/f.frm");
}

TEST(DeclarationLines, FindLocalsModuleLevelMembersParametersAndDllDeclarations) {
    const std::vector<std::string_view> lines = {
        "Attribute VB_Name = \"modA\"",                                   // 1
        "Private Declare Function GetTickCount Lib \"kernel32\" () As Long",  // 2
        "Private mCount As Long, mTotal",                                 // 3
        "'Private mOld As String",                                         // 4
        "Public Enum Mode",                                                // 5
        "    mdFast = 1",                                                  // 6
        "End Enum",                                                        // 7
        "Public Sub First(ByVal nItems As Long)",                          // 8
        "    Dim i, total As Long",                                        // 9
        "End Sub",                                                         // 10
        "Private Function Second() As Long",                               // 11
        "    Dim i As Integer",                                            // 12
        "    Const LIMIT = 3",                                             // 13
        "End Function",                                                    // 14
    };
    EXPECT_EQ(dllDeclarationLine(lines, "GetTickCount"), 2);
    EXPECT_EQ(dllDeclarationLine(lines, "GetTick"), 0);
    EXPECT_EQ(variableDeclarationLine(lines, "mTotal", "Private"), 3);
    EXPECT_EQ(variableDeclarationLine(lines, "mOld", "Private"), 4);
    EXPECT_EQ(variableDeclarationLine(lines, "mdFast", "Mode Element"), 6);
    EXPECT_EQ(variableDeclarationLine(lines, "i", "First"), 9);
    EXPECT_EQ(variableDeclarationLine(lines, "i", "Second"), 12);  // not the namesake in First
    EXPECT_EQ(variableDeclarationLine(lines, "LIMIT", "Second"), 13);
    EXPECT_EQ(variableDeclarationLine(lines, "nItems", "First"), 8);
    EXPECT_EQ(variableDeclarationLine(lines, "missing", "First"), 0);
}

TEST(Findings, TheSameNameTwiceGetsTwoFingerprintsAndCaseDoesNotCount) {
    EXPECT_EQ(findingKey("TS6005", "modA.bas", "Second", "i"), findingKey("TS6005", "MODA.BAS", "second", "I"));
    EXPECT_NE(findingKey("TS6005", "modA.bas", "Second", "i"), findingKey("TS6005", "modA.bas", "First", "i"));
    EXPECT_NE(findingKey("TS6001", "modA.bas", "", "i"), findingKey("TS6002", "modA.bas", "", "i"));

    ProjectModel model;
    model.files.resize(2);
    model.files[1].path = "/p/modA.bas";
    for (int i = 0; i < 2; ++i) {
        VarRec& var = model.unVar.emplace_back();
        var.name = "x";
        var.scope = "Main";
        var.file = "modA.bas";
    }
    const ReviewListId lists[] = {ReviewListId::NeverUsed};
    std::vector<Finding> found = collectFindings(model, lists);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1].fingerprint, found[0].fingerprint + "#2");
    EXPECT_EQ(found[0].fileRow, 1);
    applyBaseline(found, {found[0]});
    EXPECT_EQ(found[0].baseline, BaselineState::Unchanged);
    EXPECT_EQ(found[1].baseline, BaselineState::New);
    EXPECT_TRUE(collectFindings(model, lists, [](int row) { return row == 1; }).empty());
}

TEST(JsonReader, ReadsWhatPeopleWriteAndSaysWhereItBreaks) {
    JsonParse parsed = parseJson("\xEF\xBB\xBF{ \"a\": [1, -2.5e1, true, null],\n \"b\": \"\\u00e9\\ud83d\\ude00\\n\" }");
    ASSERT_TRUE(parsed.value) << parsed.error;
    const JsonValue& a = *parsed.value->member("a");
    ASSERT_EQ(a.items.size(), 4u);
    EXPECT_EQ(a.items[1].number, -25.0);
    EXPECT_TRUE(a.items[2].boolean);
    EXPECT_EQ(parsed.value->member("b")->text, "é😀\n");

    EXPECT_EQ(parseJson("{\"a\": 1,\n \"b\" 2}").error, "line 2: expected ':'");
    EXPECT_EQ(parseJson("[1, 2").error, "line 1: expected ',' or ']'");
    EXPECT_EQ(parseJson("{} x").error, "line 1: text after the document");
    EXPECT_EQ(parseJson("\"tab\there\"").error, "line 1: a control character in a string");
    EXPECT_EQ(parseJson(std::string(100, '[') + std::string(100, ']')).error, "line 1: nested too deeply");
    EXPECT_FALSE(parseJson("").value);
    EXPECT_FALSE(parseJson("01x").value);
}

}  // namespace tally
