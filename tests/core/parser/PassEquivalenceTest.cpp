// The fast passes must leave exactly the tables that the literal reading of the rules leaves, on
// projects generated to make fast matching go wrong.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#if defined(__GLIBC__)
#endif

#include "GeneratedProject.h"
#include "core/parser/SourceLines.h"
#include "core/project/FileFacts.h"

namespace tally::test {

namespace {

std::string show(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\x01' ? std::string("|") : std::string(1, c);
    return out;
}

// Compares field by field and names the first differing rows; stops after a few.
class TableComparison {
public:
    void subs(const ProjectModel& expected, const ProjectModel& actual) {
        ASSERT_EQ(expected.subs.size(), actual.subs.size());
        for (std::size_t slot = 0; slot < expected.subs.size(); ++slot) {
            ASSERT_EQ(expected.subs[slot].size(), actual.subs[slot].size()) << "slot " << slot;
            for (std::size_t pos = 0; pos < expected.subs[slot].size(); ++pos) {
                const SubRec& e = expected.subs[slot][pos];
                const SubRec& a = actual.subs[slot][pos];
                std::string where =
                    "Subs(" + std::to_string(slot) + "," + std::to_string(pos) + ") '" + e.name + "'";
                field(where + " TimesCalled", e.timesCalled, a.timesCalled);
                field(where + " CalledBy", show(e.calledBy), show(a.calledBy));
                field(where + " Calls", show(e.calls), show(a.calls));
                field(where + " Problems", e.problems, a.problems);
                if (!(e == a)) note(where + " differs in another field");
            }
        }
    }
    void vars(const char* table, const std::vector<VarRec>& expected, const std::vector<VarRec>& actual) {
        ASSERT_EQ(expected.size(), actual.size()) << table;
        for (std::size_t r = 0; r < expected.size(); ++r) {
            const VarRec& e = expected[r];
            const VarRec& a = actual[r];
            std::string where = std::string(table) + "(" + std::to_string(r) + ") '" + e.name + "'";
            field(where + " Name", e.name, a.name);
            field(where + " Scope", e.scope, a.scope);
            field(where + " File", e.file, a.file);
            field(where + " FilesNotUsing", e.filesNotUsing, a.filesNotUsing);
            field(where + " IsConst", e.isConst, a.isConst);
            field(where + " Commented", e.commented, a.commented);
            if (!(e == a)) note(where + " differs in another field");
        }
    }
    void types(const ProjectModel& expected, const ProjectModel& actual) {
        EXPECT_EQ(expected.types, actual.types);
    }

private:
    template <class T>
    void field(const std::string& where, const T& expected, const T& actual) {
        if (expected == actual) return;
        std::ostringstream text;
        text << where << ": literal " << expected << ", fast " << actual;
        note(text.str());
    }
    void note(const std::string& message) {
        if (m_failures++ < 12) ADD_FAILURE() << message;
    }
    int m_failures = 0;
};

struct Outcome {
    ProjectModel model;
    std::vector<std::string> events;
};

Outcome runBoth(ScratchProject& project, bool fast) {
    project.progress.events.clear();
    if (fast) {
        project.runCallPass();
        project.runUsagePass();
    } else {
        project.runLiteralCallPass();
        project.runLiteralUsagePass();
    }
    return {project.model, project.progress.events};
}

void expectSameOutcome(ScratchProject& project) {
    const ProjectModel before = project.model;
    Outcome fast = runBoth(project, true);
    project.model = before;
    Outcome literal = runBoth(project, false);

    TableComparison compare;
    compare.subs(literal.model, fast.model);
    compare.vars("PubVar", literal.model.pubVar, fast.model.pubVar);
    compare.vars("UnVar", literal.model.unVar, fast.model.unVar);
    compare.vars("DecVar", literal.model.decVar, fast.model.decVar);
    compare.types(literal.model, fast.model);
    EXPECT_EQ(literal.events, fast.events);
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
