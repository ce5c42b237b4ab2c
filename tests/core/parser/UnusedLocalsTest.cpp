#include <gtest/gtest.h>

#include <ostream>

#include "ParserTestProject.h"

namespace tally {
namespace {

using test::crlf;
using test::ParserTestProject;

struct Unused {
    std::string name;
    std::string scope;
    bool isConst;
    bool commented;
    bool operator==(const Unused&) const = default;
    friend void PrintTo(const Unused& u, std::ostream* os) {
        *os << "{" << u.name << ", " << u.scope << ", " << u.isConst << ", " << u.commented << "}";
    }
};

std::vector<Unused> unused(const ProjectModel& model) {
    std::vector<Unused> out;
    for (const VarRec& r : model.unVar) out.push_back({r.name, r.scope, r.isConst, r.commented});
    return out;
}

TEST(UnusedLocals, EachFormOfUseCountsAndLongerNamesDoNot) {
    ParserTestProject p;
    p.add("modK.bas", crlf(R"VB(Private Sub Uses(ByVal a As Long, b As String, Optional c As Long, d, e)
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
    ASSERT_TRUE(p.run());
    std::vector<Unused> expected{{"idx", "Uses", false, false}};
    // "unusedOne" inside a literal counts as a use: hits are found by text.
    EXPECT_EQ(unused(p.model), expected);
    EXPECT_EQ(p.model.unVar[0].ownerKind, kKindSub);
    EXPECT_EQ(p.model.unVar[0].file, "modK.bas");
}

TEST(UnusedLocals, ParametersConstantsAndCommentedNames) {
    ParserTestProject p;
    p.add("modL.bas", crlf(R"VB(Public Function Calc(ByVal x As Long, Optional y As Long) As Long
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
    ASSERT_TRUE(p.run());
    // "note" after a comment mark counts as used: the line's last literal holds an apostrophe.
    std::vector<Unused> expected{
        {"x", "Calc", false, false},
        {"y", "Calc", false, false},
        {"RATE", "Calc", true, false},
        {"total", "Calc", false, true},
    };
    EXPECT_EQ(unused(p.model), expected);
    // RATE is an untyped constant: a DecVar row that does not count as "No Type".
    ASSERT_EQ(p.model.decVar.size(), 1u);
    EXPECT_EQ(p.model.decVar[0].name, "RATE");
    EXPECT_EQ(p.model.decVar[0].scope, "Calc");
    EXPECT_FALSE(p.model.decVar[0].countedAsNoType);
}

TEST(UnusedLocals, HeadersAndReDimLines) {
    ParserTestProject p;
    p.add("Class5.cls", crlf(R"VB(Public Property Set Target(ByVal obj As Object)
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
    ASSERT_TRUE(p.run());
    // The Property Set header declares nothing; arr is used by its ReDim lines; fresh is a ReDim
    // declaration and used; a$ is not used.
    std::vector<Unused> expected{{"a$", "Count", false, false}};
    EXPECT_EQ(unused(p.model), expected);
    EXPECT_EQ(p.names(p.model.decVar), (std::vector<std::string>{"fresh"}));
    EXPECT_EQ(p.model.unVar[0].ownerKind, kKindPropertyGet);
    EXPECT_EQ(p.routine("Count")->returnType, "String");
}

TEST(UnusedLocals, ParamArrayAndSplitHeaders) {
    ParserTestProject p;
    p.add("modM.bas", crlf(R"VB(Public Sub Many(ByVal first As Long, _
                ParamArray rest())
    Debug.Print UBound(rest)
End Sub
)VB"));
    ASSERT_TRUE(p.run());
    std::vector<Unused> expected{{"first", "Many", false, false}};
    EXPECT_EQ(unused(p.model), expected);
    EXPECT_EQ(p.routine("Many")->params, "ByVal first As Long, ParamArray rest()");
}

}  // namespace
}  // namespace tally
