// The fast passes must leave exactly the tables that the literal reading of the rules leaves, on
// projects generated to make fast matching go wrong.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <ctime>
#include <functional>

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

// A line of /proc/self/status in kilobytes ("VmRSS:", "VmHWM:"); 0 where there is none.
long long residentKilobytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long long value = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, std::strlen(field)) == 0) value = std::atoll(line + std::strlen(field));
    std::fclose(status);
    return value;
}

// Starts the peak resident size afresh from the current size (Linux).
void resetPeakResident() {
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

// Timings for the report; run with --gtest_also_run_disabled_tests. Prints, in CPU seconds (the
// best of three runs, as the machine is shared), the time to read and split the files, the fast
// passes at each size, and the literal passes at the first size.
// TALLY_TIMING_SCALES picks the sizes ("1,4" by default); TALLY_TIMING_LITERAL=0 skips the literal side.
TEST(PassTiming, DISABLED_FastAgainstLiteral) {
    auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    auto best = [&](int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
        double fastest = 1e30;
        for (int i = 0; i < runs; ++i) {
            prepare();
            double start = cpuNow();
            work();
            fastest = std::min(fastest, cpuNow() - start);
        }
        return fastest;
    };
    std::vector<int> scales = {1, 4};
    if (const char* text = std::getenv("TALLY_TIMING_SCALES")) {
        scales.clear();
        for (const char* p = text; *p;) {
            scales.push_back(std::atoi(p));
            while (*p && *p != ',') ++p;
            if (*p == ',') ++p;
        }
    }
    const char* literalSetting = std::getenv("TALLY_TIMING_LITERAL");
    const bool withLiteral = !literalSetting || std::string(literalSetting) != "0";
    for (int scale : scales) {
        ScratchProject project;
        NullParseProgress quiet;
        project.progressSink = &quiet;
        GeneratorOptions options{.files = 50 * scale,
                                 .routinesPerFile = 40,
                                 .linesPerRoutine = 24,
                                 .routineNames = 2000 * scale,
                                 .variableNames = 1000 * scale,
                                 .realistic = true};
        generateProject(project, 7, options);
        long long lines = 0, bytes = 0;
        for (const FileRec& file : project.model.files) bytes += fileLength(file.path);
        // Peak memory while the two passes run, above what the process held before them.
        const ProjectModel untouched = project.model;
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
        const long long baseline = residentKilobytes("VmRSS:");
        resetPeakResident();
        project.runCallPass();
        project.runUsagePass();
        const long long peak = residentKilobytes("VmHWM:");
        if (baseline > 0 && peak > 0)
            std::printf("scale %d: passes 2 and 3 raised the resident size by %lld KB (%.2f x the source)\n",
                        scale, peak - baseline,
                        static_cast<double>(peak - baseline) * 1024.0 / static_cast<double>(bytes));
        project.model = untouched;
        const ProjectModel before = project.model;
        double read = best(
            3, [] {},
            [&] {
                lines = bytes = 0;
                for (const FileRec& file : project.model.files) {
                    if (auto text = readFileBytes(file.path)) {
                        lines += static_cast<long long>(splitLines(*text).size());
                        bytes += static_cast<long long>(text->size());
                    }
                }
            });
        auto reset = [&] { project.model = before; };
        double pass2 = best(3, reset, [&] { project.runCallPass(); });
        ProjectModel afterPass2 = project.model;
        double pass3 = best(
            3, [&] { project.model = afterPass2; }, [&] { project.runUsagePass(); });
        std::printf("scale %d: %lld lines, %lld bytes; read+split %.3fs; fast pass 2 %.3fs, pass 3 %.3fs\n",
                    scale, lines, bytes, read, pass2, pass3);
        if (withLiteral && scale == scales.front()) {
            double literal2 = best(1, reset, [&] { project.runLiteralCallPass(); });
            double literal3 = best(
                1, [&] { project.model = afterPass2; }, [&] { project.runLiteralUsagePass(); });
            std::printf("scale %d: literal pass 2 %.3fs, pass 3 %.3fs\n", scale, literal2, literal3);
        }
    }
}

}  // namespace tally::test
