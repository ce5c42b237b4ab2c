#include <gtest/gtest.h>

#include "ScratchProject.h"
#include "core/text/TextOps.h"

namespace tally::test {
namespace {

using Rows = std::vector<std::string>;

TEST(DeclarationPassDeclarations, ModuleVariablesAndTheirScopes) {
    ScratchProject p;
    p.addFile("modA.bas", crlf(R"(Option Explicit
Public gCount As Long, gName$
Global gOld
Private mList() As String, mMap(1 To 5) As Variant, mLoose
Dim mDim As Integer
Const LIMIT = 10, NAMES = "a, b"
Private Const TITLE As String = "x" 'Default Property Values:
ReDim mBuf(10)
Private Sub Main()
End Sub
Dim mAfter As Long
)"));
    p.addFile("frmA.frm", crlf("Dim mForm\n"));
    p.addFile("pgA.pag", crlf("Private mPage As Long\n"));
    ASSERT_TRUE(p.runDeclarationPass());

    Rows pubVar = varRows(p.model.pubVar);
    for (std::string& row : pubVar) row = replaceAll(row, p.pathOf(""), "");  // file names, not paths
    EXPECT_EQ(pubVar, (Rows{"gCount|Public|modA.bas|0", "gName$|Public|modA.bas|0", "gOld|Public|modA.bas|0",
                            "mList|Private Module Level|modA.bas|0", "mMap|Private Module Level|modA.bas|0",
                            "mLoose|Private Module Level|modA.bas|0", "mDim|Private Module Level|modA.bas|0",
                            "LIMIT|Private Module Level|modA.bas|0|const",
                            "NAMES|Private Module Level|modA.bas|0|const",
                            "TITLE|Private Module Level|modA.bas|0|const",
                            "mForm|Private Form Level|frmA.frm|0", "mPage|Private Page Level|pgA.pag|0"}));
    // Untyped variables count as "No Type"; untyped constants go to DecVar only.
    EXPECT_EQ(varRows(p.model.decVar),
              (Rows{"gOld|Public|modA.bas|0|notype", "mLoose|Private Module Level|modA.bas|0|notype",
                    "LIMIT|Private Module Level|modA.bas|0", "NAMES|Private Module Level|modA.bas|0",
                    "mForm|Private Form Level|frmA.frm|0|notype"}));
    EXPECT_EQ(p.model.types[0], (TypeRec{"No Type", kTypeUnknown, 3}));
    EXPECT_EQ(p.type("Long")->uses, 2);    // gCount, mPage
    EXPECT_EQ(p.type("String")->uses, 3);  // gName$, mList, TITLE
    EXPECT_EQ(p.type("String")->typeKind, kTypeVariable);
}

TEST(DeclarationPassDeclarations, PropertyHeadersAreNotModuleDeclarations) {
    ScratchProject p;
    p.addFile("Class2.cls", crlf(R"(Private Const m_def_Color = 0 'Default Property Values:
Public Property Get Color() As Long
End Property
)"));
    p.addFile("Class3.cls", crlf(R"(Private Property Let Size(ByVal v As Long)
End Property
Public Sub Go()
End Sub
)"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(names(p.model.pubVar), (Rows{"m_def_Color"}));
    EXPECT_EQ(names(p.model.decVar), (Rows{"m_def_Color"}));
    EXPECT_EQ(p.model.types[0].uses, 0);
}

TEST(DeclarationPassDeclarations, TypeAndEnumBlocks) {
    // Scoped blocks and their elements are pinned by the sample's golden scan; this one checks a type
    // used before its definition, a bare block name and type text cut before a comment.
    ScratchProject p;
    p.addFile("modT.bas", crlf(R"(Public Sub UsesEarly(p As Point)
End Sub
)"));
    p.addFile("modU.bas", crlf(R"(Private Type Point ' a point
    x As Integer   ' across
    Label As String * 20

    ' a comment line
    Loose
End Type
Enum Color
    Red = 1
    Green
End Enum
Dim pt As New Point
)"));
    ASSERT_TRUE(p.runDeclarationPass());
    // Point was used (as an object) before its definition turned it into a Type.
    const TypeRec* point = p.type("Point");
    ASSERT_TRUE(point);
    EXPECT_EQ(point->typeKind, kTypeUdt);
    EXPECT_EQ(point->uses, 2);
    EXPECT_EQ(p.type("Color")->typeKind, kTypeEnum);
    EXPECT_EQ(p.type("Color")->uses, 0);
    EXPECT_EQ(p.type("Integer")->uses, 1);
    EXPECT_EQ(p.type("String")->uses, 1);
    EXPECT_EQ(p.type("Integer   "), nullptr);

    EXPECT_EQ(varRows(p.model.decVar),
              (Rows{"Loose|Point Element|modU.bas|0", "Green|Color Element|modU.bas|0"}));
    EXPECT_EQ(p.model.types[0].uses, 0);
    // The declaration after the blocks is back to module level.
    EXPECT_EQ(names(p.model.pubVar), (Rows{"pt"}));
}

TEST(DeclarationPassDeclarations, DesignerPropertiesAreNotDeclarations) {
    ScratchProject p;
    p.addFile("frmGrid.frm", crlf(R"(VERSION 5.00
Object = "{5E9E78A0-531B-11CF-91F6-C2863C385E30}#1.0#0"; "MSFLXGRD.OCX"
Begin VB.Form frmGrid
   Caption = "Grid"
   Begin MSFlexGridLib.MSFlexGrid grd
      Type = 1
      Public = 0
      Dim = 2
   End
   Begin VB.Frame fra
      Begin VB.Label lbl
         Enum = 1
      End
      Private = 1
   End
End
Attribute VB_Name = "frmGrid"
Private Type Cell
    Row As Long
End Type
Private mCell As Cell
Implements IGrid
Private Sub Form_Load()
End Sub
)"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(names(p.model.pubVar), (Rows{"mCell"}));
    EXPECT_TRUE(p.model.decVar.empty());
    const TypeRec* cell = p.type("Cell");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->typeKind, kTypeUdt);
    EXPECT_EQ(cell->uses, 1);
    EXPECT_EQ(p.type("Long")->uses, 1);
    ASSERT_EQ(p.model.controls.size(), 5u);
    EXPECT_EQ(p.model.controls[4], (ControlRec{"IGrid", kControlEventSource}));
    EXPECT_EQ(p.nodeText("controls" + p.pathOf("frmGrid.frm")), "Controls  - 3");

    std::string path = p.pathOf("frmGrid.frm");
    ASSERT_EQ(p.model.tree.children("Objects" + path).size(), 1u);
    EXPECT_EQ(p.nodeText("Objects" + path), "Objects");
    EXPECT_EQ(p.model.tree.children("Objects" + path)[0]->text, "MSFLXGRD.OCX - ");
    EXPECT_EQ(p.model.tree.children("Objects" + path)[0]->image, "object");
}

TEST(DeclarationPassDeclarations, WithEventsAndEvents) {
    ScratchProject p;
    p.addFile("Class4.cls", crlf(R"(Private WithEvents mTimer As Timer ' As needed
Public Event Changed(ByVal n As Long)
Public Event NoParens
Dim WithEvents  As Foo
Public Sub Raise()
End Sub
Private WithEvents mLate As Timer
)"));
    ASSERT_TRUE(p.runDeclarationPass());
    std::vector<ControlRec> expected{{"mTimer", kControlEventSource}, {"Changed", kControlEventSource}};
    EXPECT_EQ(p.model.controls, expected);
    EXPECT_TRUE(p.model.pubVar.empty());
    EXPECT_EQ(p.type("Timer"), nullptr);
}

TEST(DeclarationPassDeclarations, NamesMadeOfTypeCharactersAndOddStatements) {
    ScratchProject p;
    p.addFile("modOdd.bas", crlf(R"(Dim $
Dim %, &, x!
Public ()
Const
Private
Dim a(, b
Private Type
End Type
)"));
    ASSERT_TRUE(p.runDeclarationPass());
    // An unclosed bound keeps the names after it; "Private Type" without a name reads as a variable.
    EXPECT_EQ(names(p.model.pubVar), (Rows{"$", "%", "&", "x!", "a", "b", "Type"}));
    EXPECT_EQ(p.type("Single")->uses, 1);
    EXPECT_EQ(p.type("String")->uses, 1);
}

}  // namespace
}  // namespace tally::test
