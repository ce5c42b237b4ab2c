#include "core/review/ReviewActions.h"

#include <gtest/gtest.h>

#include "core/review/ReviewModelBuilder.h"

namespace tally {

using testing::ReviewModelBuilder;

TEST(ReviewCheck, TogglesTheModelRowAndSurvivesRebuildingAndSwitchingLists) {
    ReviewModelBuilder b;
    b.file("modA.bas");
    b.decVar("x", "Calc", "modA.bas");
    b.unVar("y", "Calc", "modA.bas");
    ReviewListData noType = buildReviewList(b.model(), ReviewListId::NoType);
    ASSERT_TRUE(toggleReviewCheck(b.model(), noType, 0));
    EXPECT_TRUE(b.model().decVar[0].checked);
    EXPECT_TRUE(b.model().scanChanged);
    EXPECT_FALSE(b.model().unVar[0].checked);

    buildReviewList(b.model(), ReviewListId::NeverUsed);
    EXPECT_TRUE(buildReviewList(b.model(), ReviewListId::NoType).rows[0].checked);
    ASSERT_TRUE(toggleReviewCheck(b.model(), noType, 0));
    EXPECT_FALSE(b.model().decVar[0].checked);
}

TEST(ReviewCheck, EachOfTwoIdenticalRowsKeepsItsOwnMark) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Dup", kKindSub, "modA.bas", kScopePrivate, 0);
    b.routine(m, "Dup", kKindSub, "modA.bas", kScopePrivate, 0);
    ReviewListData list = buildReviewList(b.model(), ReviewListId::NeverCalled);
    ASSERT_TRUE(toggleReviewCheck(b.model(), list, 1));
    EXPECT_FALSE(b.model().subs[m][0].checked);
    EXPECT_TRUE(b.model().subs[m][1].checked);
}

TEST(ReviewCheck, ListsWithoutCheckBoxesChangeNothing) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "A", kKindSub, "modA.bas");
    ReviewListData all = buildReviewList(b.model(), ReviewListId::AllRoutines);
    EXPECT_FALSE(toggleReviewCheck(b.model(), all, 0));
    EXPECT_FALSE(toggleReviewCheck(b.model(), all, 99));
    EXPECT_FALSE(b.model().scanChanged);
}

TEST(ReviewDoubleClick, RoutinesPropertiesDllsAndVariablesLandWhereExpected) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Calc", kKindFunction, "modA.bas", kScopePrivate, 0);
    b.routine(m, "Value", kKindPropertyLet, "modA.bas", kScopePrivate, 0, 0);
    b.routine(m, "GetTickCount", kKindDllFunction, "modA.bas", kScopePrivate, 0);
    b.unVar("mCount", "Private Module Level", "modA.bas");
    b.unVar("gTotal", "Public", "modA.bas");
    b.unVar("i", "Calc", "modA.bas");

    ReviewListData never = buildReviewList(b.model(), ReviewListId::NeverCalled);
    CodeTarget calc = reviewDoubleClickTarget(b.model(), never, 0);
    EXPECT_EQ(calc.filePath, "/p/modA.bas");
    EXPECT_EQ(calc.routineText, "Calc");
    CodeTarget dll = reviewDoubleClickTarget(b.model(), never, 1);
    EXPECT_TRUE(dll.declarations);
    EXPECT_EQ(dll.searchText, " GetTickCount ");

    CodeTarget property = reviewDoubleClickTarget(b.model(), buildReviewList(b.model(), ReviewListId::NoCode), 0);
    EXPECT_EQ(property.routineText, "Value [Let]");

    ReviewListData unused = buildReviewList(b.model(), ReviewListId::NeverUsed);
    EXPECT_TRUE(reviewDoubleClickTarget(b.model(), unused, 0).declarations);
    EXPECT_TRUE(reviewDoubleClickTarget(b.model(), unused, 1).declarations);
    CodeTarget local = reviewDoubleClickTarget(b.model(), unused, 2);
    EXPECT_FALSE(local.declarations);
    EXPECT_EQ(local.routineText, "Calc");
    EXPECT_EQ(local.searchText, " i ");

    EXPECT_FALSE(reviewDoubleClickTarget(b.model(), buildReviewList(b.model(), ReviewListId::AllTypes), 0).valid);
}

}  // namespace tally
