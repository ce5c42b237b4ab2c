// tallyscan6-passbench: times the fast call and usage passes against the literal reading of their
// matching rules (kept with the tests) on generated projects, with the memory the passes add.
// Usage: tallyscan6-passbench [scales, e.g. 1,4,16] [literal: 0 to skip]

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "GeneratedProject.h"
#include "core/support/SourceLines.h"
#include "core/os/FileFacts.h"

namespace tally::test {
namespace {

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

}  // namespace

// Prints, in CPU seconds (the best of three runs, as the machine is shared), the time to read and
// split the files, the fast passes at each size, and the literal passes at the first size.
void runPassBench(const char* scaleText, bool withLiteral) {
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
    std::vector<int> scales;
    for (const char* p = scaleText; *p;) {
        scales.push_back(std::max(1, std::atoi(p)));
        while (*p && *p != ',') ++p;
        if (*p == ',') ++p;
    }
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

int main(int argc, char** argv) {
    tally::test::runPassBench(argc > 1 ? argv[1] : "1,4", !(argc > 2 && std::string(argv[2]) == "0"));
    return 0;
}
