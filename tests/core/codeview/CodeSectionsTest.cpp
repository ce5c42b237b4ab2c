#include "core/codeview/CodeSections.h"

#include <gtest/gtest.h>

namespace tally {

namespace {
std::string slice(std::string_view text, const std::optional<TextRange>& range) {
    if (!range) return "<none>";
    return std::string(text.substr(range->start, range->end - range->start));
}
}  // namespace

TEST(Declarations, RunFromTheLineAfterTheMarkerToTheFirstRoutine) {
    std::string bas =
        "Attribute VB_Name = \"Module1\"\r\nOption Explicit\r\nPrivate mCount As Long\r\n\r\n"
        "Public Sub Go()\r\nEnd Sub\r\n";
    EXPECT_EQ(slice(bas, findDeclarations(bas, "/p/Module1.bas")),
              "Option Explicit\r\nPrivate mCount As Long\r\n\r\n");
    // The extension decides the marker, whatever its case.
    EXPECT_EQ(slice(bas, findDeclarations(bas, "/p/MODULE1.BAS")),
              "Option Explicit\r\nPrivate mCount As Long\r\n\r\n");
    std::string cls =
        "VERSION 1.0 CLASS\r\nAttribute VB_Name = \"CItem\"\r\nAttribute VB_Exposed = False\r\n"
        "Private mName As String\r\nFriend Property Get Name() As String\r\nEnd Property\r\n";
    EXPECT_EQ(slice(cls, findDeclarations(cls, "/p/CItem.cls")), "Private mName As String\r\n");
    std::string page = "first line\r\nDim x\r\nSub A()\r\nEnd Sub\r\n";
    EXPECT_EQ(slice(page, findDeclarations(page, "/p/Page1.pag")), "Dim x\r\n");
    std::string noRoutines = "Attribute VB_Name = \"M\"\r\nPublic Const A = 1\r\n";
    EXPECT_EQ(slice(noRoutines, findDeclarations(noRoutines, "m.bas")), "Public Const A = 1\r\n");
}

TEST(Declarations, DeclaresDesignerBlocksCommentsAndWordPartsDoNotEndTheSection) {
    std::string bas =
        "Attribute VB_Name = \"M\"\r\n"
        "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
        "' Sub Main is below\r\n"
        "Public SubTotal As Long\r\n"
        "Private Sub Main()\r\nEnd Sub\r\n";
    EXPECT_EQ(slice(bas, findDeclarations(bas, "m.bas")),
              "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\r\n"
              "' Sub Main is below\r\nPublic SubTotal As Long\r\n");
}

// A form with WithEvents variables, an attribute line after each, is shown through the code view.
TEST(Declarations, AttributeLinesRightAfterTheMarkerBelongToTheHeader) {
    std::string cls = "Attribute VB_Name = \"C\"\r\nAttribute VB_Exposed = False\r\n"
                      "Attribute VB_Ext_KEY = \"SavedWithClassBuilder6\" ,\"Yes\"\r\n"
                      "Private mName As String\r\nPublic Sub A()\r\nEnd Sub\r\n";
    EXPECT_EQ(slice(cls, findDeclarations(cls, "c.cls")), "Private mName As String\r\n");
}

TEST(Declarations, NothingWhenTheMarkerIsMissingOrTheSectionIsEmpty) {
    EXPECT_FALSE(findDeclarations("Option Explicit\r\nDim x\r\n", "a.cls"));
    EXPECT_FALSE(findDeclarations("Attribute VB_Name = \"M\"\r\nPublic Sub A()\r\nEnd Sub\r\n", "m.bas"));
    EXPECT_FALSE(findDeclarations("Attribute VB_Name = \"M\"", "m.bas"));
}

TEST(Routines, IncludeTheCommentLinesAboveAndTheBlankLinesAfter) {
    std::string text =
        "Attribute VB_Name = \"M\"\r\n' file note\r\n\r\n' Adds one.\r\n' Returns nothing.\r\n"
        "Private Sub Add()\r\n    n = n + 1\r\nEnd Sub\r\n\r\n\r\nPrivate Sub Other()\r\nEnd Sub\r\n";
    RoutineLocation found = findRoutine(text, "Private Sub Add(");
    EXPECT_EQ(found.header, "Private Sub Add(");
    EXPECT_EQ(
        slice(text, found.range),
        "' Adds one.\r\n' Returns nothing.\r\nPrivate Sub Add()\r\n    n = n + 1\r\nEnd Sub\r\n\r\n\r\n");
    EXPECT_EQ(slice(text, findRoutine(text, "Private Sub Other(").range),
              "Private Sub Other()\r\nEnd Sub\r\n");
}

TEST(Routines, EndKeywordFollowsTheHeaderKind) {
    std::string text =
        "x\r\nPublic Property Get Name() As String\r\n  Name = \"End Sub\"\r\nEnd Property\r\n"
        "Public Function F() As Long\r\nEnd Function";
    EXPECT_EQ(slice(text, findRoutine(text, "Public Property Get Name(").range),
              "Public Property Get Name() As String\r\n  Name = \"End Sub\"\r\nEnd Property\r\n");
    EXPECT_EQ(slice(text, findRoutine(text, "Public Function F(").range),
              "Public Function F() As Long\r\nEnd Function");
}

TEST(Routines, AHeaderContinuedAfterTheNameIsFound) {
    std::string text = "x\r\nPrivate Sub Long _\r\n    (ByVal a As Long)\r\nEnd Sub\r\n";
    RoutineLocation found = findRoutine(text, "Private Sub Long(");
    EXPECT_EQ(found.header, "Private Sub Long _");
    EXPECT_EQ(slice(text, found.range), "Private Sub Long _\r\n    (ByVal a As Long)\r\nEnd Sub\r\n");
}

TEST(Routines, AFunctionWithATypeCharacterAfterItsNameIsFound) {
    std::string text = "x\r\nPublic Function RoundTotal#(ByVal d As Double)\r\nEnd Function\r\n";
    RoutineLocation found = findRoutine(text, "Public Function RoundTotal(");
    EXPECT_EQ(found.header, "Public Function RoundTotal#(");
    EXPECT_EQ(slice(text, found.range), "Public Function RoundTotal#(ByVal d As Double)\r\nEnd Function\r\n");
    // The exact header wins over a typed one further up; another name with the same start does not count.
    std::string both = "Function Total$()\r\nEnd Function\r\nFunction Total()\r\nEnd Function\r\n";
    EXPECT_EQ(findRoutine(both, "Function Total(").header, "Function Total(");
    EXPECT_EQ(findRoutine("Function Totals()\r\nEnd Function\r\n", "Function Total(").header, "");
}

TEST(Routines, NothingWhenTheHeaderOrItsEndIsMissing) {
    RoutineLocation missing = findRoutine("Sub A()\r\nEnd Sub\r\n", "Sub B(");
    EXPECT_EQ(missing.header, "");
    EXPECT_FALSE(missing.range);
    RoutineLocation noEnd = findRoutine("x\r\nSub A()\r\n", "Sub A(");
    EXPECT_EQ(noEnd.header, "Sub A(");
    EXPECT_FALSE(noEnd.range);
    EXPECT_FALSE(findRoutine("Sub A()\r\nEnd Sub\r\n", "  ").range);
}

TEST(Routines, ARoutineWhoseScopeWasChangedIsFoundUnderTheNewScope) {
    std::string text = "' x Sub Add(\r\nPrivate Declare Sub Add Lib \"k\" ()\r\n"
                       "Public Sub Add(ByVal n As Long)\r\nEnd Sub\r\n";
    RoutineLocation found = findRoutine(text, "Private Sub Add(");
    EXPECT_EQ(found.header, "Public Sub Add(");
    EXPECT_EQ(slice(text, found.range), "Public Sub Add(ByVal n As Long)\r\nEnd Sub\r\n");
    EXPECT_EQ(findRoutine("Sub Add()\r\nEnd Sub\r\n", "Friend Sub Add(").header, "Sub Add(");
    // Another kind of routine with the same name is not it.
    EXPECT_EQ(findRoutine("Public Function Add()\r\nEnd Function\r\n", "Private Sub Add(").header, "");
}

TEST(Routines, TheHeaderOfAShownRoutineIsItsFirstLineOfCode) {
    EXPECT_EQ(routineHeaderIn("' note\r\n\r\n  Public Sub Add(ByVal n)\r\nEnd Sub\r\n"), "Public Sub Add(");
    EXPECT_EQ(routineHeaderIn("Private Sub Long _\r\n(ByVal n)\r\n"), "Private Sub Long _");
    EXPECT_EQ(routineHeaderIn("Friend Property Get Name() As String\r\n"), "Friend Property Get Name(");
    EXPECT_EQ(routineHeaderIn("' only a comment\r\n \r\n"), "");
    // A header commented out, or half typed, leaves no header; the body is not taken for one.
    EXPECT_EQ(routineHeaderIn("' Private Sub Add(ByVal n)\r\n    Dim x As Long\r\nEnd Sub\r\n"), "");
    EXPECT_EQ(routineHeaderIn("Privat Su Add(ByVal n)\r\n    Dim x As Long\r\n"), "");
}

}  // namespace tally
