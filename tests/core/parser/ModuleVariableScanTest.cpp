#include <gtest/gtest.h>

#include <cstring>

#include "ScratchProject.h"
#include "core/text/TextOps.h"

namespace tally::test {

namespace {

using Rows = std::vector<std::string>;

struct UseCase {
    const char* body;  // lines of one routine, after the declaration "Private mCount As Long"
    bool used;
    bool commented;
};

}  // namespace

TEST(ModuleVariableScan, WrittenFormsOfAUseAndTheirNeighbours) {
    const UseCase cases[] = {
        {"x = mCount + 1", true, false},                  // " N "
        {"If mCount Then", true, false},                  //
        {"mCount = 5", true, false},                      // CR LF "N = "
        {"Foo mCount", true, false},                      // " N" CR LF
        {"Foo(mCount)", true, false},                     // "N)"
        {"mCount.Clear", true, false},                    // "N."
        {"x = Array(mCount, 1)", true, false},            // "(N,"
        {"x = TotalmCount(1)", true, false},              // "N(" inside a longer name still counts
        {"x = mCountTotal", false, false},                // a longer name is no use
        {"s = \"mCount\"", false, false},                 // inside quotes, with no blank or bracket around it
        {"' mCount = 5", false, true},                    // a comment line
        {"x = 1 ' mCount here", false, true},             // a trailing comment
        {"s = \"it's\" & mCount", false, true},           // an apostrophe in a string reads as a comment
        {"x = 1 ' note\r\nmCount = 5", false, true},      // CR LF "N = " is judged with the line before
        {"x = 1 ' note\r\n\r\nmCount = 5", true, false},  // ... which here is empty
    };
    // A file checked out with LF ends is read without a copy; the forms that hold a line end, and
    // the line before a CR LF "N = ", must read its LF as CR LF. A last line without an end is read
    // as ending in one.
    for (const char* lineEnd : {"\r\n", "\n"}) {
        for (bool lastLineEnded : {true, false}) {
            for (const UseCase& c : cases) {
                ScratchProject p;
                std::string text = std::string("Private mCount As Long\r\nSub A()\r\n") + c.body +
                                   (lastLineEnded ? "\r\nEnd Sub\r\n" : "\r\n");
                text = replaceAll(text, "\r\n", lineEnd);
                if (!lastLineEnded) text.resize(text.size() - std::strlen(lineEnd));
                p.addFile("m.bas", text);
                p.addModuleVariable("mCount", "Private Module Level", "m.bas");
                p.runCallPass();
                Rows expected;
                if (!c.used)
                    expected.push_back(c.commented ? "mCount|Private Module Level|m.bas|0|commented"
                                                   : "mCount|Private Module Level|m.bas|0");
                EXPECT_EQ(varRows(p.model.unVar), expected)
                    << c.body << (lineEnd[0] == '\n' ? " (LF)" : " (CR LF)")
                    << (lastLineEnded ? "" : " unended");
            }
        }
    }
}

TEST(ModuleVariableScan, AFirstOccurrenceOnAStaticLineIsNoUse) {
    ScratchProject p;
    p.addFile("b.bas", sourceText({"Sub B()", "Static mB As Long", "End Sub"}));
    p.addModuleVariable("mB", "Private Module Level", "b.bas");
    p.runCallPass();
    EXPECT_EQ(names(p.model.unVar), (Rows{"mB"}));
}

TEST(ModuleVariableScan, TheSweepBlanksRowsThatRepeatAVariableInUse) {
    ScratchProject p;
    p.addFile("a.bas", sourceText({"Public gTotal", "Private mY", "Sub A()", "    x = mY + 1", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "    z = gTotal + 1", "End Sub"}));
    p.addModuleVariable("gTotal", "Public", "a.bas");
    p.addModuleVariable("mY", "Private Module Level", "a.bas");
    p.addModuleVariable("mZ", "Private Module Level", "a.bas");  // unused
    const std::string level = "Private Module Level";
    p.model.decVar = {
        {.name = "gTotal", .scope = level, .file = "a.bas", .countedAsNoType = true},  // blanked, gives back
        {.name = "gTotal",
         .scope = level,
         .file = "z.bas"},  // blanked (public), never counted: gives nothing
        {.name = "mY", .scope = level, .file = "a.bas", .countedAsNoType = true},  // blanked: used in a.bas
        {.name = "mY", .scope = level, .file = "b.bas", .countedAsNoType = true},  // kept: another file's
        {.name = "mZ", .scope = level, .file = "a.bas", .countedAsNoType = true},  // kept: mZ is unused
    };
    p.model.ensureTypes()[0].uses = 4;
    p.model.unVar.push_back({.name = "gTotal", .scope = "Calc", .file = "b.bas"});  // a local: blanked
    p.runCallPass();

    EXPECT_EQ(names(p.model.decVar), (Rows{"", "", "", "mY", "mZ"}));
    EXPECT_EQ(p.model.types[0].uses, 2);
    // UnVar: the blanked local keeps its place; mZ was found unused in a.bas.
    ASSERT_EQ(p.model.unVar.size(), 2u);
    EXPECT_EQ(p.model.unVar[0], VarRec{});
    EXPECT_EQ(p.model.unVar[1].name, "mZ");
}

// A member that is one long comment line, with the names on it thousands of times, is judged as a
// short one is; and what was worked out for its long line is not used for the file after it.
TEST(ModuleVariableScan, NamesOnALongLineAreJudgedAsOnAShortOne) {
    std::string comment = "' ";
    while (comment.size() < 20000) comment += "mA (mB) mC, ";
    ScratchProject p;
    p.addFile("a.bas", "Private mA As Long\r\nPrivate mB As Long\r\n" + comment + "\r\nSub A()\r\n" +
                           std::string(5000, ' ') + "x = mB + 1\r\nEnd Sub\r\n");
    // b.bas uses mC where a.bas's long line lay: a place that a left-over list would judge a comment.
    p.addFile("b.bas", "Private mC As Long\r\nSub B()\r\n" + std::string(40, ' ') + "x = mC + 1\r\nEnd Sub\r\n" +
                           std::string(30000, ' ') + "\r\n");
    p.addModuleVariable("mA", "Private Module Level", "a.bas");
    p.addModuleVariable("mB", "Private Module Level", "a.bas");
    p.addModuleVariable("mC", "Private Module Level", "b.bas");
    p.runCallPass();
    EXPECT_EQ(varRows(p.model.unVar), (Rows{"mA|Private Module Level|a.bas|0|commented"}));
}

}  // namespace tally::test
