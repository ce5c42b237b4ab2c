#include "core/review/CodeJumps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/review/ReviewModelBuilder.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ReviewModelBuilder;

namespace {

void spell(ProjectModel& model, std::string file, std::string routine, std::string label, std::string value) {
    model.spell.push_back(SpellRow{std::move(file), std::move(routine), std::move(label), std::move(value)});
}

// modA.bas: a control caption, then two texts of routine Calc; modB.bas: one of the global Total.
ReviewModelBuilder spellProject() {
    ReviewModelBuilder b;
    int a = b.file("modA.bas");
    b.file("modB.bas");
    b.routine(a, "Calc", kKindFunction, "modA.bas");
    b.routine(0, "Total", kKindSub, "modB.bas", kScopePublic);
    ProjectModel& m = b.model();
    spell(m, "modA.bas", "cmdOK", "Caption", " OK");
    spell(m, " ", "Calc", "MsgBox", "Done");
    spell(m, " ", "", "MsgBox", "Again");
    spell(m, "modB.bas", "Total", "MsgBox", "Sum");
    spell(m, " ", " ", "MsgBox", "calc");
    return b;
}

}  // namespace

TEST(SpellRowTarget, TakesFileAndRoutineFromTheNearestRowsAbove) {
    ReviewModelBuilder b = spellProject();
    SpellJump own = spellRowTarget(b.model(), 1);
    EXPECT_TRUE(own.isRoutine);
    EXPECT_EQ(own.fileName, "modA.bas");
    ASSERT_TRUE(own.target.valid);
    EXPECT_EQ(own.target.routineText, "Calc");
    EXPECT_FALSE(own.target.declarations);

    SpellJump inherited = spellRowTarget(b.model(), 2);
    EXPECT_EQ(inherited.target.filePath, "/p/modA.bas");
    EXPECT_EQ(inherited.target.routineText, "Calc");

    // A global routine counts as well; blank-only texts are passed over.
    SpellJump global = spellRowTarget(b.model(), 4);
    EXPECT_EQ(global.target.filePath, "/p/modB.bas");
    EXPECT_EQ(global.target.routineText, "Total");
}

TEST(SpellRowTarget, ControlsCaptionsAndOtherCasesAreNotRoutines) {
    ReviewModelBuilder b = spellProject();
    SpellJump control = spellRowTarget(b.model(), 0);
    EXPECT_FALSE(control.isRoutine);
    EXPECT_EQ(control.routineName, "cmdOK");
    EXPECT_FALSE(control.target.valid);

    b.model().spell[1].routine = "calc";  // the comparison is exact
    EXPECT_FALSE(spellRowTarget(b.model(), 1).isRoutine);
    EXPECT_FALSE(spellRowTarget(b.model(), -1).isRoutine);
    EXPECT_FALSE(spellRowTarget(b.model(), 99).isRoutine);
}

TEST(DependencyRows, CallersWithFileAndLineThenCalleesAndOnlyRoutineRowsLeadSomewhere) {
    ReviewModelBuilder b;
    int a = b.file("modA.bas");
    SubRec& calc = b.routine(a, "Calc", kKindFunction, "modA.bas");
    calc.calledBy =
        "Main - modA.bas - 4\x01"
        "Run - frmMain.frm - 12\x01";
    calc.calls = "Helper - modA.bas\x01";
    std::vector<PanelRow> rows = routinePanels(b.model(), a, 0).dependencies;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].key, "calledby");
    EXPECT_THAT(rows[0].subItems, ElementsAre("File", "Line"));
    EXPECT_THAT(rows[2].subItems, ElementsAre("frmMain.frm", "12"));
    EXPECT_EQ(rows[3].key, "itcalls");
    EXPECT_THAT(rows[4].subItems, ElementsAre("modA.bas"));

    CodeTarget caller = dependencyRowTarget(b.model(), rows[1], "Calc");
    ASSERT_TRUE(caller.valid);
    EXPECT_EQ(caller.filePath, "/p/modA.bas");
    EXPECT_EQ(caller.routineText, "Main");
    EXPECT_EQ(caller.searchText, "Calc");
    EXPECT_EQ(dependencyRowTarget(b.model(), rows[4], "Calc").routineText, "Helper");
    EXPECT_FALSE(dependencyRowTarget(b.model(), rows[0], "Calc").valid);
    EXPECT_FALSE(dependencyRowTarget(b.model(), rows[3], "Calc").valid);
}

TEST(RoutineEntryTarget, DeclarationsOrTheRoutineComboText) {
    ReviewModelBuilder b;
    int a = b.file("modA.bas");
    b.routine(a, "Value", kKindPropertyGet, "modA.bas");
    std::vector<RoutineEntry> entries = listFileRoutines(b.model(), a, RoutineFilter::Routines);
    ASSERT_EQ(entries.size(), 2u);

    EXPECT_TRUE(routineEntryTarget(b.model(), a, entries[0]).declarations);
    EXPECT_EQ(routineEntryTarget(b.model(), a, entries[1]).routineText, "Value [Get]");
    EXPECT_FALSE(routineEntryTarget(b.model(), 7, entries[1]).valid);
}

}  // namespace tally
