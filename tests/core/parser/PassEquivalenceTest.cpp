// The fast passes must leave exactly the tables that the literal reading of the rules leaves, on
// projects generated to make fast matching go wrong.

#include <gtest/gtest.h>

#include "GeneratedProject.h"
#include "SyntheticProfiles.h"
#include "core/parser/DeclarationPass.h"
#include "core/project/ProjectReader.h"

namespace tally::test {

namespace {

// What the two passes write into each routine row.
std::vector<std::string> passColumns(const ProjectModel& model) {
    std::vector<std::string> rows;
    for (std::size_t slot = 0; slot < model.subs.size(); ++slot)
        for (const SubRec& r : model.subs[slot])
            rows.push_back(std::to_string(slot) + ":" + r.name + " called " + std::to_string(r.timesCalled) +
                           " by [" + r.calledBy + "] calls [" + r.calls + "] problems " +
                           std::to_string(r.problems));
    return rows;
}

std::vector<std::string> passColumns(const std::vector<VarRec>& rows) {
    std::vector<std::string> out = varRows(rows);
    for (std::size_t r = 0; r < rows.size(); ++r)
        out[r] += "|not using " + std::to_string(rows[r].filesNotUsing);
    return out;
}

// Names the first few differing rows rather than printing whole tables.
void expectSameRows(const char* table, const std::vector<std::string>& literal,
                    const std::vector<std::string>& fast) {
    ASSERT_EQ(literal.size(), fast.size()) << table;
    int reported = 0;
    for (std::size_t r = 0; r < literal.size() && reported < 12; ++r)
        if (literal[r] != fast[r]) {
            ++reported;
            ADD_FAILURE() << table << " row " << r << "\n literal: " << literal[r]
                          << "\n fast:    " << fast[r];
        }
}

void expectSameOutcome(ScratchProject& project) {
    project.progress.events.clear();
    const ProjectModel before = project.model;
    project.runCallPass();
    project.runUsagePass();
    const ProjectModel fast = project.model;
    const std::vector<std::string> fastEvents = project.progress.events;

    project.model = before;
    project.progress.events.clear();
    project.runLiteralCallPass();
    project.runLiteralUsagePass();
    const ProjectModel& literal = project.model;

    expectSameRows("Subs", passColumns(literal), passColumns(fast));
    expectSameRows("PubVar", passColumns(literal.pubVar), passColumns(fast.pubVar));
    expectSameRows("UnVar", passColumns(literal.unVar), passColumns(fast.unVar));
    expectSameRows("DecVar", passColumns(literal.decVar), passColumns(fast.decVar));
    // Every other field too.
    EXPECT_TRUE(literal.subs == fast.subs);
    EXPECT_TRUE(literal.pubVar == fast.pubVar && literal.unVar == fast.unVar &&
                literal.decVar == fast.decVar);
    EXPECT_EQ(literal.types, fast.types);
    EXPECT_EQ(project.progress.events, fastEvents);
}

}  // namespace

class PassEquivalence : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(PassEquivalence, FastPassesEqualTheLiteralRulesOnCollidingNames) {
    ScratchProject project;
    generateProject(project, GetParam(), {});
    expectSameOutcome(project);
}

TEST_P(PassEquivalence, FastPassesEqualTheLiteralRulesWithThousandsOfShortNames) {
    ScratchProject project;
    generateProject(project, GetParam() * 7919u,
                    {.files = 6,
                     .routinesPerFile = 10,
                     .linesPerRoutine = 8,
                     .routineNames = 3000,
                     .variableNames = 2000});
    expectSameOutcome(project);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PassEquivalence, ::testing::Range<std::uint32_t>(1, 13));

TEST(PassEquivalence, RealisticProjectsAgreeToo) {
    ScratchProject project;
    generateProject(project, 42,
                    {.files = 8, .routinesPerFile = 10, .linesPerRoutine = 15, .realistic = true});
    expectSameOutcome(project);
}

}  // namespace tally::test

namespace tally::test {

// The generator's profiles imitate real projects: one name declared in most files, common words of
// the code as routine names, long CalledBy lists. Small copies of them must agree as well.
class ProfileEquivalence : public ::testing::TestWithParam<bench::SyntheticProfile> {};

TEST_P(ProfileEquivalence, FastPassesEqualTheLiteralRulesOnProfiledProjects) {
    ScratchProject project;
    const std::string folder = project.pathOf("profile");
    bench::writeProfiledProject(folder, GetParam(), 6000, 11);
    ASSERT_TRUE(openProject(project.model, folder + "/Synthetic.vbp", project.versions));
    ParseContext context{project.model, project.progress, project.cancel, project.versions, {}};
    ASSERT_TRUE(runDeclarationPass(context));
    std::size_t routines = 0;
    for (const auto& slot : project.model.subs) routines += slot.size();
    ASSERT_GT(routines, 200u);
    expectSameOutcome(project);
}

INSTANTIATE_TEST_SUITE_P(Profiles, ProfileEquivalence,
                         ::testing::Values(bench::SyntheticProfile::Controls, bench::SyntheticProfile::Forms,
                                           bench::SyntheticProfile::Classes));

}  // namespace tally::test
