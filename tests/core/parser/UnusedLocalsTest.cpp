#include <gtest/gtest.h>

#include "ScratchProject.h"

namespace tally::test {
namespace {

using Rows = std::vector<std::string>;

TEST(UnusedLocals, EachFormOfUseCountsAndLongerNamesDoNot) {
    ScratchProject p;
    p.addFile("modK.bas", crlf(R"VB(Private Sub Uses(ByVal a As Long, b As String, Optional c As Long, d, e)
    Dim i As Long, j As Long, k%, m As Object, n As Long, o As Long
    Dim unusedOne As Long
    Dim idx As Long
    i = 1
    Call Foo(j, 2)
    Debug.Print k
    m.Visible = True
    x = (n)
    If o Then Beep
    Debug.Print a + Len(b) + c
    Foo d, e
    idxOther = 3
    Debug.Print "unusedOne"
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    // "unusedOne" inside a literal counts as a use: hits are found by text.
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"idx|Uses|modK.bas|6"}));
}

TEST(UnusedLocals, ParametersConstantsAndCommentedNames) {
    ScratchProject p;
    p.addFile("modL.bas", crlf(R"VB(Public Function Calc(ByVal x As Long, Optional y As Long) As Long
    Const RATE = 5
    Const USED_RATE As Long = 2
    Static total As Long
    Dim note As String
    ' total is kept for later
    s = "it's" ' note
    t = "don't" & note2 ' and note
    Calc = USED_RATE
End Function
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    // "note" after a comment mark counts as used: the line's last literal holds an apostrophe.
    EXPECT_EQ(varRows(p.model.unVar),
              (Rows{"x|Calc|modL.bas|0", "y|Calc|modL.bas|0", "RATE|Calc|modL.bas|0|const",
                    "total|Calc|modL.bas|0|commented"}));
    // RATE is an untyped constant: a DecVar row that does not count as "No Type".
    EXPECT_EQ(varRows(p.model.decVar), (Rows{"RATE|Calc|modL.bas|0"}));
}

TEST(UnusedLocals, HeadersAndReDimLines) {
    ScratchProject p;
    p.addFile("Class5.cls", crlf(R"VB(Public Property Set Target(ByVal obj As Object)
    Dim arr() As Long
    ReDim arr(10)
    ReDim fresh(5)
    ReDim Me.Items(3)
    ReDim Preserve arr(20)
    fresh(1) = 1
    Set mTarget = obj
End Property
Public Property Get Count$()
    Dim a$
    Count = "1"
End Property
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    // The Property Set header declares nothing; arr is used by its ReDim lines; fresh is a ReDim
    // declaration and used; a$ is not used.
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"a$|Count|Class5.cls|24"}));
    EXPECT_EQ(varRows(p.model.decVar), (Rows{"fresh|Target|Class5.cls|72|notype"}));
    EXPECT_EQ(p.findRoutine("Count")->returnType, "String");
}

TEST(UnusedLocals, SubAndFunctionWordsDeclareNothing) {
    ScratchProject p;
    p.addFile("modH.bas", crlf(R"VB(Public Sub Go(ByVal a As Long)
    Dim z As Long ' a Sub and a Function in a comment
    Dim w As Long
    Const SUBTOTAL = 1
    w = a
End Sub
Public Function Named$(ByVal unusedParam As Long)
    Dim Function_Count As Long, s As String: Function_Count = 1
    Named = "x" & s
End Function
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    // The headers declare no locals; the words inside names and comments do not make a line a header.
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"z|Go|modH.bas|6", "SUBTOTAL|Go|modH.bas|6|const",
                                            "unusedParam|Named|modH.bas|0"}));
}

TEST(UnusedLocals, ParamArrayAndSplitHeaders) {
    ScratchProject p;
    p.addFile("modM.bas", crlf(R"VB(Public Sub Many(ByVal first As Long, _
                ParamArray rest())
    Debug.Print UBound(rest)
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"first|Many|modM.bas|6"}));
    EXPECT_EQ(p.findRoutine("Many")->params, "ByVal first As Long, ParamArray rest()");
    // The untyped ParamArray is filed under its name, without the keyword in front.
    EXPECT_EQ(varRows(p.model.decVar), (Rows{"rest|Many|modM.bas|6|notype"}));
}

