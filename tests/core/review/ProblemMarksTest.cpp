#include "core/review/ProblemMarks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/review/ReviewModelBuilder.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ReviewModelBuilder;

namespace {
std::vector<std::pair<std::string, std::uint32_t>> marksOf(const ProjectModel& model) {
    std::vector<std::pair<std::string, std::uint32_t>> out;
    for (const MarkRec& mark : model.marks) out.emplace_back(mark.name, mark.colour);
    return out;
}
using Mark = std::pair<std::string, std::uint32_t>;
}  // namespace

TEST(FileMarks, ColourDeadNoReturnAndProblemRoutinesOfTheFileAndTheGlobals) {
    ReviewModelBuilder b;
    int m = b.file("modA.bas");
    int other = b.file("modB.bas");
    b.routine(m, "Dead", kKindSub, "modA.bas", kScopePrivate, 0);
    b.routine(m, "Fine", kKindSub, "modA.bas", kScopePrivate, 2);
    SubRec& calc = b.routine(m, "Calc", kKindFunction, "modA.bas", kScopePrivate, 1);
    calc.problems = kProblemNoReturnType;
    SubRec& total = b.routine(m, "Total", kKindFunction, "modA.bas", kScopePrivate, 1);
    total.problems = kProblemOldStyle;
    total.returnType = "Double";
    b.routine(m, "Value", kKindPropertyGet, "modA.bas", kScopePrivate, 1).problems = kProblemOldStyle;
    b.routine(other, "ElsewherePrivate", kKindSub, "modB.bas", kScopePrivate, 0);
    b.routine(0, "GlobalDead", kKindSub, "modB.bas", kScopePublic, 0);
    b.routine(0, "GlobalWithUnused", kKindSub, "modB.bas", kScopePublic, 0).problems = kProblemUnusedVariable;
    SubRec& handler = b.routine(0, "obj_Changed", kKindSub, "modB.bas", kScopePublic, 0);
    handler.isEvent = true;

    buildFileMarks(b.model(), "/p/modA.bas");
    EXPECT_THAT(marksOf(b.model()),
                ElementsAre(Mark{"Dead", kMarkDarkRed}, Mark{"Calc", kMarkBlue}, Mark{"Total#", 0},
                            Mark{"Value&", kMarkRed}, Mark{"GlobalDead", kMarkDarkRed}));
}

TEST(FileMarks, PublicClassRoutinesStayUncolouredAndModuleVariablesAndUnusedTypesAreMarked) {
    ReviewModelBuilder b;
    int cls = b.file("CItem.cls");
    b.routine(0, "Reset", kKindSub, "CItem.cls", kScopePublic, 0);
    b.decVar("mName", "Private Class Level", "CItem.cls");
    b.decVar("n", "Reset", "CItem.cls");  // local: routine marks only
    b.decVar("mOther", "Private Class Level", "COther.cls");
    b.unVar("mSpare", "Private Class Level", "CItem.cls");
    b.model().ensureTypes().push_back({"tUnused", kTypeUdt, 0});
    b.model().types.push_back({"Long", kTypeVariable, 3});
    (void)cls;
    buildFileMarks(b.model(), "/p/CItem.cls");
    // Row 0 ("No Type") has no uses here either, so it is marked like any unused type.
    EXPECT_THAT(marksOf(b.model()),
                ElementsAre(Mark{"Reset", 0}, Mark{"mName", kMarkBlue}, Mark{"mSpare", kMarkRed},
                            Mark{"No Type", kMarkRed}, Mark{"tUnused", kMarkRed}));
}

TEST(RoutineMarks, AppendTheRoutinesOwnVariablesAfterTheFileMarks) {
    ReviewModelBuilder b;
    b.file("modA.bas");
    b.unVar("i", "Calc", "modA.bas");
    b.unVar("j", "Other", "modA.bas");
    b.decVar("v", "Calc", "modA.bas");
    b.decVar("w", "Calc", "modB.bas");
    buildFileMarks(b.model(), "/p/modA.bas");
    appendRoutineMarks(b.model(), "modA.bas", "Calc");
    EXPECT_THAT(marksOf(b.model()), ElementsAre(Mark{"i", kMarkRed}, Mark{"v", kMarkBlue}));
    buildFileMarks(b.model(), "/p/modA.bas");
    EXPECT_TRUE(b.model().marks.empty());
}

}  // namespace tally
