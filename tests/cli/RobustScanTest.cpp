// Whole scans (project file, three passes, scan file) of hostile inputs: nothing may crash or hang,
// and the rest of the project is still analysed.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/engine/ScanProject.h"
#include "SyntheticProject.h"
#include "core/parser/ParseDriver.h"
#include "core/project/ProjectReader.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "support/TempDir.h"

namespace tally {

namespace {

namespace fs = std::filesystem;

struct Scan {
    ProjectModel model;
    ParseOutcome outcome;
};

Scan scan(const std::string& project) {
    Scan s;
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    ScanOutcome outcome = scanProject(s.model, ScanRequest{project, versions, quiet, cancel});
    EXPECT_TRUE(outcome.opened()) << outcome.open.message;
    s.outcome.cancelled = outcome.cancelled;
    return s;
}

const SubRec* findRoutine(const ProjectModel& model, const std::string& name) {
    for (const auto& slot : model.subs)
        for (const SubRec& r : slot)
            if (r.name == name) return &r;
    return nullptr;
}

}  // namespace

TEST(RobustScan, HostileMembersDoNotStopTheOthers) {
    TempDir dir;
    std::string binary(300000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131) % 251);
    dir.write("modBinary.bas", binary);
    std::string oneLine = "Public Sub Wide(";
    while (oneLine.size() < (20u << 20)) oneLine += "x (\"unclosed , Good 1 . ";
    dir.write("modWide.bas", oneLine);
    dir.write("modQuotes.bas", "Sub Q()\r\n    MsgBox \"never closed\r\n    Good 2\r\nEnd Sub\r\n");
    dir.write("frmHuge.frm",
              "VERSION 5.00\r\nBegin VB.Form frmHuge\r\n   Caption = \"Huge list\"\r\n   Begin VB.ListBox lst\r\n      List = \"frmHuge.frx\":0000\r\n"
              "   End\r\nEnd\r\nAttribute VB_Name = \"frmHuge\"\r\nPrivate Sub Form_Load()\r\n    Good\r\nEnd Sub\r\n");
    dir.write("frmHuge.frx", std::string(20u << 20, 'A'));
    dir.write("frmEmpty.frm",
              "VERSION 5.00\r\nBegin VB.Form frmEmpty\r\n   Begin VB.ListBox lst\r\n      List = \"frmEmpty.frx\":0000\r\n"
              "   End\r\nEnd\r\n");
    dir.write("frmEmpty.frx", "");
    dir.write("frmDir.frm",
              "VERSION 5.00\r\nBegin VB.Form frmDir\r\n   Begin VB.ListBox lst\r\n      List = \"frmDir.frx\":0000\r\n"
              "   End\r\nEnd\r\n");
    fs::create_directories(dir / "frmDir.frx");  // a companion that cannot be read as a file
    dir.write("modGood.bas", "Public Sub Good(Optional n As Long)\r\n    Debug.Print n\r\nEnd Sub\r\n");
    dir.write("Hostile.vbp",
              "Module=modBinary; modBinary.bas\r\nModule=modWide; modWide.bas\r\nModule=modQuotes; modQuotes.bas\r\n"
              "Form=frmHuge.frm\r\nForm=frmEmpty.frm\r\nForm=frmDir.frm\r\nModule=modGood; modGood.bas\r\n"
              "Module=modGood; modGood.bas\r\nModule=modGone; modGone.bas\r\n");

    Scan s = scan(dir / "Hostile.vbp");
    EXPECT_FALSE(s.outcome.cancelled);
    EXPECT_EQ(s.model.fileCount(), 9);  // row 0, seven members (the repeated one once), the missing one
    const SubRec* good = findRoutine(s.model, "Good");
    ASSERT_NE(good, nullptr);
    // Called from Q, from Form_Load and (as plain substring search finds it) from the wide line.
    EXPECT_GE(good->timesCalled, 2);
    // The caption is read; the oversized, empty and unreadable companions add no list text.
    ASSERT_EQ(s.model.spell.size(), 1u);
    EXPECT_EQ(s.model.spell[0].value, " Huge list");
    // The whole scan survives a save and a reopen.
    ASSERT_TRUE(saveScanFile(s.model, dir / "Hostile.psf"));
    ProjectModel reopened;
    Outcome read = openScanFile(dir / "Hostile.psf", reopened);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(reopened.subs, s.model.subs);
}

namespace {

// Generates a large project and scans it: every file is there with its routines, calls between
// files are found, and the whole scan survives a save and a reopen.
void scanLargeProject(const bench::SyntheticProjectOptions& options, long long minimumLines) {
    TempDir dir;
    bench::SyntheticProjectResult written = bench::writeSyntheticProject(dir / "p", options);
    ASSERT_TRUE(written.ok) << written.error;
    ASSERT_GE(written.lines, minimumLines);
    Scan s = scan(written.projectPath);
    EXPECT_FALSE(s.outcome.cancelled);
    EXPECT_EQ(s.model.fileCount(), options.files + 1);
    EXPECT_GT(s.model.subCount(options.files), 0);  // the last file keeps its routines
    long long routines = 0, called = 0;
    for (const auto& slot : s.model.subs)
        for (const SubRec& r : slot) {
            ++routines;
            if (r.timesCalled > 0) ++called;
        }
    EXPECT_GE(routines, static_cast<long long>(options.files) * options.routinesPerFile);
    EXPECT_GT(called, routines / 4);
    ASSERT_TRUE(saveScanFile(s.model, dir / "Large.psf"));
    ProjectModel reopened;
    Outcome read = openScanFile(dir / "Large.psf", reopened);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(reopened.subs, s.model.subs);
    EXPECT_EQ(reopened.files.size(), s.model.files.size());
}

}  // namespace

TEST(RobustScan, FiveThousandMembers) {
    bench::SyntheticProjectOptions options;
    options.files = 5000;
    options.routinesPerFile = 2;
    options.linesPerRoutine = 4;
    options.controlsPerForm = 2;
    scanLargeProject(options, 5000 * 2 * 4);
}

// The largest project the benchmarks time: 400 files of 20 routines of 100 lines, about 820,000.
TEST(RobustScan, EightHundredThousandLines) {
    bench::SyntheticProjectOptions options;
    options.seed = 7;
    options.files = 400;
    options.routinesPerFile = 20;
    options.linesPerRoutine = 100;
    scanLargeProject(options, 800000);
}

}  // namespace tally
