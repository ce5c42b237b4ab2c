// Source trees as they are found on disks and in archives: link loops, members that are folders,
// the project itself or a sparse giant, names with blanks and non-ASCII letters, a hundred thousand
// members, and scan files that claim two thousand million rows. Each is skipped or refused with a
// reason; nothing hangs and the memory stays bounded.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "core/engine/ScanProject.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "support/TempDir.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

ScanOutcome scanInto(ProjectModel& model, const std::string& vbp, int threads = 2) {
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    ScanRequest request{vbp, versions, quiet, cancel};
    request.threads = threads;
    return scanProject(model, request);
}

long long routineCount(const ProjectModel& model) {
    long long count = 0;
    for (const auto& slot : model.subs) count += static_cast<long long>(slot.size());
    return count;
}

TEST(HostileTree, LoopsFoldersTheProjectItselfAndASparseGiantAreSkipped) {
    TempDir dir;
    fs::create_symlink("loopB.bas", dir / "loopA.bas");
    fs::create_symlink("loopA.bas", dir / "loopB.bas");
    fs::create_directories(dir / "Folder.bas");
    // A member of a gigabyte that holds no data: refused by its size, never read.
    ASSERT_EQ(::truncate(dir.write("modGiant.bas", "").c_str(), 1LL << 30), 0);
    dir.write("mod Blank \xC3\xA9t\xC3\xA9.bas", "Public Sub Accented()\r\nEnd Sub\r\n");
    dir.write("modGood.bas", "Sub Main()\r\n    Accented\r\nEnd Sub\r\n");
    const std::string vbp = dir.write(
        "P.vbp",
        "Module=loopA; loopA.bas\r\nModule=Folder; Folder.bas\r\nModule=Self; P.vbp\r\n"
        "Module=Giant; modGiant.bas\r\nModule=Accented; mod Blank \xC3\xA9t\xC3\xA9.bas\r\n"
        "Module=Good; modGood.bas\r\nForm=.\r\nClass=X; /\r\n");
    ProjectModel model;
    const auto started = std::chrono::steady_clock::now();
    ScanOutcome outcome = scanInto(model, vbp);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
    ASSERT_TRUE(outcome) << outcome.open.message << outcome.stoppedBy;
    EXPECT_EQ(routineCount(model), 2);
    bool calledAcrossTheOddName = false;
    for (const auto& slot : model.subs)
        for (const SubRec& r : slot) calledAcrossTheOddName |= r.name == "Accented" && r.timesCalled == 1;
    EXPECT_TRUE(calledAcrossTheOddName);
    // The scan file of such a tree reads back.
    ProjectModel back;
    EXPECT_TRUE(readScanText(scanFileText(model), dir / "P.psf", back).ok);
}

TEST(HostileTree, AHundredThousandMembersMostlyMissing) {
    TempDir dir;
    std::string vbp;
    vbp.reserve(100000 * 40);
    for (int k = 0; k < 100000; ++k) {
        const std::string name = "m" + std::to_string(k);
        vbp += "Module=" + name + "; " + name + ".bas\r\n";
        if (k % 1000 == 0) dir.write(name + ".bas", "Public Sub S" + std::to_string(k) + "()\r\nEnd Sub\r\n");
    }
    const std::string project = dir.write("Many.vbp", vbp);
    ProjectModel model;
    ScanOutcome outcome = scanInto(model, project);
    ASSERT_TRUE(outcome) << outcome.open.message << outcome.stoppedBy;
    EXPECT_EQ(model.fileCount(), 100001);
    EXPECT_EQ(routineCount(model), 100);
}

TEST(HostileTree, ScanFilesClaimingHugeCountsFailQuickly) {
    const std::string head = "Version 2.0\r\n/p/P.vbp\r\nTallyscan 6 - [P]\r\n 46362.4\r\n 0.1\r\n";
    for (const char* section : {"Begin Types 2147483647\r\n", "Begin Types 2147483648\r\n",
                                "Begin Project 2147483646\r\n\"a\"\r\n", "Begin Types -2147483648\r\n",
                                "Begin Types 99999999999999999999\r\n"}) {
        SCOPED_TRACE(section);
        ProjectModel model;
        const auto started = std::chrono::steady_clock::now();
        const Outcome read = readScanText(head + section, "/p/P.psf", model);
        EXPECT_FALSE(read.ok);
        EXPECT_FALSE(read.message.empty());
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    }
}

}  // namespace
}  // namespace tally
