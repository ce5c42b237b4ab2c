#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "CliRun.h"
#include "cli/CliArguments.h"
#include "core/reports/RtfReader.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kRoot = TALLY_SOURCE_DIR;
const std::string kSample = kRoot + "/examples/sample/Hourglass.vbp";
const std::string kClean = kRoot + "/tests/data/tiny/clean/Clean.vbp";

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(CliReportArguments, ReportNeedsOutAndAKnownKind) {
    CliParseResult ok = parseCliArguments({"open", "a.psf", "--report", "code", "--out", "r.rtf"});
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.arguments.report, ReportKind::Code);
    EXPECT_EQ(ok.arguments.reportPath, "r.rtf");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--report", "code"}).error, "--report needs --out FILE");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--out", "r.rtf"}).error, "--out belongs to --report");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--report", "spelling", "--out", "r"}).arguments.report,
              ReportKind::Spelling);
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--report", "grammar", "--out", "r"}).error,
              "--report takes code, statistics or spelling");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--report"}).error, "--report takes code, statistics or spelling");
    EXPECT_EQ(parseCliArguments({"scan", "a.vbp", "--report", "code", "--out"}).error, "--out needs a file name");
    EXPECT_EQ(parseCliArguments({"tree", "a.vbp", "--report", "code", "--out", "r"}).error, "'tree' takes no options");
}

TEST(CliReport, EachFormatByTheFileName) {
    TempDir dir;
    CliRun scan = run({"scan", kSample, "--no-progress", "--save", dir / "h.psf", "--report", "code", "--out", dir / "code.rtf"});
    ASSERT_EQ(scan.code, kExitOk) << scan.err;
    std::string rtf = contents(dir / "code.rtf");
    EXPECT_THAT(rtf, StartsWith("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl"));
    RichDocument code = readRtf(rtf);
    ASSERT_GT(code.paragraphs.size(), 5u);
    EXPECT_EQ(code.paragraphs[0].text(), "Project Code Report");
    EXPECT_EQ(code.paragraphs[2].text(), "Hourglass Timesheets 2.4.17");

    // Which extension gives which format is for the ReportOutput tests.
    for (std::string name : {"stats.PSL", "stats.txt", "stats.html"}) {
        CliRun open = run({"open", dir / "h.psf", "--report", "statistics", "--out", dir / name});
        ASSERT_EQ(open.code, kExitOk) << name << open.err;
        EXPECT_EQ(open.out, "");
    }
    EXPECT_EQ(readRtf(contents(dir / "stats.PSL")).paragraphs[0].text(), "Project Statistics Report");
    std::string text = contents(dir / "stats.txt");
    EXPECT_THAT(text, StartsWith("Project Statistics Report\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\nScan Time\r\n"));
    EXPECT_EQ(text.find('\\'), std::string::npos);  // no control words in plain text
    std::string html = contents(dir / "stats.html");
    EXPECT_THAT(html, StartsWith("<!DOCTYPE html>"));
    EXPECT_THAT(html, HasSubstr("<title>Project Statistics Report</title>"));
}

TEST(CliReport, NothingToReportIsSaidAndNothingWritten) {
    TempDir dir;
    // Routines alone already give the two routine sections (empty or not): this project has none.
    std::string project = dir.write("Empty.vbp", "Type=Exe\r\nModule=modEmpty; modEmpty.bas\r\nName=\"Empty\"\r\n");
    dir.write("modEmpty.bas", "Attribute VB_Name = \"modEmpty\"\r\nOption Explicit\r\n");
    CliRun clean = run({"scan", project, "--no-progress", "--report", "code", "--out", dir / "code.rtf"});
    EXPECT_EQ(clean.code, kExitOk) << clean.err;
    EXPECT_THAT(clean.out, HasSubstr("No changes were made. Nothing to report.\n"));
    EXPECT_FALSE(std::filesystem::exists(dir / "code.rtf"));
}

TEST(CliReport, PdfAsksForTheDesktopBuild) {
    TempDir dir;
    CliRun pdf = run({"scan", kSample, "--no-progress", "--report", "code", "--out", dir / "code.pdf"});
    EXPECT_EQ(pdf.code, kExitUsage);
    EXPECT_THAT(pdf.err, HasSubstr("PDF output needs the desktop build"));
    EXPECT_FALSE(std::filesystem::exists(dir / "code.pdf"));
}

TEST(CliReport, NeverWritesOverTheProjectItsFilesTheScanOrANonRegularFile) {
    TempDir dir;
    std::string project = dir.write("p/App.vbp", contents(kClean));
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(kClean).parent_path()))
        if (entry.path().extension() != ".vbp")
            dir.write("p/" + entry.path().filename().string(), contents(entry.path().string()));
    std::string before = contents(project);
    CliRun self = run({"scan", project, "--no-progress", "--report", "statistics", "--out", project});
    EXPECT_EQ(self.code, kExitUsage);
    EXPECT_THAT(self.err, HasSubstr("is the project file"));
    EXPECT_EQ(contents(project), before);

    ASSERT_EQ(run({"scan", project, "--no-progress", "--save", dir / "p/App.psf"}).code, kExitOk);
    std::string scan = contents(dir / "p/App.psf");
    CliRun overScan = run({"open", dir / "p/App.psf", "--report", "statistics", "--out", dir / "p/App.psf"});
    EXPECT_EQ(overScan.code, kExitUsage);
    EXPECT_THAT(overScan.err, HasSubstr("is the project's scan file"));
    EXPECT_EQ(contents(dir / "p/App.psf"), scan);

    std::string fifo = dir / "fifo.rtf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CliRun overFifo = run({"open", dir / "p/App.psf", "--report", "statistics", "--out", fifo});
    EXPECT_EQ(overFifo.code, kExitUsage);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    CliRun folder = run({"open", dir / "p/App.psf", "--report", "statistics", "--out", dir.path()});
    EXPECT_EQ(folder.code, kExitUsage);
}

}  // namespace tally
