// Every input the fuzzers ever crashed on (tests/data/crashes/<target>/) and every seed the
// fuzz run starts from is replayed through the same entry point: a crash that was fixed stays fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FuzzEntries.h"

namespace tally::fuzz {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Replays the files of `folder` (when there is one) through `target`; returns how many.
int replayFolder(const FuzzTarget& target, const fs::path& folder) {
    int replayed = 0;
    if (!fs::is_directory(folder)) return 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
        SCOPED_TRACE(entry.path().string());
        target.entry(bytesOf(entry.path()));
        ++replayed;
    }
    return replayed;
}

TEST(FuzzReplay, EverySavedCrashInputAndSeedGoesThroughItsTargetSafely) {
    const fs::path source = TALLY_SOURCE_DIR;
    int replayed = 0;
    for (const FuzzTarget& target : fuzzTargets()) {
        replayed += replayFolder(target, source / "tests/data/crashes" / std::string(target.name));
        replayed += replayFolder(target, source / "tests/fuzz/seeds" / std::string(target.name));
    }
    EXPECT_GT(replayed, 0);
}

// The fixtures the fuzz run seeds from: every project, member and scan file of the test data and
// the sample, through the target of its kind.
TEST(FuzzReplay, TheFixturesGoThroughTheirTargets) {
    const fs::path source = TALLY_SOURCE_DIR;
    int replayed = 0;
    for (const fs::path& root : {source / "tests/data", source / "examples"}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file() || entry.file_size() > (1 << 20)) continue;
            std::string extension = entry.path().extension().string();
            for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const char* name = extension == ".vbp"   ? "project"
                               : extension == ".bas" ? "bas"
                               : extension == ".frm" ? "frm"
                               : extension == ".cls" ? "cls"
                               : extension == ".psf" ? "scanfile"
                               : extension == ".frx" ? "frx"
                                                     : nullptr;
            if (!name) continue;
            SCOPED_TRACE(entry.path().string());
            fuzzTargetNamed(name)->entry(bytesOf(entry.path()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 40);
}

}  // namespace
}  // namespace tally::fuzz
