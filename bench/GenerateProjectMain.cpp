// tallyscan6-genproject: writes a synthetic VB6 project for benchmarks and stress tests.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SyntheticProfiles.h"
#include "SyntheticProject.h"

int main(int argc, char** argv) {
    tally::bench::SyntheticProjectOptions options;
    std::string folder;
    long long targetLines = 0;
    tally::bench::SyntheticProfile profile = tally::bench::SyntheticProfile::Default;
    bool shaped = false;  // --files, --routines, --routine-lines or --calls given
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto number = [&]() { return i + 1 < argc ? std::atoll(argv[++i]) : 0LL; };
        if (arg == "--out" && i + 1 < argc)
            folder = argv[++i];
        else if (arg == "--lines")
            targetLines = number();
        else if (arg == "--profile" && i + 1 < argc && tally::bench::profileNamed(argv[i + 1]))
            profile = *tally::bench::profileNamed(argv[++i]);
        else if (arg == "--files") {
            shaped = true;
            options.files = static_cast<int>(number());
        } else if (arg == "--seed")
            options.seed = static_cast<std::uint32_t>(number());
        else if (arg == "--routines") {
            shaped = true;
            options.routinesPerFile = static_cast<int>(number());
        } else if (arg == "--routine-lines") {
            shaped = true;
            options.linesPerRoutine = static_cast<int>(number());
        } else if (arg == "--calls") {
            shaped = true;
            options.callsPerRoutine = static_cast<int>(number());
        } else {
            std::fprintf(
                stderr,
                "usage: tallyscan6-genproject --out DIR [--profile default|controls|forms|classes]\n"
                "       [--lines N | --files N] [--seed S] [--routines N] [--routine-lines N] [--calls N]\n"
                "       (--files, --routines, --routine-lines and --calls shape the default profile only)\n");
            return 2;
        }
    }
    if (folder.empty()) {
        std::fprintf(stderr, "tallyscan6-genproject: --out DIR is required\n");
        return 2;
    }
    if (profile != tally::bench::SyntheticProfile::Default) {
        if (shaped) {
            std::fprintf(stderr,
                         "tallyscan6-genproject: --files, --routines, --routine-lines and --calls "
                         "shape the default profile only\n");
            return 2;
        }
        // Without --lines a profile is written at the size of the project it imitates.
        tally::bench::SyntheticProjectResult result =
            tally::bench::writeProfiledProject(folder, profile, targetLines, options.seed);
        if (!result.ok) {
            std::fprintf(stderr, "tallyscan6-genproject: %s\n", result.error.c_str());
            return 1;
        }
        std::printf("%s\t%d files\t%lld lines\t%lld bytes\n", result.projectPath.c_str(), result.files,
                    result.lines, result.bytes);
        return 0;
    }
    if (targetLines > 0) {
        long long perFile =
            12 + static_cast<long long>(options.routinesPerFile) * (options.linesPerRoutine + 4);
        options.files = static_cast<int>(std::max(1LL, targetLines / perFile));
    }
    tally::bench::SyntheticProjectResult result = tally::bench::writeSyntheticProject(folder, options);
    if (!result.ok) {
        std::fprintf(stderr, "tallyscan6-genproject: %s\n", result.error.c_str());
        return 1;
    }
    std::printf("%s\t%d files\t%lld lines\t%lld bytes\n", result.projectPath.c_str(), options.files,
                result.lines, result.bytes);
    return 0;
}
