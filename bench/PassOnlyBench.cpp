// tallyscan6-passonly: times only the call pass (2) and the usage pass (3) of a project, on copies of
// the model the declaration pass left, so that the project file and pass 1 are paid once. Under
// callgrind, run with --collect-atstart=no: only the timed runs are counted.
// Usage: tallyscan6-passonly PROJECT.vbp [runs] [passes: 2, 3 or 23] [threads]

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/parser/CallPass.h"
#include "core/parser/DeclarationPass.h"
#include "core/parser/UsagePass.h"
#include "core/project/ProjectReader.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A fingerprint of every table the two passes write, to check that a change left the results alone.
class Digest {
public:
    void add(std::string_view text) {
        for (char c : text) mix(static_cast<unsigned char>(c));
        mix(0x100);
    }
    void add(long long number) { add(std::to_string(number)); }
    void add(const std::vector<tally::VarRec>& rows) {
        for (const tally::VarRec& row : rows) {
            add(row.name), add(row.scope), add(row.file);
            add(row.filesNotUsing), add(row.isConst), add(row.commented), add(row.countedAsNoType);
        }
    }
    void add(const tally::ProjectModel& model) {
        for (const auto& slot : model.subs)
            for (const tally::SubRec& r : slot) {
                add(r.name), add(r.file), add(r.timesCalled), add(r.calledBy), add(r.calls.text()), add(r.problems);
            }
        add(model.pubVar), add(model.unVar), add(model.decVar);
        for (const tally::TypeRec& type : model.types) add(type.name), add(type.uses);
    }
    unsigned long long value() const { return m_hash; }

private:
    void mix(unsigned value) { m_hash = (m_hash ^ value) * 1099511628211ULL; }
    unsigned long long m_hash = 14695981039346656037ULL;
};

struct Timing {
    double wall = 1e9, cpu = 1e9;

    template <class Work>
    void measure(Work&& work) {
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        CALLGRIND_TOGGLE_COLLECT;
        work();
        CALLGRIND_TOGGLE_COLLECT;
        cpu = std::min(cpu, cpuSeconds() - cpuStart);
        wall = std::min(wall, std::chrono::duration<double>(Clock::now() - start).count());
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tallyscan6-passonly PROJECT.vbp [runs] [2|3|23] [threads]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string passes = argc > 3 ? argv[3] : "23";
    const bool pass2 = passes.find('2') != std::string::npos;
    const bool pass3 = passes.find('3') != std::string::npos;
    const int threads = argc > 4 ? std::max(1, std::atoi(argv[4])) : 1;

    tally::NoFileVersions versions;
    tally::NullParseProgress quiet;
    tally::CancelFlag cancel{false};
    tally::ProjectModel afterPass1;
    if (!tally::openProject(afterPass1, argv[1], versions)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    {
        tally::ParseContext context{afterPass1, quiet, cancel, versions, {}};
        tally::runDeclarationPass(context);
    }
    tally::ProjectModel afterPass2 = afterPass1;
    // What pass 2 hands pass 3 in a scan; it holds for copies of the model, which share its lists.
    tally::CalledByOrigins origins;
    {
        tally::ParseContext context{afterPass2, quiet, cancel, versions, {}};
        context.calledByOrigins = &origins;
        tally::runCallPass(context);
    }

    {
        tally::ProjectModel model = afterPass2;
        tally::ParseContext context{model, quiet, cancel, versions, {}};
        tally::CalledByOrigins noted = origins;
        context.calledByOrigins = &noted;
        tally::runUsagePass(context);
        Digest digest;
        digest.add(model);
        std::printf("digest=%016llx ", digest.value());
    }

    Timing call, usage;
    for (int run = 0; run < runs; ++run) {
        if (pass2) {
            tally::ProjectModel model = afterPass1;
            tally::ParseContext context{model, quiet, cancel, versions, {}};
            tally::CalledByOrigins noted;
            context.calledByOrigins = &noted;
            context.threads = threads;
            call.measure([&] { tally::runCallPass(context); });
        }
        if (pass3) {
            tally::ProjectModel model = afterPass2;
            tally::ParseContext context{model, quiet, cancel, versions, {}};
            tally::CalledByOrigins noted = origins;  // pass 3 lets go of what it is handed
            context.calledByOrigins = &noted;
            context.threads = threads;
            usage.measure([&] { tally::runUsagePass(context); });
        }
    }
    std::printf("pass2_wall=%.4f pass2_cpu=%.4f pass3_wall=%.4f pass3_cpu=%.4f\n", pass2 ? call.wall : 0.0,
                pass2 ? call.cpu : 0.0, pass3 ? usage.wall : 0.0, pass3 ? usage.cpu : 0.0);
    return 0;
}
