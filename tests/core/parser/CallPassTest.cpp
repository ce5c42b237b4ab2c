#include "core/parser/CallPass.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "ScratchProject.h"

namespace tally::test {

using Entries = std::vector<std::string>;

TEST(CallPass, MatchingIsPlainSubstringSearchInsideRoutineBodies) {
    ScratchProject p;
    p.addFile("m.bas", sourceText({
                           "Foo 1",               // declarations section: not inside a routine
                           "Public Sub Foo()",    //
                           "    Foo 1",           // recursion
                           "End Sub",             //
                           "Foo 2",               // between routines
                           "Sub Bar(ByVal Foo)",  // the header line of another routine
                           "    xFoo = 1",        // Foo inside a longer name, not after a blank
                           "    ' Foo(1)",        // a comment line
                           "    Foox",            // begins with Foo, but not followed by a blank
                           "End Sub",
                           "Sub Main()",
                           "    y = 1 ' then Foo",  // inside a trailing comment: a call
                           "    s = \"Foo(\"",      // inside a string literal: a call
                           "    z = 1: LoadData",   // Load begins another name after a blank
                           "    w = Total + 1",     // Tot begins Total after a blank
                           "    v = 2",             // no name follows a blank here
                           "End Sub",
                       }));
    for (const char* name : {"Foo", "Bar", "Load", "Tot", ""}) p.addRoutine(0, name, "m.bas");
    p.runCallPass();
    EXPECT_EQ(entriesOf(p.routine(0, "Foo").calledBy), (Entries{"Main - m.bas - 1", "Main - m.bas - 2"}));
    EXPECT_EQ(entriesOf(p.routine(0, "Load").calledBy), (Entries{"Main - m.bas - 3"}));
    EXPECT_EQ(entriesOf(p.routine(0, "Tot").calledBy), (Entries{"Main - m.bas - 4"}));
    // A routine without a name would match every blank, "(" and "."; it is never called.
    EXPECT_EQ(p.routine(0, "").timesCalled, 0);
    EXPECT_EQ(p.routine(0, "").calledBy, "");
}

TEST(CallPass, AContinuedCallCountsOnceAtTheLogicalLine) {
    // Blank and comment lines count in the numbering; physical continuation lines do not. A "_"
    // followed by blanks still continues the line in this pass.
    for (std::string_view ending : {"\r\n", "\n", "\r"}) {
        ScratchProject p;
        p.addFile("m.bas",
                  sourceText({"Public Sub Caller()", "", "    ' note", "    x = 1 + _", "        Foo(2)",
                              "    Foo 1", "    y = _   ", "    Foo(3)", "End Sub"},
                             ending));
        p.addRoutine(0, "Foo", "m.bas");
        p.runCallPass();
        EXPECT_EQ(entriesOf(p.routine(0, "Foo").calledBy),
                  (Entries{"Caller - m.bas - 3", "Caller - m.bas - 4", "Caller - m.bas - 5"}))
            << "line ends "
            << (ending == "\r\n" ? "CR LF"
                : ending == "\n" ? "LF"
                                 : "CR");
    }
}

TEST(CallPass, AFunctionSettingItsResultIsNoCallOfItself) {
    ScratchProject p;
    p.addFile("m.bas", sourceText({"Function Total#()", "    Total = 1.5", "    Helper 1", "End Function",
                                   "Sub Use()", "    x = Total", "End Sub"}));
    p.addRoutine(0, "Total", "m.bas");
    p.addRoutine(0, "Helper", "m.bas");
    p.runCallPass();
    // The caller is named without its type character, as its Subs row is.
    EXPECT_EQ(entriesOf(p.routine(0, "Total").calledBy), (Entries{"Use - m.bas - 1"}));
    EXPECT_EQ(entriesOf(p.routine(0, "Helper").calledBy), (Entries{"Total - m.bas - 2"}));
}

TEST(CallPass, ARoutineCalledFortyThousandTimesIsCountedExactly) {
    ScratchProject p;
    std::string text = "Sub Main()\r\n";
    for (int i = 0; i < 40000; ++i) text += "Foo\r\n";
    text += "End Sub\r\n";
    p.addFile("m.bas", text);
    p.addRoutine(0, "Foo", "m.bas");
    p.runCallPass();
    EXPECT_EQ(p.routine(0, "Foo").timesCalled, 40000);
    EXPECT_EQ(entriesOf(p.routine(0, "Foo").calledBy).back(), "Main - m.bas - 40000");
}

TEST(CallPass, CancelStopsBeforeTheNextLineAndKeepsWhatWasRecorded) {
    ScratchProject p;
    p.addFile("a.bas", sourceText({"Sub A()", "Foo", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "Foo", "Foo", "End Sub"}));
    p.addRoutine(0, "Foo", "a.bas");
    p.addModuleVariable("gNever", "Public", "a.bas");
    bool inB = false;
    p.progress.hook = [&](const std::string& event) {
        if (event == "file Part 2 of 3. Parsing b.bas") inB = true;
        if (inB && event == "line Line 2") p.cancel = true;
    };
    p.runCallPass();
    // The line being read when Cancel was pressed is finished; nothing after it is read.
    EXPECT_EQ(entriesOf(p.routine(0, "Foo").calledBy), (Entries{"A - a.bas - 1", "B - b.bas - 1"}));
    EXPECT_EQ(p.progress.events.back(), "line Line 2");
    // Only a.bas was searched for the variable, and the closing sweep did not run.
    EXPECT_EQ(p.model.pubVar[0].filesNotUsing, 1);
    EXPECT_TRUE(p.model.unVar.empty());
}

TEST(CallPass, AFileThatVanishedIsPassedOverAndNotCounted) {
    ScratchProject p;
    p.addFile("a.bas", sourceText({"Sub A()", "End Sub"}));
    p.addFile("b.bas", sourceText({"Sub B()", "End Sub"}));
    p.addModuleVariable("gNever", "Public", "a.bas");
    p.progress.hook = [&](const std::string& event) {
        if (event == "file Part 2 of 3. Parsing a.bas") std::remove(p.pathOf("b.bas").c_str());
    };
    p.runCallPass();
    for (const std::string& event : p.progress.events) EXPECT_NE(event, "file Part 2 of 3. Parsing b.bas");
    // One file was read and it does not use the variable: no file uses it.
    EXPECT_EQ(p.model.pubVar[0].filesNotUsing, 1);
    ASSERT_EQ(p.model.unVar.size(), 1u);
    EXPECT_EQ(p.model.unVar[0].name, "gNever");
}

}  // namespace tally::test

