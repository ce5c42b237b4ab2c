#include "core/parser/UsagePass.h"

#include <gtest/gtest.h>

#include "ScratchProject.h"
#include "core/parser/CalledByList.h"

namespace tally::test {

using Entries = std::vector<std::string>;

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

TEST(CalledByList, EntriesGiveTrimmedRoutineAndFileNames) {
    EXPECT_EQ(calledByPairs("Main - m.bas - 12\x01 Go  - a b.frm - 3\x01\x01x\x01"),
              (Entries{"Main", "m.bas", "Go", "a b.frm"}));
    EXPECT_EQ(calledByPairs(""), Entries{});
}

}  // namespace tally::test