TEST(UnusedLocals, ARoutineWithManyUnusedNamesIsJudgedAsASmallOne) {
    // Names are searched one by one from their declaration; a routine where that would read the text
    // over and over (many unused names) is judged in one pass instead. The verdicts must not differ.
    const std::string body =
        R"VB(    Dim used As Long, commented As Long, quoted As Long, longer As Long, later As Long
    used = 1 ' commented
    ' commented again, and later
    s = "it's" & quoted ' x
    longerName = 2
    t = "ab" ' later
)VB";
    std::string pads;
    for (int i = 0; i < 60; ++i) pads += "    Dim pad" + std::to_string(i) + " As Long\n";
    ScratchProject p;
    p.addFile("modFew.bas", crlf("Sub Few(ByVal p As Long)\n" + body + "End Sub\n"));
    p.addFile("modMany.bas", crlf("Sub Many(ByVal p As Long)\n" + pads + body + "End Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    // Each row without its scope and file, which differ between the two routines.
    Rows few, many;
    for (const VarRec& row : p.model.unVar) {
        std::string verdict = row.name + (row.commented ? "|commented" : "");
        if (row.scope == "Few") few.push_back(verdict);
        if (row.scope == "Many" && !row.name.view().starts_with("pad")) many.push_back(verdict);
    }
    EXPECT_EQ(few, (Rows{"p", "commented|commented", "longer", "later|commented"}));
    EXPECT_EQ(many, few);
    EXPECT_EQ(p.model.unVar.size(), 4u + 4u + 60u);
}

TEST(UnusedLocals, ParameterCandidatesAreTheNamesWithoutDefaultsOrModifiers) {
    ScratchProject p;
    p.addFile("modP.bas", crlf(R"VB(Public Sub Toggle(Optional bOn = False, Optional ByVal Prefix As String = "Widget, Mark", Optional n% = 3)
    Debug.Print "x"
End Sub
Public Sub UsesThem(Optional bOn = False, Optional ByVal Prefix As String = "Widget, Mark")
    If bOn Then Debug.Print Prefix
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    // "False" is no candidate, and the comma in the literal makes no second parameter.
    EXPECT_EQ(varRows(p.model.unVar),
              (Rows{"bOn|Toggle|modP.bas|6", "Prefix|Toggle|modP.bas|6", "n%|Toggle|modP.bas|6"}));
    EXPECT_EQ(names(p.model.decVar), (Rows{"bOn", "bOn"}));
}

TEST(UnusedLocals, ANameIsSearchedByItsLastWordOnlyWhenThatIsAPlainWord) {
    // "ParamArray<tab>items" is searched as "items" (the keyword is cut only before a blank);
    // "a-b" is no plain word and is not searched at all, nor is its last piece "b" taken for it;
    // "x$" is searched without its type character.
    ScratchProject p;
    p.addFile("modW.bas", crlf("Private Sub Walk(ParamArray\titems())\r\n"
                               "    Dim a-b As Long, x$, q As Long\r\n"
                               "    q = 1\r\n"
                               "End Sub\r\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"ParamArray\titems|Walk|modW.bas|6", "x$|Walk|modW.bas|6"}));
}

TEST(UnusedLocals, ALocalUsedAboveItsOnlyDeclarationIsUsed) {
    ScratchProject p;
    p.addFile("modR.bas", crlf(R"VB(Private Sub Reset()
    Erase arrData
    ReDim arrData(1)
    ReDim arrOther(1)
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"arrOther|Reset|modR.bas|6"}));
}

TEST(UnusedLocals, AReDimOfACandidateDeclaresNothingHoweverManyCandidatesCame) {
    // A ReDim of a name declared above it adds no candidate and no DecVar row; a ReDim of a name
    // declared only below it does. Past a handful of candidates they are looked up in a set: the
    // rows must be those of a routine with few.
    const std::string body = R"VB(    Dim arr() As Long
    ReDim arr(10)
    ReDim early(2)
    ReDim fresh(5)
    Dim early() As Long
    Dim idle() As Long
    ReDim idle(3)
    arr(1) = fresh(1)
)VB";
    std::string pads;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "pad" + std::to_string(i);
        pads += "    Dim " + name + "() As Long\n    ReDim " + name + "(1)\n";
    }
    ScratchProject p;
    p.addFile("modFew.bas", crlf("Sub Few()\n" + body + "End Sub\n"));
    p.addFile("modMany.bas", crlf("Sub Many()\n" + pads + body + "End Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    Rows few, many;
    for (const VarRec& row : p.model.decVar)
        (row.scope == "Few" ? few : many).push_back(std::string(row.name.view()));
    EXPECT_EQ(few, (Rows{"early", "fresh"}));
    EXPECT_EQ(many, few);
    // Every candidate is used by its own ReDim line: no row for them, in either routine.
    EXPECT_TRUE(p.model.unVar.empty()) << varRows(p.model.unVar).size();
}

}  // namespace
}  // namespace tally::test