namespace tally::test {

TEST(CallPass, ProjectWideNamesakesShareOneListThatStaysAValue) {
    ScratchProject p;
    p.addFile("a.ctl", sourceText({"Public Property Get Tag()", "End Property"}));
    p.addFile("b.ctl", sourceText({"Public Property Get Tag()", "End Property"}));
    p.addFile("m.bas", sourceText({"Sub Main()", "    x = uc.Tag", "    Tag = 1", "End Sub"}));
    p.addRoutine(0, "Tag", "a.ctl", kKindPropertyGet);
    p.addRoutine(0, "Tag", "b.ctl", kKindPropertyGet);
    p.runCallPass();
    SubRec& first = p.model.subs[0][0];
    SubRec& second = p.model.subs[0][1];
    EXPECT_EQ(entriesOf(first.calledBy), (Entries{"Main - m.bas - 1", "Main - m.bas - 2"}));
    EXPECT_EQ(first.timesCalled, 2);
    EXPECT_EQ(second.timesCalled, 2);
    EXPECT_TRUE(first.calledBy.sharesWith(second.calledBy));
    // Changing one holder's text leaves the other's alone.
    first.calledBy += "X - x.bas - 9\x01";
    EXPECT_EQ(entriesOf(second.calledBy).size(), 2u);
    EXPECT_EQ(entriesOf(first.calledBy).size(), 3u);
}

TEST(CallPass, AFileWithoutARowCallsTheProjectWideRoutinesTwice) {
    // A file read as row 0 has the project-wide slot as its own: each call counts for both slots,
    // which are one, and the entries keep the order they were found in.
    ScratchProject p;
    p.addFile("m.bas", sourceText({"Sub B()", "    Foo 2", "End Sub"}));
    ASSERT_FALSE(p.model.files.empty());
    p.model.files[0].path = p.writeFile("zero.bas", sourceText({"Sub A()", "    Foo 1", "End Sub"}));
    p.addRoutine(0, "Foo", "m.bas");
    p.runCallPass();
    EXPECT_EQ(entriesOf(p.routine(0, "Foo").calledBy),
              (Entries{"A - zero.bas - 1", "A - zero.bas - 1", "B - m.bas - 1"}));
    EXPECT_EQ(p.routine(0, "Foo").timesCalled, 3);
}

}  // namespace tally::test
