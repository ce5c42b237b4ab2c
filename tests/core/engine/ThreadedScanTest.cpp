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

// Cancels the scan at the given progress value of pass 2, which the pass's thread reports line by
// line as it reads them or plays back what a worker read.
class CancelInCallPass final : public ParseProgress {
public:
    CancelInCallPass(CancelFlag& cancel, long long at) : m_cancel(cancel), m_at(at) {}
    void setFileLabel(std::string_view label) override {
        m_inCallPass = m_inCallPass || label.starts_with("Part 2 of 3");
    }
    void setLineLabel(std::string_view) override {}
    void setRange(long long, long long) override {}
    void setValue(long long value) override {
        if (m_inCallPass && value >= m_at) m_cancel = true;
    }

private:
    CancelFlag& m_cancel;
    long long m_at;
    bool m_inCallPass = false;
};

// The scan file text of a scan on `threads` threads, without the moment and length of the parse.
std::string scanText(const std::string& vbp, int threads, long long cancelAt = 0, bool inCallPass = false) {
    NoFileVersions versions;
    CancelFlag cancel{false};
    CancelAtValue valueProgress(cancel, inCallPass ? 0 : cancelAt);
    CancelInCallPass callPassProgress(cancel, cancelAt);
    ParseProgress& progress = inCallPass ? static_cast<ParseProgress&>(callPassProgress) : valueProgress;
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

// Members read ahead of their turn assume that they begin outside any routine and know no control
// names but their own; those for which that does not hold are read again in turn. A button of a
// form without code, handled in a module and in a class with a WithEvents variable of that name; a
// truncated form whose designer block runs on into the next member; the same library in two forms,
// one of them listed twice.
TEST(ThreadedScan, MembersThatBeganOtherwiseThanAssumedAreReadAgainInTurn) {
    TempDir dir;
    std::string vbp;
    dir.write("Main.frm",
              "VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption = \"Main\"\r\n"
              "   Begin VB.CommandButton cmdGo\r\n      Caption = \"Go on\"\r\n   End\r\nEnd\r\n"
              "Attribute VB_Name = \"frmMain\"\r\n");
    dir.write("Handlers.bas",
              "Attribute VB_Name = \"Handlers\"\r\nEnd\r\nPublic Sub cmdGo_Click()\r\n"
              "    Dim unusedInModule\r\n    MsgBox \"Clicked in a module\"\r\nEnd Sub\r\n");
    dir.write("Watcher.cls",
              "Attribute VB_Name = \"Watcher\"\r\nPrivate WithEvents cmdGo As CommandButton\r\n"
              "Implements IThing\r\nPrivate Sub cmdGo_Click(ByVal unusedArgument As Long)\r\n"
              "End Sub\r\nPrivate Sub IThing_Run(ByVal alsoUnused As Long)\r\nEnd Sub\r\n");
    dir.write(
        "Cut.frm",
        "VERSION 5.00\r\nObject = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
        "Begin VB.Form frmCut\r\n   Caption = \"Cut short\"\r\n   Begin VB.Label lblHalf\r\n");
    dir.write("After.bas",
              "Attribute VB_Name = \"After\"\r\nPublic Sub lblHalf_Click()\r\n"
              "    MsgBox \"After the cut\"\r\nEnd Sub\r\n");
    dir.write(
        "Other.frm",
        "VERSION 5.00\r\nObject = \"{831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0\"; \"MSCOMCTL.OCX\"\r\n"
        "Begin VB.Form frmOther\r\n   Caption = \"Other\"\r\nEnd\r\n"
        "Attribute VB_Name = \"frmOther\"\r\nPrivate Sub Form_Load()\r\n    Dim unusedInForm\r\nEnd Sub\r\n");
    // A form without code leaves its designer block open to the next member, which does not
    // depend on it until it opens a routine of its own.
    dir.write("About.frm", "VERSION 5.00\r\nBegin VB.Form frmAbout\r\n   Caption = \"About\"\r\nEnd\r\n");
    dir.write("Plain.bas",
              "Attribute VB_Name = \"Plain\"\r\nEnd\r\n' a comment = \"not a text\"\r\n"
              "Public Sub Plainly()\r\n    Dim unusedPlainly\r\n    Caption = \"Plain text\"\r\n"
              "End Sub\r\n");
    std::string members =
        "Form=Main.frm\r\nModule=Handlers; Handlers.bas\r\nClass=Watcher; Watcher.cls\r\n"
        "Form=Other.frm\r\nForm=Cut.frm\r\nModule=After; After.bas\r\nForm=Other.frm\r\n"
        "Form=About.frm\r\nModule=Plain; Plain.bas\r\n";
    // Enough members after them that the later ones are read ahead while these are taken in.
    for (int k = 0; k < 12; ++k) {
        const std::string name = "Filler" + std::to_string(k);
        dir.write(name + ".bas", "Attribute VB_Name = \"" + name +
                                     "\"\r\nPublic Sub cmdGo_Click()\r\n"
                                     "    Dim unused" +
                                     name + "\r\nEnd Sub\r\n");
        members += "Module=" + name + "; " + name + ".bas\r\n";
    }
    vbp = dir.write("P.vbp", members);
    const std::string one = scanText(vbp, 1);
    for (const char* expected : {"unusedInModule", "Clicked in a module", "unusedArgument", "MSCOMCTL.OCX",
                                 "After the cut", "unusedPlainly", "Plain text", "unusedFiller11"})
        EXPECT_NE(one.find(expected), std::string::npos) << expected;
    EXPECT_TRUE(one == scanText(vbp, 2));
    EXPECT_TRUE(one == scanText(vbp, 3));
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

// A cancel in the call pass keeps the calls found on the lines before it, however many threads read
// the files ahead: what they found past the cancel is not played back.
TEST(ThreadedScan, ACancelInTheCallPassKeepsTheSameCallsOnAnyNumberOfThreads) {
    TempDir dir;
    const std::string folder = dir.path() + "/profile";
    bench::writeProfiledProject(folder, bench::SyntheticProfile::Controls, 8000, 3);
    const std::string vbp = folder + "/Synthetic.vbp";
    const std::string whole = scanText(vbp, 1);
    const std::string one = scanText(vbp, 1, 100000, true);
    ASSERT_GT(one.size(), 10000u);
    EXPECT_NE(one, whole);
    EXPECT_TRUE(one == scanText(vbp, 2, 100000, true));
    EXPECT_TRUE(one == scanText(vbp, 3, 100000, true));
}

}  // namespace
}  // namespace tally
