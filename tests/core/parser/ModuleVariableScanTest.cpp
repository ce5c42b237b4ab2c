#include <gtest/gtest.h>

#include "ScratchProject.h"

namespace tally::test {

namespace {

struct UseCase {
    const char* body;  // lines of one routine, after the declaration "Private mCount As Long"
    bool used;
    bool commented;
};

// Runs the pass over one module that declares the private variable mCount and has one routine.
VarRec unusedRowOf(const UseCase& c) {
    ScratchProject p;
    p.addFile("m.bas", std::string("Private mCount As Long\r\nSub A()\r\n") + c.body + "\r\nEnd Sub\r\n");
    p.addModuleVariable("mCount", "Private Module Level", "m.bas");
    p.runCallPass();
    return p.model.unVar.empty() ? VarRec{} : p.model.unVar[0];
}

}  // namespace

TEST(ModuleVariableScan, WrittenFormsOfAUseAndTheirNeighbours) {
    const UseCase cases[] = {
        {"x = mCount + 1", true, false},              // " N "
        {"If mCount Then", true, false},              //
        {"mCount = 5", true, false},                  // CR LF "N = "
        {"Foo mCount", true, false},                  // " N" CR LF
        {"Foo(mCount)", true, false},                 // "N)"
        {"mCount.Clear", true, false},                // "N."
        {"x = Array(mCount, 1)", true, false},        // "(N,"
        {"x = TotalmCount(1)", true, false},          // "N(" inside a longer name still counts
        {"x = mCountTotal", false, false},            // a longer name is no use
        {"s = \"mCount\"", false, false},             // inside quotes, with no blank or bracket around it
        {"' mCount = 5", false, true},                // a comment line
        {"x = 1 ' mCount here", false, true},         // a trailing comment
        {"s = \"it's\" & mCount", false, true},       // an apostrophe in a string reads as a comment
        {"x = 1 ' note\r\nmCount = 5", false, true},  // CR LF "N = " is judged with the line before
    };
    for (const UseCase& c : cases) {
        VarRec row = unusedRowOf(c);
        EXPECT_EQ(row.name.empty(), c.used) << c.body;
        if (!c.used) {
            EXPECT_EQ(row.name, "mCount") << c.body;
            EXPECT_EQ(row.scope, "Private Module Level");
            EXPECT_EQ(row.file, "m.bas");
            EXPECT_EQ(row.commented, c.commented) << c.body;
        }
    }
}

TEST(ModuleVariableScan, AFirstOccurrenceOutsideADeclarationIsAUse) {
    ScratchProject p;
    // The first " N " is on a use line: used. A first occurrence on a Dim or Static line is not.
    p.addFile("a.bas", sourceText({"Sub A()", "x = mA + 1", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "Static mB As Long", "End Sub"}));
    p.addModuleVariable("mA", "Private Module Level", "a.bas");
    p.addModuleVariable("mB", "Private Module Level", "b.bas");
    p.runCallPass();
    ASSERT_EQ(p.model.unVar.size(), 1u);
    EXPECT_EQ(p.model.unVar[0].name, "mB");
}

TEST(ModuleVariableScan, DeclaredAndMentionedOnlyInCommentsIsUnusedAndCommented) {
    ScratchProject p;
    p.addFile("m.frm", sourceText({"Private mTotal As Long", "' mTotal holds the sum", "Sub A()",
                                   "    ' reset mTotal here", "End Sub"}));
    p.addFile("n.frm", sourceText({"Private mLast As Long", "Sub A()", "End Sub"}));
    p.addModuleVariable("mTotal", "Private Form Level", "m.frm");
    p.addModuleVariable("mLast", "Private Form Level", "n.frm", true);
    p.runCallPass();
    ASSERT_EQ(p.model.unVar.size(), 2u);
    EXPECT_EQ(p.model.unVar[0].name, "mTotal");
    EXPECT_TRUE(p.model.unVar[0].commented);
    EXPECT_EQ(p.model.unVar[1].name, "mLast");
    EXPECT_FALSE(p.model.unVar[1].commented);
    EXPECT_TRUE(p.model.unVar[1].isConst);
    EXPECT_EQ(p.model.unVar[1].scope, "Private Form Level");
}

TEST(ModuleVariableScan, ATypeCharacterIsTriedAgainForPrivateVariables) {
    ScratchProject p;
    // count% is found only as " count% "; total# only as "total# = " at a line start, which no form of
    // the search has (CR LF "total = " would have matched it without the type character).
    p.addFile("m.bas", sourceText({"Private count%", "Private total#", "Sub A()", "    count% = count% + 1",
                                   "total# = 1", "End Sub"}));
    p.addModuleVariable("count%", "Private Module Level", "m.bas");
    p.addModuleVariable("total#", "Private Module Level", "m.bas");
    p.runCallPass();
    ASSERT_EQ(p.model.unVar.size(), 1u);
    EXPECT_EQ(p.model.unVar[0].name, "total#");
}

TEST(ModuleVariableScan, PublicVariablesAreCountedPerFileAndSweptAfterTheLast) {
    ScratchProject p;
    p.addFile("a.bas",
              sourceText({"Public gUsed As Long", "Public gNever As Long", "Public gComment As Long"}));
    p.addFile("b.bas", sourceText({"Sub B()", "    x = gUsed + 1", "    ' gComment = 1", "End Sub"}));
    p.addFile("c.bas", sourceText({"Sub C()", "End Sub"}));
    p.addModuleVariable("gUsed", "Public", "a.bas");
    p.addModuleVariable("gNever", "Public", "a.bas", true);
    p.addModuleVariable("gComment", "Public", "a.bas");
    p.runCallPass();
    EXPECT_EQ(p.model.pubVar[0].filesNotUsing, 2);
    EXPECT_EQ(p.model.pubVar[1].filesNotUsing, 3);
    EXPECT_EQ(p.model.pubVar[2].filesNotUsing, 3);
    ASSERT_EQ(p.model.unVar.size(), 2u);
    EXPECT_EQ(p.model.unVar[0].name, "gNever");
    EXPECT_EQ(p.model.unVar[0].scope, "Public");
    EXPECT_EQ(p.model.unVar[0].file, "a.bas");
    EXPECT_TRUE(p.model.unVar[0].isConst);
    EXPECT_EQ(p.model.unVar[1].name, "gComment");
    EXPECT_FALSE(p.model.unVar[1].commented);
}

TEST(ModuleVariableScan, APrivateVariableIsInUseOnlyWhenItsOwnFileUsesIt) {
    ScratchProject p;
    // mX is unused in a.bas; b.bas happens to use a name mX. Its UnVar row stays.
    p.addFile("a.bas", sourceText({"Private mX As Long", "Sub A()", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "    y = mX + 1", "End Sub"}));
    p.addModuleVariable("mX", "Private Module Level", "a.bas");
    p.runCallPass();
    EXPECT_EQ(p.model.pubVar[0].filesNotUsing, 0);
    ASSERT_EQ(p.model.unVar.size(), 1u);
    EXPECT_EQ(p.model.unVar[0].name, "mX");
}

TEST(ModuleVariableScan, TheSweepBlanksRowsThatRepeatAVariableInUse) {
    ScratchProject p;
    p.addFile("a.bas", sourceText({"Public gTotal", "Private mY", "Sub A()", "    x = mY + 1", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "    z = gTotal + 1", "End Sub"}));
    p.addModuleVariable("gTotal", "Public", "a.bas");
    p.addModuleVariable("mY", "Private Module Level", "a.bas");
    p.addModuleVariable("mZ", "Private Module Level", "a.bas");  // unused
    auto decVar = [&](const char* name, const char* file, bool counted) {
        VarRec row;
        row.name = name;
        row.scope = "Private Module Level";
        row.file = file;
        row.countedAsNoType = counted;
        p.model.decVar.push_back(row);
    };
    decVar("gTotal", "a.bas", true);   // blanked; gives back its "No Type" use
    decVar("gTotal", "z.bas", false);  // blanked (public); never counted, so nothing given back
    decVar("mY", "a.bas", true);       // blanked: private, same file, used there
    decVar("mY", "b.bas", true);       // kept: another file's name
    decVar("mZ", "a.bas", true);       // kept: mZ is not used
    p.model.ensureTypes()[0].uses = 4;
    VarRec local;
    local.name = "gTotal";
    local.scope = "Calc";
    local.file = "b.bas";
    p.model.unVar.push_back(local);  // a local of the same name: blanked
    p.runCallPass();

    std::vector<std::string> decNames;
    for (const VarRec& row : p.model.decVar) decNames.push_back(row.name);
    EXPECT_EQ(decNames, (std::vector<std::string>{"", "", "", "mY", "mZ"}));
    EXPECT_EQ(p.model.types[0].uses, 2);
    // UnVar: the blanked local keeps its place; mZ was found unused in a.bas.
    ASSERT_EQ(p.model.unVar.size(), 2u);
    EXPECT_EQ(p.model.unVar[0], VarRec{});
    EXPECT_EQ(p.model.unVar[1].name, "mZ");
}

}  // namespace tally::test
