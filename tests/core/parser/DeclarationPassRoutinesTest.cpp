#include <gtest/gtest.h>

#include "ParserTestProject.h"

namespace tally {
namespace {

using test::crlf;
using test::ParserTestProject;

TEST(DeclarationPassRoutines, SlotsScopesKindsAndReturnTypes) {
    ParserTestProject p;
    p.add("modMain.bas", crlf(R"(Attribute VB_Name = "modMain"
Option Explicit

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

Function Total#()
End Function

Function Tally()
End Function

Property Get Value() As Long
End Property

Public Property Let Value(ByVal v As Long)
End Property

Private Property Set Obj(ByVal o As Object)
End Property
)"));
    int form = p.add("frmMain.frm", crlf(R"(Sub FormLocal()
End Sub
Public Sub FormShared()
End Sub
)"));
    ASSERT_TRUE(p.run());
    int slot = -1;

    const SubRec* plain = p.routine("Plain", &slot);
    ASSERT_TRUE(plain);
    EXPECT_EQ(slot, 0);  // no scope word in a .bas file: global
    EXPECT_EQ(plain->scope, kScopeNone);
    EXPECT_EQ(plain->kind, kKindSub);
    EXPECT_EQ(plain->returnType, "N/A");
    EXPECT_EQ(plain->file, "modMain.bas");
    EXPECT_EQ(plain->lineCount, 0);

    const SubRec* hidden = p.routine("Hidden", &slot);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(hidden->scope, kScopePrivate);
    EXPECT_EQ(hidden->params, "ByVal n As Long");
    EXPECT_EQ(hidden->lineCount, 1);

    const SubRec* calc = p.routine("Calc", &slot);
    ASSERT_TRUE(calc);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(calc->scope, kScopePublic);
    EXPECT_EQ(calc->kind, kKindFunction);
    EXPECT_EQ(calc->returnType, "Double");
    EXPECT_EQ(calc->params, "ByVal x, y As Long");
    EXPECT_EQ(calc->problems, 0);
    ASSERT_EQ(p.model.decVar.size(), 1u);
    EXPECT_EQ(p.model.decVar[0].name, "x");
    EXPECT_EQ(p.model.decVar[0].scope, "Calc");
    EXPECT_EQ(p.model.decVar[0].ownerKind, kKindFunction);
    EXPECT_EQ(p.model.decVar[0].file, "modMain.bas");
    EXPECT_TRUE(p.model.decVar[0].countedAsNoType);

    const SubRec* pal = p.routine("Pal", &slot);
    ASSERT_TRUE(pal);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(pal->scope, kScopeFriend);

    const SubRec* total = p.routine("Total");
    ASSERT_TRUE(total);
    EXPECT_EQ(total->returnType, "Double");
    EXPECT_TRUE(total->oldStyle);
    EXPECT_EQ(total->problems, kProblemOldStyle);

    const SubRec* tally = p.routine("Tally");
    ASSERT_TRUE(tally);
    EXPECT_EQ(tally->returnType, "None");
    EXPECT_EQ(tally->problems, kProblemNoReturnType);

    ASSERT_EQ(p.model.subCount(0), 8);
    const std::vector<SubRec>& global = p.model.subs[0];
    EXPECT_EQ(global[5].name, "Value");
    EXPECT_EQ(global[5].kind, kKindPropertyGet);
    EXPECT_EQ(global[5].returnType, "Long");
    EXPECT_EQ(global[6].kind, kKindPropertyLet);
    EXPECT_EQ(global[6].returnType, "N/A");
    const SubRec* obj = p.routine("Obj", &slot);
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->kind, kKindPropertySet);
    EXPECT_EQ(slot, 1);

    p.routine("FormLocal", &slot);
    EXPECT_EQ(slot, form);  // no scope word outside a .bas file: the file's own slot
    p.routine("FormShared", &slot);
    EXPECT_EQ(slot, 0);
}

TEST(DeclarationPassRoutines, LineCountsLeaveOutHeaderEndBlanksAndComments) {
    ParserTestProject p;
    p.add("modA.bas", crlf(R"(Sub A()
    Dim i As Long

    ' comment
    i = 1: _
      i = 2
    Debug.Print i ' trailing
End Sub
)"));
    ASSERT_TRUE(p.run());
    const SubRec* a = p.routine("A");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->lineCount, 3);
    std::string path = p.pathOf("modA.bas");
    EXPECT_EQ(p.nodeText("linecnt" + path), "Code Lines - 3");
    EXPECT_EQ(p.nodeText("cmntcnt" + path), "Comments  - 2/66.67%");
    EXPECT_EQ(p.nodeText("whitect" + path), "Blank Lines  - 1/33.33%");
}

TEST(DeclarationPassRoutines, FunctionPrefixesNeedABlank) {
    ParserTestProject p;
    p.add("modB.bas", crlf(R"(Public FunctionCount As Long
Private Sub Work()
    FunctionName = 1
    Functional = 2
End Sub
)"));
    ASSERT_TRUE(p.run());
    ASSERT_EQ(p.model.subCount(0), 0);
    ASSERT_EQ(p.model.subCount(1), 1);
    EXPECT_EQ(p.model.subs[1][0].name, "Work");
    EXPECT_EQ(p.model.subs[1][0].lineCount, 2);
    ASSERT_EQ(p.model.pubVar.size(), 1u);
    EXPECT_EQ(p.model.pubVar[0].name, "FunctionCount");
    EXPECT_EQ(p.nodeText("func" + p.pathOf("modB.bas")), "Functions - 0");
}

TEST(DeclarationPassRoutines, ControlAndEventRoutines) {
    ParserTestProject p;
    p.add("frmMain.frm", crlf(R"(VERSION 5.00
Begin VB.Form frmMain
   Caption = "Main"
   Begin VB.CommandButton cmdOK
      Caption = "OK"
   End
End
Attribute VB_Name = "frmMain"
Private WithEvents m_conn As Connection
Implements IPlugin
Private Sub cmdOK_Click()
End Sub
Private Sub Form_Load()
End Sub
Private Sub m_conn_Changed(ByVal n)
End Sub
Private Function IPlugin_Name() As String
End Function
Friend Sub cmdOK_Other()
End Sub
Private Sub cmdNone_Click()
End Sub
)"));
    ASSERT_TRUE(p.run());
    ASSERT_EQ(p.model.controls.size(), 4u);
    EXPECT_EQ(p.model.controls[0], (ControlRec{"frmMain", kControlDesigner}));
    EXPECT_EQ(p.model.controls[1], (ControlRec{"cmdOK", kControlDesigner}));
    EXPECT_EQ(p.model.controls[2], (ControlRec{"m_conn", kControlEventSource}));
    EXPECT_EQ(p.model.controls[3], (ControlRec{"IPlugin", kControlEventSource}));
    EXPECT_TRUE(p.model.pubVar.empty());  // a WithEvents line is used up

    int slot = -1;
    const SubRec* click = p.routine("cmdOK_Click", &slot);
    ASSERT_TRUE(click);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(click->kind, kKindControl);
    EXPECT_EQ(click->scope, kScopePrivate);
    EXPECT_EQ(p.routine("Form_Load")->kind, kKindControl);
    const SubRec* changed = p.routine("m_conn_Changed");
    EXPECT_EQ(changed->kind, kKindSub);
    EXPECT_TRUE(changed->isEvent);
    EXPECT_TRUE(p.routine("IPlugin_Name")->isEvent);
    EXPECT_EQ(p.routine("IPlugin_Name")->returnType, "String");
    EXPECT_EQ(p.routine("cmdOK_Other")->kind, kKindSub);  // Friend routines are never event routines
    EXPECT_EQ(p.routine("cmdNone_Click")->kind, kKindSub);
    EXPECT_FALSE(p.routine("cmdNone_Click")->isEvent);
    // Event routine parameters are neither unused candidates nor typed notes; untyped ones still
    // go to DecVar, without counting as "No Type".
    EXPECT_TRUE(p.model.unVar.empty());
    ASSERT_EQ(p.model.decVar.size(), 1u);
    EXPECT_EQ(p.model.decVar[0].name, "n");
    EXPECT_EQ(p.model.decVar[0].scope, "m_conn_Changed");
    EXPECT_EQ(p.nodeText("controls" + p.pathOf("frmMain.frm")), "Controls  - 1");
}

TEST(DeclarationPassRoutines, ArrayReturnsAndArrayParametersKeepTheirTypes) {
    ParserTestProject p;
    p.add("modC.bas", crlf(R"(Public Function Names(ByVal n As Long) As String()
End Function
Public Function Sum(a() As Long)
End Function
Public Function Cut() As Long ' returns (x) As Integer
End Function
)"));
    ASSERT_TRUE(p.run());
    const SubRec* names = p.routine("Names");
    EXPECT_EQ(names->params, "ByVal n As Long");
    EXPECT_EQ(names->returnType, "String()");
    const SubRec* sum = p.routine("Sum");
    EXPECT_EQ(sum->params, "a() As Long");
    EXPECT_EQ(sum->returnType, "None");
    EXPECT_EQ(sum->problems, kProblemNoReturnType);
    EXPECT_EQ(p.routine("Cut")->returnType, "Long");
    EXPECT_EQ(p.type("Integer"), nullptr);
}

TEST(DeclarationPassRoutines, DeclareStatementsAndDllNodes) {
    ParserTestProject p;
    p.versions.versions["kernel32.dll"] = "5.1.2600";
    int row = p.add("modApi.bas", crlf(R"(Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Declare Sub Sleep Lib "kernel32" (ByVal ms As Long)
Declare Function GetName& Lib "user32.dll" (ByVal h, s As String) ' returns As Integer
Declare Function NoLib Alias "x" ()
)"));
    ASSERT_TRUE(p.run());
    int slot = -1;
    const SubRec* tick = p.routine("GetTickCount", &slot);
    ASSERT_TRUE(tick);
    EXPECT_EQ(slot, row);
    EXPECT_EQ(tick->kind, kKindDllFunction);
    EXPECT_EQ(tick->scope, kScopePrivate);
    EXPECT_EQ(tick->returnType, "Long");
    EXPECT_EQ(tick->lineCount, 1);
    EXPECT_EQ(tick->params, "");
    const SubRec* sleep = p.routine("Sleep", &slot);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(sleep->kind, kKindDllSub);
    EXPECT_EQ(sleep->returnType, "N/A");
    EXPECT_EQ(sleep->scope, kScopePublic);
    const SubRec* name = p.routine("GetName", &slot);
    ASSERT_TRUE(name);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(name->scope, kScopeNone);
    EXPECT_EQ(name->returnType, "Long");
    EXPECT_TRUE(name->oldStyle);
    EXPECT_EQ(name->problems, kProblemOldStyle);
    EXPECT_EQ(name->params, "ByVal h, s As String");
    EXPECT_EQ(p.routine("NoLib"), nullptr);

    // Parameters: one untyped (h), one String, one Long; a parameterless list adds nothing.
    EXPECT_EQ(p.model.types[0].uses, 1);
    EXPECT_EQ(p.type("String")->uses, 1);
    EXPECT_EQ(p.type("Long")->uses, 1);
    EXPECT_EQ(p.type("Integer"), nullptr);  // the comment does not leak into the statement
    EXPECT_TRUE(p.model.decVar.empty());

    std::string path = p.pathOf("modApi.bas");
    EXPECT_EQ(p.nodeText("dlls" + path), "DLLs");
    std::vector<std::string> perFile;
    for (const TreeNode* n : p.model.tree.children("dlls" + path)) perFile.push_back(n->text);
    EXPECT_EQ(perFile, (std::vector<std::string>{"kernel32.dll - 5.1.2600", "user32.dll - "}));
    EXPECT_EQ(p.nodeText("dllkernel32.dll"), "kernel32.dll - 5.1.2600");
    EXPECT_EQ(p.model.tree.children("alldlls").size(), 2u);
    EXPECT_EQ(p.nodeText("dllcnt"), "DLL Declarations - 3");
}

TEST(DeclarationPassRoutines, HeadersWithoutParenthesesAndStrayEnds) {
    ParserTestProject p;
    p.add("modD.bas", crlf(R"(Sub First()
    x = 1
End Sub
Static Sub NotAHeader()
    y = 2
End Sub
Sub Broken
End Sub
)"));
    ASSERT_TRUE(p.run());
    // A stray End records nothing (not First again) and takes no code line back.
    ASSERT_EQ(p.model.subCount(0), 2);
    EXPECT_EQ(p.model.subs[0][0].name, "First");
    EXPECT_EQ(p.model.subs[0][1].name, "");  // a header without "(" has no name
    EXPECT_EQ(p.model.subs[0][1].lineCount, 0);
    EXPECT_EQ(p.nodeText("linecnt" + p.pathOf("modD.bas")), "Code Lines - 1");
}

TEST(DeclarationPassRoutines, FileEndingInsideARoutineLeavesTheNextFileInIt) {
    ParserTestProject p;
    p.add("modE.bas", crlf("Sub Open1()\n    a = 1\n"));
    p.add("modF.bas", crlf("Dim z As Long\n\nSub Two()\nEnd Sub\n"));
    ASSERT_TRUE(p.run());
    ASSERT_EQ(p.model.subCount(0), 1);
    EXPECT_EQ(p.model.subs[0][0].name, "Two");
    EXPECT_EQ(p.model.subs[0][0].file, "modF.bas");
    // modF starts in a routine: its declaration, blank line and first header count as routine
    // lines; its declarations section is still read as one.
    EXPECT_EQ(p.nodeText("linecnt" + p.pathOf("modF.bas")), "Code Lines - 2");
    EXPECT_EQ(p.nodeText("whitect" + p.pathOf("modF.bas")), "Blank Lines  - 1/50.00%");
    EXPECT_EQ(p.names(p.model.pubVar), (std::vector<std::string>{"z"}));
}

}  // namespace
}  // namespace tally
