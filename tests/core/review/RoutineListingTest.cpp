#include "core/review/RoutineListing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/review/ReviewModelBuilder.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ReviewModelBuilder;

TEST(RoutineIcon, BaseKeysWithProblemDeadAndEmptyVariants) {
    SubRec r{.name = "A", .kind = kKindSub, .scope = kScopePrivate, .file = "m.bas", .timesCalled = 1, .lineCount = 2};
    EXPECT_EQ(routineIconKey(r), "sub");
    r.problems = kProblemUntypedVariable;
    EXPECT_EQ(routineIconKey(r), "sub1");
    r.timesCalled = 0;
    EXPECT_EQ(routineIconKey(r), "sub0");  // dead wins over the problem variant
    r.lineCount = 0;
    EXPECT_EQ(routineIconKey(r), "sub0");
    r.timesCalled = 1;
    EXPECT_EQ(routineIconKey(r), "sub0");  // empty: "1" replaced by "0"

    SubRec onlyDead{.name = "B", .kind = kKindFunction, .timesCalled = 1, .lineCount = 5,
                    .problems = kProblemCalledByDeadOnly};
    EXPECT_EQ(routineIconKey(onlyDead), "func0");
    onlyDead.problems = kProblemCalledByDeadOnly + kProblemOldStyle;
    EXPECT_EQ(routineIconKey(onlyDead), "func1");
}

TEST(RoutineIcon, PropertiesControlsEventsAndPublicClassMembersNeverLookDead) {
    EXPECT_EQ(routineIconKey(SubRec{.kind = kKindPropertyGet, .timesCalled = 0, .lineCount = 2}), "prop");
    EXPECT_EQ(routineIconKey(SubRec{.kind = kKindControl, .timesCalled = 0, .lineCount = 2}), "control");
    EXPECT_EQ(routineIconKey(SubRec{.kind = kKindSub, .scope = kScopeFriend, .timesCalled = 0, .lineCount = 2}),
              "event");
    EXPECT_EQ(routineIconKey(SubRec{.kind = kKindSub, .timesCalled = 0, .lineCount = 2, .isEvent = true}), "event");
    SubRec member{.kind = kKindFunction, .scope = kScopePublic, .file = "CItem.cls", .timesCalled = 0,
                  .lineCount = 2, .problems = 8};
    EXPECT_EQ(routineIconKey(member), "func");
    EXPECT_EQ(routineIconKey(SubRec{.kind = kKindDllSub, .timesCalled = 0, .lineCount = 1}), "dll0");
}

TEST(RoutineListing, DeclarationsFirstThenTheFilesRoutinesSortedWithDisplayNames) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    int other = b.file("modB.bas");
    SubRec& total = b.routine(m, "Total", kKindFunction, "modA.bas");
    total.oldStyle = true;
    total.returnType = "Double";
    b.routine(m, "Amount", kKindPropertyGet, "modA.bas");
    b.routine(0, "Run", kKindSub, "modA.bas", kScopePublic);
    b.routine(0, "NotMine", kKindSub, "modB.bas", kScopePublic);
    b.routine(m, "GetTickCount", kKindDllFunction, "modA.bas");
    (void)other;

    std::vector<RoutineEntry> entries = listFileRoutines(b.model(), m, RoutineFilter::Routines);
    std::vector<std::string> names;
    for (const RoutineEntry& e : entries) names.push_back(e.displayName);
    EXPECT_THAT(names, ElementsAre("(Declarations)", "Amount [Get]", "GetTickCount", "Run", "Total#"));
    EXPECT_EQ(entries[0].icon, "decs");
    EXPECT_EQ(entries[4].comboText, "Total");

    std::vector<RoutineEntry> dlls = listFileRoutines(b.model(), m, RoutineFilter::DllCalls);
    ASSERT_EQ(dlls.size(), 1u);
    EXPECT_EQ(dlls[0].displayName, "GetTickCount");

    std::vector<ComboItem> combo = comboItemsFor(b.model(), m, entries);
    ASSERT_EQ(combo.size(), 5u);
    EXPECT_EQ(combo[0].key, "0 - -1");
    EXPECT_EQ(combo[1].text, "Amount [Get]");
    EXPECT_EQ(combo[1].key, "1 - 27");  // Property Get (24) + Private (3)
    EXPECT_EQ(combo[3].key, "3 - 11");  // Sub (6) + Public (5)
}

TEST(RoutineListing, DeclarationsIconShowsWhenTheFileHasSomethingToReview) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Used", kKindSub, "modA.bas");
    b.routine(m, "Api", kKindDllSub, "modA.bas", kScopePrivate, 0);  // DLLs do not count
    b.routine(0, "Handler", kKindSub, "modA.bas", kScopePublic, 0).isEvent = true;
    EXPECT_FALSE(fileHasSomethingToReview(b.model(), m));
    b.unVar("i", "Used", "modA.bas");  // a local: not a declarations matter
    EXPECT_FALSE(fileHasSomethingToReview(b.model(), m));
    b.unVar("mSpare", "Private Module Level", "modA.bas");
    EXPECT_TRUE(fileHasSomethingToReview(b.model(), m));
    EXPECT_EQ(listFileRoutines(b.model(), m, RoutineFilter::Routines)[0].icon, "decs1");
}

}  // namespace tally
