// tallyscan6-scanbench: times reading and splitting a project's sources against the full scan
// (project file, three passes) on one thread and on two, and reports the scan's peak memory
// against the source size.
//
// The memory of each scan is measured in a process of its own (a child forked before any scan), so
// one figure is that scan's peak above the idle program: in one process, what the main thread freed
// stays resident while the two-thread scan's workers fill arenas of their own, and the peak would be
// the sum of the two.

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/engine/ScanProject.h"
#include "core/parser/CallPass.h"
#include "core/parser/DeclarationPass.h"
#include "core/parser/ParseDriver.h"
#include "core/parser/UsagePass.h"
#include "core/support/SourceLines.h"
#include "core/os/FileFacts.h"
#include "core/project/ProjectReader.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Resident memory now, in KB (the second field of /proc/self/statm, in pages).
long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The peak resident memory of one scan on `threads` threads above what the process held before
// it, in KB, measured in a child process; -1 when the child could not run or report.
long scanPeakExtraKb(const std::string& project, int threads) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        close(pipeEnds[0]);
        const long baselineKb = residentKb();
        tally::NoFileVersions versions;
        tally::NullParseProgress quiet;
        tally::CancelFlag cancel{false};
        tally::ProjectModel model;
        tally::ScanRequest request{project, versions, quiet, cancel};
        request.threads = threads;
        long extraKb = tally::scanProject(model, request).opened() ? std::max(0L, peakKb() - baselineKb) : -1;
        const ssize_t written = write(pipeEnds[1], &extraKb, sizeof extraKb);
        _exit(written == sizeof extraKb ? 0 : 1);
    }
    close(pipeEnds[1]);
    long extraKb = -1;
    if (read(pipeEnds[0], &extraKb, sizeof extraKb) != sizeof extraKb) extraKb = -1;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return extraKb;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tallyscan6-scanbench PROJECT.vbp [runs]\n");
        return 2;
    }
    const std::string project = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    // The memory of a scan as the programs run it: with glibc's own choices of when a block is
    // mapped on its own and when freed memory goes back to the system.
    const long extraKb = scanPeakExtraKb(project, 1);
    const long extraTwoKb = scanPeakExtraKb(project, 2);
    // For the timings, freed memory stays with the process for the next run. Otherwise glibc gives
    // large blocks back to the system after each run of a big project but not of a small one, and
    // the big project's runs would measure the kernel handing out fresh pages rather than the scan.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);

    tally::NoFileVersions versions;
    tally::NullParseProgress quiet;
    tally::CancelFlag cancel{false};

    double bestScan = 1e9, bestScanTwo = 1e9, bestRead = 1e9;
    double bestPass[3] = {1e9, 1e9, 1e9}, bestPassTwo[3] = {1e9, 1e9, 1e9};
    long long lines = 0, bytes = 0;
    std::size_t routines = 0;
    for (int run = 0; run < runs; ++run) {
        // (b) the full scan, as the program does it.
        {
            tally::ProjectModel model;
            auto start = Clock::now();
            if (!tally::scanProject(model, tally::ScanRequest{project, versions, quiet, cancel}).opened()) {
                std::fprintf(stderr, "cannot open %s\n", project.c_str());
                return 1;
            }
            bestScan = std::min(bestScan, seconds(start));
            routines = 0;
            for (const auto& slot : model.subs) routines += slot.size();
        }
        // (b2) the same on two threads.
        {
            tally::ProjectModel model;
            auto start = Clock::now();
            tally::ScanRequest request{project, versions, quiet, cancel};
            request.threads = 2;
            tally::scanProject(model, request);
            bestScanTwo = std::min(bestScanTwo, seconds(start));
        }
        // The passes one by one, to see where the time goes, on one thread and on two.
        for (int threads = 1; threads <= 2; ++threads) {
            tally::ProjectModel model;
            tally::openProject(model, project, versions);
            tally::ParseContext context{model, quiet, cancel, versions, {}};
            context.threads = threads;
            tally::CalledByOrigins origins;  // what pass 2 hands pass 3 in a scan
            context.calledByOrigins = &origins;
            double* best = threads == 1 ? bestPass : bestPassTwo;
            auto start = Clock::now();
            tally::runDeclarationPass(context);
            best[0] = std::min(best[0], seconds(start));
            start = Clock::now();
            tally::runCallPass(context);
            best[1] = std::min(best[1], seconds(start));
            start = Clock::now();
            tally::runUsagePass(context);
            best[2] = std::min(best[2], seconds(start));
        }
        // (a) only reading and splitting every source file into lines.
        tally::ProjectModel model;
        tally::openProject(model, project, versions);
        auto start = Clock::now();
        lines = bytes = 0;
        for (int row = 1; row < model.fileCount(); ++row) {
            std::optional<std::string> text = tally::readFileBytes(model.files[row].path);
            if (!text) continue;
            bytes += static_cast<long long>(text->size());
            lines += static_cast<long long>(tally::splitLines(*text).size());
        }
        bestRead = std::min(bestRead, seconds(start));
    }
    const auto perSourceByte = [bytes](long kb) {
        return bytes && kb >= 0 ? static_cast<double>(kb) * 1024.0 / static_cast<double>(bytes) : -1.0;
    };
    std::printf("lines=%lld bytes=%lld routines=%zu read_split_s=%.4f scan_s=%.4f ratio=%.2f "
                "scan2_s=%.4f ratio2=%.2f peak_extra_mb=%.1f memory_per_source=%.2f peak_extra2_mb=%.1f "
                "memory2_per_source=%.2f pass1_s=%.4f pass2_s=%.4f pass3_s=%.4f pass1_2_s=%.4f pass2_2_s=%.4f "
                "pass3_2_s=%.4f\n",
                lines, bytes, routines, bestRead, bestScan, bestScan / bestRead, bestScanTwo,
                bestScanTwo / bestRead, extraKb / 1024.0, perSourceByte(extraKb), extraTwoKb / 1024.0,
                perSourceByte(extraTwoKb), bestPass[0], bestPass[1], bestPass[2], bestPassTwo[0], bestPassTwo[1],
                bestPassTwo[2]);
    return 0;
}
