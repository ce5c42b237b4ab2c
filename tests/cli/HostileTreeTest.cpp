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

// Changes the tree while the scan runs, once pass 1 has looked at every file: on one thread as the
// pass names each file (just before reading it), on more threads (which read files ahead of their
// turn) all at once before the first is read. Each file is emptied, removed, replaced by a folder,
// grown or turned into a link loop.
class TreeChanger final : public ParseProgress {
public:
    TreeChanger(const TempDir& dir, bool allAtOnce) : m_dir(dir), m_allAtOnce(allAtOnce) {}
    void setFileLabel(std::string_view text) override {
        if (m_allAtOnce) return;
        for (const char* name : kNames)
            if (text == "Part 1of 3. Parsing " + std::string(name)) change(name);
    }
    void setLineLabel(std::string_view) override {}
    void setRange(long long, long long) override {
        // Pass 1 sets its range after looking at the files and before reading any.
        if (!m_allAtOnce || m_changed) return;
        m_changed = true;
        for (const char* name : kNames) change(name);
    }
    void setValue(long long) override {}

    static constexpr const char* kNames[] = {"modEmptied.bas", "modGone.bas", "modFolder.bas", "modGrown.bas",
                                             "modLooped.bas"};

private:
    void change(std::string_view name) const {
        if (name == "modEmptied.bas") fs::resize_file(m_dir / "modEmptied.bas", 0);
        if (name == "modGone.bas") fs::remove(m_dir / "modGone.bas");
        if (name == "modFolder.bas") {
            fs::remove(m_dir / "modFolder.bas");
            fs::create_directories(m_dir / "modFolder.bas");
        }
        if (name == "modGrown.bas")
            m_dir.write("modGrown.bas", std::string(1 << 20, '\'') + "\r\nSub Late()\r\nEnd Sub\r\n");
        if (name == "modLooped.bas") {
            fs::remove(m_dir / "modLooped.bas");
            fs::create_symlink("modLooped.bas", m_dir / "modLooped.bas");
        }
    }

    const TempDir& m_dir;
    bool m_allAtOnce;
    bool m_changed = false;
};

TEST(HostileTree, FilesThatChangeOrVanishWhileTheScanRunsAreReadAsTheyAreOrPassedOver) {
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        TempDir dir;
        std::string vbp;
        for (const char* name : TreeChanger::kNames) {
            dir.write(name,
                      "Public Sub In_" + std::string(name).substr(3, 4) + "()\r\n    Kept\r\nEnd Sub\r\n");
            vbp +=
                "Module=" + std::string(name).substr(0, std::string(name).size() - 4) + "; " + name + "\r\n";
        }
        dir.write("modKept.bas", "Public Sub Kept()\r\nEnd Sub\r\n");
        const std::string project = dir.write("P.vbp", vbp + "Module=modKept; modKept.bas\r\n");
        NoFileVersions versions;
        CancelFlag cancel{false};
        TreeChanger changer(dir, threads > 1);
        ProjectModel model;
        ScanRequest request{project, versions, changer, cancel};
        request.threads = threads;
        ScanOutcome outcome = scanProject(model, request);
        ASSERT_TRUE(outcome) << outcome.stoppedBy;
        bool kept = false, grown = false;
        for (const auto& slot : model.subs)
            for (const SubRec& r : slot) {
                EXPECT_NE(r.name, "In_Empt");
                EXPECT_NE(r.name, "In_Gone");
                EXPECT_NE(r.name, "In_Fold");
                EXPECT_NE(r.name, "In_Loop");
                kept |= r.name == "Kept";
                grown |= r.name == "Late";
            }
        EXPECT_TRUE(kept);
        EXPECT_TRUE(grown);
        ProjectModel back;
        EXPECT_TRUE(readScanText(scanFileText(model), dir / "P.psf", back).ok);
    }
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

// A scan file of a hundred megabytes (one routine called from a million lines) saves and reads back.
TEST(HostileTree, AHundredMegabyteScanFileSavesAndReadsBack) {
    TempDir dir;
    dir.write("modBig.bas", "Public Sub Everywhere()\r\nEnd Sub\r\n");
    ProjectModel model;
    ASSERT_TRUE(scanInto(model, dir.write("Big.vbp", "Module=modBig; modBig.bas\r\n")));
    ASSERT_EQ(model.subs.at(0).size(), 1u);
    SubRec& routine = model.subs[0][0];
    std::string calledBy;
    calledBy.reserve(100u << 20);
    for (int line = 0; calledBy.size() < (100u << 20); ++line)
        calledBy += "Caller" + std::to_string(line % 5000) + " - frmSomewhere.frm - " + std::to_string(line) + "\x01";
    routine.calledBy = std::move(calledBy);
    routine.timesCalled = 1000000;
    const std::string path = dir / "Big.psf";
    ASSERT_TRUE(saveScanFile(model, path).ok);
    EXPECT_GT(fs::file_size(path), 100u << 20);
    ProjectModel back;
    const Outcome read = openScanFile(path, back);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(back.subs.at(0).size(), 1u);
    EXPECT_TRUE(back.subs[0][0].calledBy == model.subs[0][0].calledBy);
}

}  // namespace
}  // namespace tally
