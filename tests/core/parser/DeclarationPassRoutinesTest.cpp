#include <gtest/gtest.h>

#include "ScratchProject.h"

namespace tally::test {
namespace {

using Rows = std::vector<std::string>;

TEST(DeclarationPassRoutines, SlotsScopesKindsReturnTypesAndParameters) {
    ScratchProject p;
    p.addFile("modMain.bas", crlf(R"VB(Attribute VB_Name = "modMain"
Sub Plain()
End Sub
Private Sub Hidden(ByVal n As Long)
    n = n + 1
End Sub
Public Function Calc(ByVal x, y As Long) As Double
    Calc = x * y
End Function
Friend Function Pal() As String
End Function
Private Property Set Obj(ByVal o As Object)
End Property
Public Function Names(ByVal n As Long) As String()
End Function
Public Function Sum(a() As Long)
End Function
Public Function Cut() As Long ' returns (x) As Integer
End Function
)VB"));
    p.addFile("frmMain.frm", crlf("Sub FormLocal()\nEnd Sub\nPublic Sub FormShared()\nEnd Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    // Kinds: 0 Function, 6 Sub, 72 Property Set. Scopes: 3 Private, 5 Public,
    // 20 Friend. Problems: 8 no return type.
    EXPECT_EQ(p.routineRows(), (Rows{
                                   "0:Plain 6 0 N/A () 0 0",
                                   "0:Calc 0 5 Double (ByVal x, y As Long) 1 0",
                                   "0:Pal 0 20 String () 0 0",
                                   "0:Names 0 5 String() (ByVal n As Long) 0 0",
                                   "0:Sum 0 5 None (a() As Long) 0 8",
                                   "0:Cut 0 5 Long () 0 0",
                                   "0:FormShared 6 5 N/A () 0 0",
                                   "1:Hidden 6 3 N/A (ByVal n As Long) 1 0",
                                   "1:Obj 72 3 N/A (ByVal o As Object) 0 0",
                                   "2:FormLocal 6 0 N/A () 0 0",
                               }));
    EXPECT_EQ(p.model.subs[0][0].file, "modMain.bas");
    EXPECT_EQ(varRows(p.model.decVar), (Rows{"x|Calc|modMain.bas|0|notype"}));
    EXPECT_EQ(p.type("Integer"), nullptr);  // a comment after the header is no return type
}

TEST(DeclarationPassRoutines, FunctionPrefixesNeedABlank) {
    ScratchProject p;
    p.addFile("modB.bas", crlf(R"VB(Public FunctionCount As Long
Private Sub Work()
    FunctionName = 1
    Functional = 2
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(p.routineRows(), (Rows{"1:Work 6 3 N/A () 2 0"}));
    EXPECT_EQ(names(p.model.pubVar), (Rows{"FunctionCount"}));
    EXPECT_EQ(p.nodeText("func" + p.pathOf("modB.bas")), "Functions - 0");
}

TEST(DeclarationPassRoutines, ControlAndEventRoutines) {
    // Designer controls, WithEvents and Implements handlers are pinned by the sample's golden scan.
    ScratchProject p;
    p.addFile("frmMain.frm", crlf(R"VB(Begin VB.Form frmMain
   Begin VB.CommandButton cmdOK
   End
End
Private WithEvents m_conn As Connection
Private Sub cmdOK_Click()
End Sub
Private Sub m_conn_Changed(ByVal n)
End Sub
Friend Sub cmdOK_Other()
End Sub
Private Sub cmdNone_Click()
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(p.routineRows(), (Rows{
                                   "0:cmdOK_Other 6 20 N/A () 0 0",
                                   "1:cmdOK_Click 36 3 N/A () 0 0",
                                   "1:m_conn_Changed 6 3 N/A (ByVal n) 0 0 event",
                                   "1:cmdNone_Click 6 3 N/A () 0 0",
                               }));
    // Event routine parameters are no unused candidates; an untyped one is still a DecVar row.
    EXPECT_TRUE(p.model.unVar.empty());
    EXPECT_EQ(varRows(p.model.decVar), (Rows{"n|m_conn_Changed|frmMain.frm|6|notype"}));
}

TEST(DeclarationPassRoutines, DeclareStatementsAndDllNodes) {
    ScratchProject p;
    p.versions.versions["kernel32.dll"] = "5.1.2600";
    p.addFile("modApi.bas", crlf(R"VB(Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Declare Sub Sleep Lib "kernel32" (ByVal ms As Long)
Declare Function GetName& Lib "user32.dll" (ByVal h, s As String) ' returns As Integer
Declare Function NoLib Alias "x" ()
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(p.routineRows(), (Rows{
                                   "0:Sleep 12 5 N/A (ByVal ms As Long) 1 0",
                                   "0:GetName 18 0 Long (ByVal h, s As String) 1 1 old",
                                   "1:GetTickCount 18 3 Long () 1 0",
                               }));
    // Parameters: h untyped, one String, one Long; an empty list and the comment add nothing.
    EXPECT_EQ(p.model.types[0].uses, 1);
    EXPECT_EQ(p.type("String")->uses, 1);
    EXPECT_EQ(p.type("Long")->uses, 1);
    EXPECT_EQ(p.type("Integer"), nullptr);
    EXPECT_TRUE(p.model.decVar.empty());

    // Versions come from the version source; the rest of the DLL nodes is pinned by the golden scans.
    Rows perFile;
    for (const TreeNode* n : p.model.tree.children("dlls" + p.pathOf("modApi.bas")))
        perFile.push_back(n->text.str());
    // One child per declaration, repeats included; the project's list has each library once.
    EXPECT_EQ(perFile, (Rows{"kernel32.dll - 5.1.2600", "kernel32.dll - 5.1.2600", "user32.dll - "}));
    EXPECT_EQ(p.model.tree.children("alldlls").size(), 2u);
    EXPECT_EQ(p.nodeText("dllcnt"), "DLL Declarations - 3");
}

TEST(DeclarationPassRoutines, HeadersWithoutParenthesesAndStrayEnds) {
    ScratchProject p;
    p.addFile("modD.bas",
              crlf("Sub First()\n    x = 1\nEnd Sub\nStatic Sub NotAHeader()\n    y = 2\nEnd Sub\n"
                   "Sub Broken\nEnd Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    // A stray End records nothing (not First again) and takes no code line back; a header without
    // "(" gives a routine without a name.
    EXPECT_EQ(p.routineRows(), (Rows{"0:First 6 0 N/A () 1 0", "0: 6 0 N/A () 0 0"}));
    EXPECT_EQ(p.nodeText("linecnt" + p.pathOf("modD.bas")), "Code Lines - 1");
}

}  // namespace
}  // namespace tally::test
