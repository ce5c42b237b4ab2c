#include "core/review/ReviewList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/review/ReviewModelBuilder.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ReviewModelBuilder;

namespace {
std::vector<std::string> texts(const ReviewListData& list) {
    std::vector<std::string> out;
    for (const ReviewRow& row : list.rows) out.push_back(row.text);
    return out;
}
}  // namespace

TEST(NeverCalledList, ListsUncalledRoutinesButNotHandlersPublicClassMembersOrProperties) {
    ReviewModelBuilder b;
    int frm = b.file("frmMain.frm");
    int cls = b.file("CInvoice.cls");
    b.file("modMain.bas");
    b.control("Command1");
    b.routine(frm, "Form_Load", kKindControl, "frmMain.frm", kScopePrivate, 0);
    b.routine(frm, "Command1_Click", kKindControl, "frmMain.frm", kScopePrivate, 0);
    b.routine(frm, "MDIForm_Load", kKindSub, "frmMain.frm", kScopePrivate, 0);  // no control "MDIForm"
    b.routine(frm, "Unused", kKindSub, "frmMain.frm", kScopePrivate, 0);
    b.routine(frm, "Used", kKindSub, "frmMain.frm", kScopePrivate, 2);
    b.routine(cls, "Class_Initialize", kKindSub, "CInvoice.cls", kScopePrivate, 0);
    b.routine(cls, "Helper", kKindFunction, "CInvoice.cls", kScopePrivate, 0);
    b.routine(0, "Total", kKindFunction, "CInvoice.cls", kScopePublic, 0);  // callable from outside
    b.routine(cls, "Amount", kKindPropertyGet, "CInvoice.cls", kScopePrivate, 0);
    b.routine(0, "OnlyFromDead", kKindSub, "modMain.bas", kScopePublic, 1).problems = kProblemCalledByDeadOnly;
    b.routine(0, "Declared", kKindDllFunction, "modMain.bas", kScopePublic, 0);

    ReviewListData list = buildReviewList(b.model(), ReviewListId::NeverCalled);
    // Slot 0 comes first, then the files' slots in row order.
    EXPECT_THAT(texts(list), ElementsAre("OnlyFromDead", "Declared", "MDIForm_Load", "Unused", "Helper"));
    EXPECT_EQ(list.rows[1].column2, "DLL Function Call");
    EXPECT_EQ(list.rows[2].column3, "frmMain.frm");
}

TEST(NoCodeList, ListsEveryKindWithoutLinesIncludingProperties) {
    ReviewModelBuilder b;
    int cls = b.file("CItem.cls");
    b.routine(cls, "Name", kKindPropertyLet, "CItem.cls", kScopePrivate, 0, 0);
    b.routine(cls, "Work", kKindSub, "CItem.cls", kScopePrivate, 1, 1);
    b.routine(cls, "Class_Terminate", kKindControl, "CItem.cls", kScopePrivate, 0, 0);
    ReviewListData list = buildReviewList(b.model(), ReviewListId::NoCode);
    ASSERT_THAT(texts(list), ElementsAre("Name", "Class_Terminate"));
    EXPECT_EQ(list.rows[0].column2, "Property Let");
    EXPECT_EQ(list.rows[1].column2, "Control");
}

TEST(NoReturnList, ListsFunctionsAndPropertyGetsWithoutTypeUnderTheFunctionIcon) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Calc", kKindFunction, "modA.bas").returnType = "None";
    b.routine(m, "Value", kKindPropertyGet, "modA.bas").returnType = "None";
    b.routine(m, "Typed", kKindFunction, "modA.bas");
    b.routine(m, "NotAFunction", kKindSub, "modA.bas").returnType = "None";
    ReviewListData list = buildReviewList(b.model(), ReviewListId::NoReturn);
    ASSERT_THAT(texts(list), ElementsAre("Calc", "Value"));
    EXPECT_EQ(list.rows[1].icon, "func");
    EXPECT_EQ(list.rows[1].column2, "Property Get");
}

