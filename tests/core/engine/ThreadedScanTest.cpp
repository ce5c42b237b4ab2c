// A scan on several threads must give the very scan file a one-thread scan gives: the routines'
// checks run out of order, their rows must not.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SyntheticProfiles.h"
#include "core/engine/ScanProject.h"
#include "core/parser/RoutineChecks.h"
#include "core/scanfile/ScanFileWriter.h"
#include "support/TempDir.h"

namespace tally {
namespace {

// Cancels the scan at the given progress value of pass 1, which the reading thread reports line by
// line: the same place for any number of threads.
class CancelAtValue final : public ParseProgress {
public:
    CancelAtValue(CancelFlag& cancel, long long at) : m_cancel(cancel), m_at(at) {}
    void setFileLabel(std::string_view) override {}
    void setLineLabel(std::string_view) override {}
    void setRange(long long, long long) override {}
    void setValue(long long value) override {
        if (m_at > 0 && value >= m_at) m_cancel = true;
    }

private:
    CancelFlag& m_cancel;
    long long m_at;
};

// The scan file text of a scan on `threads` threads, without the moment and length of the parse.
std::string scanText(const std::string& vbp, int threads, long long cancelAt = 0) {
    NoFileVersions versions;
    CancelFlag cancel{false};
    CancelAtValue progress(cancel, cancelAt);
    ProjectModel model;
    ScanRequest request{vbp, versions, progress, cancel};
    request.threads = threads;
    ScanOutcome outcome = scanProject(model, request);
    EXPECT_TRUE(outcome.opened()) << outcome.open.message;
    EXPECT_EQ(outcome.cancelled, cancelAt > 0);
    model.parseStart = 0;
    model.parseTime = 0;
    return scanFileText(model);
}

class ThreadedScan : public ::testing::TestWithParam<bench::SyntheticProfile> {};

TEST_P(ThreadedScan, TwoAndThreeThreadsWriteTheOneThreadScanFile) {
    TempDir dir;
    const std::string folder = dir.path() + "/profile";
    bench::writeProfiledProject(folder, GetParam(), 8000, 5);
    const std::string vbp = folder + "/Synthetic.vbp";
    const std::string one = scanText(vbp, 1);
    ASSERT_GT(one.size(), 10000u);
    EXPECT_TRUE(one == scanText(vbp, 2));
    EXPECT_TRUE(one == scanText(vbp, 3));
}

INSTANTIATE_TEST_SUITE_P(Profiles, ThreadedScan,
                         ::testing::Values(bench::SyntheticProfile::Controls, bench::SyntheticProfile::Forms,
                                           bench::SyntheticProfile::Classes));

// Six hundred routines, every third long enough to go to a worker and the rest checked on the
// reading thread in between: dozens of stretches for the workers, enough to fill the queue, so that
// the reading thread also checks some queued ones itself.
std::string manyRoutines() {
    const std::string longLine = "    t.Count = t.Count + 1 ' a long routine\r\n";
    const std::size_t longLines = RoutineChecks::kWorkerTextBytes / longLine.size() + 1;
    std::string many = "Attribute VB_Name = \"Many\"\r\n";
    for (int k = 0; k < 600; ++k) {
        many += "Private Sub S" + std::to_string(k) + "(a, ByVal b As Long, c%)\r\n";
        many += "    Dim unused" + std::to_string(k) + ", t As Widget" + std::to_string(k % 7) + "\r\n";
        if (k % 3 == 0)
            for (std::size_t line = 0; line < longLines; ++line) many += longLine;
        many += "    Static kept\r\n    kept = b ' unused" + std::to_string(k) + "\r\nEnd Sub\r\n";
    }
    return many;
}

// What a file leaves open runs on into the next one; empty and missing members sit between.
TEST(ThreadedScan, RoutinesAcrossFilesAndAFullQueueKeepTheirOrder) {
    TempDir dir;
    dir.write("Many.bas", manyRoutines());
    dir.write("Open.bas", "Attribute VB_Name = \"Open\"\nPublic Sub Runs(x)\n    Dim y\n");
    dir.write("Empty.bas", "");
    dir.write("Close.bas", "    y = 1\nEnd Sub\nPublic g As Gadget\nSub After()\n  Dim z As Gadget\nEnd Sub\n");
    const std::string vbp = dir.write(
        "P.vbp", "Module=Many; Many.bas\r\nModule=Open; Open.bas\r\nModule=Empty; Empty.bas\r\n"
                 "Module=Gone; Gone.bas\r\nModule=Close; Close.bas\r\n");
    const std::string one = scanText(vbp, 1);
    EXPECT_NE(one.find("unused399"), std::string::npos);
    EXPECT_TRUE(one == scanText(vbp, 2));
    EXPECT_TRUE(one == scanText(vbp, 4));
}

// A cancel keeps every row found before it: the checks of the routines already closed and the
// declarations of a file that has closed no routine yet.
TEST(ThreadedScan, ACancelledScanKeepsTheRowsFoundBeforeItOnAnyNumberOfThreads) {
    TempDir dir;
    const std::string many = manyRoutines();
    dir.write("Many.bas", many);
    std::string declarations = "Public gDeclaredBeforeTheCancel As Gizmo\r\n";
    for (int k = 0; k < 2000; ++k) declarations += "' a long comment block\r\n";
    dir.write("Decl.bas", declarations + "Sub Late()\r\n    Dim lateUnused\r\nEnd Sub\r\n");
    const std::string vbp = dir.write("P.vbp", "Module=Many; Many.bas\r\nModule=Decl; Decl.bas\r\n");
    // Progress counts the characters of the lines, not their ends: the cancel falls in Decl.bas.
    const auto lineEnds = static_cast<long long>(std::count(many.begin(), many.end(), '\n'));
    const long long at = static_cast<long long>(many.size()) - 2 * lineEnds + 1000;
    const std::string one = scanText(vbp, 1, at);
    EXPECT_NE(one.find("unused399"), std::string::npos);
    EXPECT_NE(one.find("gDeclaredBeforeTheCancel"), std::string::npos);
    EXPECT_EQ(one.find("lateUnused"), std::string::npos);
    EXPECT_TRUE(one == scanText(vbp, 2, at));
}

}  // namespace
}  // namespace tally
