#include "core/parser/UsagePass.h"

#include <gtest/gtest.h>

#include "ScratchProject.h"
#include "core/parser/CalledByList.h"

namespace tally::test {

using Entries = std::vector<std::string>;

namespace {
VarRec ownedBy(const char* routine, int kind, const char* file, const char* name = "v") {
    VarRec row;
    row.name = name;
    row.scope = routine;
    row.ownerKind = kind;
    row.file = file;
    return row;
}
}  // namespace

TEST(UsagePass, RoutinesOwningUnusedOrUntypedVariablesAreFlaggedOnce) {
    ScratchProject p;
    int m = p.addFile("m.bas", "");
    p.addRoutine(m, "Work", "m.bas", kKindSub);
    p.addRoutine(0, "Work", "m.bas", kKindFunction);
    p.addRoutine(0, "Calc", "m.bas", kKindFunction);
    p.model.unVar = {ownedBy("Work", kKindSub, "m.bas", "a"), ownedBy("Work", kKindSub, "m.bas", "b")};
    p.model.decVar = {ownedBy("Calc", kKindFunction, "m.bas"),      // not in m.bas's slot: the global one
                      ownedBy("Private Module Level", 0, "m.bas"),  // module level: owned by no routine
                      ownedBy("Work", kKindFunction, "m.bas")};     // kind decides: the global Work
    p.runUsagePass();
    EXPECT_EQ(p.routine(m, "Work").problems, kProblemUnusedVariable);
    EXPECT_EQ(p.model.subs[0][0].problems, kProblemUntypedVariable);  // global Work
    EXPECT_EQ(p.routine(0, "Calc").problems, kProblemUntypedVariable);
}

TEST(UsagePass, TheOwnersFileIsTheFirstTreeNodeEndingWithItsName) {
    ScratchProject p;
    // ba.bas is added to the tree first, and its path also ends with "a.bas".
    int ba = p.addFile("ba.bas", "");
    int a = p.addFile("a.bas", "");
    p.addRoutine(ba, "Go", "ba.bas");
    p.addRoutine(a, "Go", "a.bas");
    p.addRoutine(0, "Calc", "x.bas", kKindFunction);
    p.model.unVar = {ownedBy("Go", kKindSub, "a.bas"),
                     ownedBy("Calc", kKindFunction, "gone.bas")};  // no node: only the global routines
    p.runUsagePass();
    EXPECT_EQ(p.routine(ba, "Go").problems, kProblemUnusedVariable);
    EXPECT_EQ(p.routine(a, "Go").problems, 0);
    EXPECT_EQ(p.routine(0, "Calc").problems, kProblemUnusedVariable);
}

TEST(UsagePass, CalledByDeadOnlyNeedsOneNeverCalledCaller) {
    ScratchProject p;
    int m = p.addFile("m.bas", "");
    p.addRoutine(m, "Dead", "m.bas");
    p.addRoutine(m, "Dead2", "m.bas");
    p.addRoutine(m, "Prop", "m.bas", kKindPropertyGet);
    p.addRoutine(m, "Live", "m.bas").timesCalled = 1;
    p.addRoutine(0, "Twin", "m.bas");
    p.addRoutine(m, "Twin", "m.bas");  // the same caller twice in the tables
    auto callee = [&](const char* name, std::string calledBy, int kind = kKindSub) {
        SubRec& r = p.addRoutine(0, name, "m.bas", kind);
        r.calledBy = std::move(calledBy);
        r.timesCalled = 1;
    };
    callee("OnlyDead",
           "Dead - m.bas - 3\x01"
           "Dead - m.bas - 5\x01");
    callee("ByProperty", "Prop - m.bas - 1\x01");
    callee("TwoDead",
           "Dead - m.bas - 1\x01"
           "Dead2 - m.bas - 1\x01");
    callee("AProperty", "Dead - m.bas - 2\x01", kKindPropertyLet);
    callee("ByLive", "Live - m.bas - 1\x01");
    callee("ByTwin", "Twin - m.bas - 1\x01");
    callee("Flagged", "Dead - m.bas - 4\x01");
    p.routine(0, "Flagged").problems = kProblemCalledByDeadOnly;  // from an earlier run
    p.runUsagePass();
    EXPECT_EQ(p.routine(0, "OnlyDead").problems, kProblemCalledByDeadOnly);
    EXPECT_EQ(p.routine(0, "ByProperty").problems, 0);
    EXPECT_EQ(p.routine(0, "TwoDead").problems, 0);
    EXPECT_EQ(p.routine(0, "AProperty").problems, 0);
    EXPECT_EQ(p.routine(0, "ByLive").problems, 0);
    // The flag is added once, whatever the tables hold.
    EXPECT_EQ(p.routine(0, "ByTwin").problems, kProblemCalledByDeadOnly);
    EXPECT_EQ(p.routine(0, "Flagged").problems, kProblemCalledByDeadOnly);
}

TEST(UsagePass, CallersAreFoundByNameAndFileWithinOneEntry) {
    ScratchProject p;
    int a = p.addFile("a.bas", "");
    int b = p.addFile("b.bas", "");
    p.addRoutine(a, "Load", "a.bas");
    p.addRoutine(a, "LoadData", "a.bas");
    p.addRoutine(a, "Foo", "a.bas");
    p.addRoutine(b, "Foo", "b.bas");
    p.addRoutine(b, "Bar", "b.bas");
    SubRec& x = p.addRoutine(0, "X", "a.bas");
    x.calledBy =
        "LoadData - a.bas - 2\x01"
        "LoadData - a.bas - 5\x01";
    SubRec& y = p.addRoutine(0, "Y", "a.bas");
    y.calledBy =
        "Foo - a.bas - 1\x01"
        "Bar - b.bas - 2\x01";
    p.runUsagePass();
    // One Calls entry however many times the caller calls. Load is a leading part of the caller's name
    // in the same file, and counts as a caller too.
    EXPECT_EQ(p.routine(a, "LoadData").calls, "X - a.bas\x01");
    EXPECT_EQ(p.routine(a, "Load").calls, "X - a.bas\x01");
    EXPECT_EQ(p.routine(a, "Foo").calls, "Y - a.bas\x01");
    // Foo's first place is in the first entry; b.bas only appears in a later one.
    EXPECT_EQ(p.routine(b, "Foo").calls, "");
    EXPECT_EQ(p.routine(b, "Bar").calls, "Y - a.bas\x01");
}

TEST(CalledByList, EntriesGiveTrimmedRoutineAndFileNames) {
    EXPECT_EQ(calledByPairs("Main - m.bas - 12\x01 Go  - a b.frm - 3\x01\x01x\x01"),
              (Entries{"Main", "m.bas", "Go", "a b.frm"}));
    EXPECT_EQ(calledByPairs(""), Entries{});
}

}  // namespace tally::test