TEST(VariableLists, SkipBlankedRowsAndShowCommentedAndConstants) {
    ReviewModelBuilder b;
    b.file("modA.bas");
    b.decVar("x", "Calc", "modA.bas");
    b.decVar("", "", "");  // blanked by the sweep
    b.decVar("  ", "Calc", "modA.bas");
    b.unVar("mOld", "Private Module Level", "modA.bas").commented = true;
    b.unVar("MAX", "Public", "modA.bas").isConst = true;

    ReviewListData noType = buildReviewList(b.model(), ReviewListId::NoType);
    ASSERT_THAT(texts(noType), ElementsAre("x"));
    EXPECT_EQ(noType.rows[0].column2, "Calc");
    EXPECT_EQ(noType.rows[0].icon, "var");

    ReviewListData unused = buildReviewList(b.model(), ReviewListId::NeverUsed);
    ASSERT_THAT(texts(unused), ElementsAre("mOld [Commented]", "MAX"));
    EXPECT_EQ(unused.rows[0].icon, "var");
    EXPECT_EQ(unused.rows[1].icon, "const");
}

TEST(NeverUsedList, OwnerOfAnOldStyleRoutineShowsItsTypeCharacter) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    SubRec& total = b.routine(m, "Total", kKindFunction, "modA.bas");
    total.returnType = "Double";
    total.oldStyle = true;
    b.routine(0, "Count", kKindFunction, "modA.bas", kScopePublic);
    b.unVar("i", "Total", "modA.bas");
    b.unVar("j", "Count", "modA.bas");
    ReviewListData list = buildReviewList(b.model(), ReviewListId::NeverUsed);
    EXPECT_EQ(list.rows[0].column2, "Total#");
    EXPECT_EQ(list.rows[1].column2, "Count");
}

TEST(AllRoutinesList, MarksPropertiesAndEndsWithASelectedSummary) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "Value", kKindPropertyGet, "modA.bas", kScopePrivate, 1, 9);
    b.routine(m, "Value", kKindPropertyLet, "modA.bas", kScopePrivate, 1, 10);
    b.routine(0, "Run", kKindSub, "modA.bas", kScopePublic, 1, 2);
    ReviewListData list = buildReviewList(b.model(), ReviewListId::AllRoutines);
    ASSERT_THAT(texts(list), ElementsAre("Run", "Value [Get]", "Value [Let]", " 3"));
    EXPECT_EQ(list.rows[1].sortKey, "000000000009.00");
    EXPECT_EQ(list.rows[3].icon, "report");
    EXPECT_EQ(list.rows[3].column2, "21");
    EXPECT_EQ(list.rows[3].column3, "2");  // FileCount counts row 0
    EXPECT_EQ(list.selectedRow, 3);
}

TEST(AllTypesList, ShowsNoTypeOnlyWhenUsedAndLabelsKinds) {
    ReviewModelBuilder b;
    b.model().ensureTypes();
    b.model().types.push_back({"Long", kTypeVariable, 10});
    b.model().types.push_back({"tRec", kTypeUdt, 0});
    b.model().types.push_back({"Collection", kTypeObject, 2});
    EXPECT_THAT(texts(buildReviewList(b.model(), ReviewListId::AllTypes)), ElementsAre("Long", "tRec", "Collection"));
    b.model().types[0].uses = 4;
    ReviewListData list = buildReviewList(b.model(), ReviewListId::AllTypes);
    ASSERT_THAT(texts(list), ElementsAre("No Type", "Long", "tRec", "Collection"));
    EXPECT_EQ(list.rows[0].icon, "var1");
    EXPECT_EQ(list.rows[0].column3, "Unknown");
    EXPECT_EQ(list.rows[0].sortKey, "");
    EXPECT_EQ(list.rows[2].column3, "Type");
    EXPECT_EQ(list.rows[3].icon, "object");
}

TEST(ReviewSorting, LineCountSortsNumericallyThroughTheHiddenKeyOtherColumnsByText) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    b.routine(m, "b", kKindSub, "modA.bas", kScopePrivate, 1, 10);
    b.routine(m, "A", kKindSub, "modA.bas", kScopePrivate, 1, 9);
    b.routine(m, "c", kKindSub, "modA.bas", kScopePrivate, 1, 100);
    ReviewListData list = buildReviewList(b.model(), ReviewListId::AllRoutines);
    sortReviewRows(list, 2);
    // The summary row has no hidden key and sorts first.
    EXPECT_THAT(texts(list), ElementsAre(" 3", "A", "b", "c"));
    sortReviewRows(list, 1);
    EXPECT_THAT(texts(list), ElementsAre(" 3", "A", "b", "c"));
}

}  // namespace tally
