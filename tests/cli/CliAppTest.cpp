#include "CliRun.h"
#include "cli/CliApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/os/FileFacts.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

namespace fs = std::filesystem;

const std::string kRoot = TALLY_SOURCE_DIR;
const std::string kSample = kRoot + "/examples/sample/Hourglass.vbp";
const std::string kClean = kRoot + "/tests/data/tiny/clean/Clean.vbp";


}  // namespace

TEST(CliApp, HelpAndUsageErrors) {
    CliRun help = run({"--help"});
    EXPECT_EQ(help.code, kExitOk);
    EXPECT_THAT(help.out, HasSubstr("Usage: tallyscan6-cli"));
    CliRun bad = run({"scan"});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_EQ(bad.err, "tallyscan6-cli: 'scan' needs a file\nTry 'tallyscan6-cli --help'.\n");
}

TEST(CliApp, NonAsciiFoldersAndFileNamesPrintOnceConverted) {
    TempDir dir;
    const std::string folder = "Donn\xC3\xA9""es";  // UTF-8, as this file system names it
    dir.write(folder + "/caf\xC3\xA9.bas", "Attribute VB_Name = \"modCafe\"\r\nPublic Sub Brew()\r\nEnd Sub\r\n");
    // The project file is Windows-1252: "Module=modCafé; CAFÉ.bas".
    dir.write(folder + "/P.vbp", "Module=modCaf\xE9; CAF\xC9.bas\r\n");
    CliRun tree = run({"tree", dir / (folder + "/P.vbp")});
    EXPECT_EQ(tree.code, kExitOk) << tree.err;
    EXPECT_THAT(tree.out, HasSubstr("modCaf\xC3\xA9 (caf\xC3\xA9.bas) [" + dir / folder + "/caf\xC3\xA9.bas]"));
    CliRun file = run({"scan", dir / (folder + "/P.vbp"), "--file", "caf\xC3\xA9.bas"});
    EXPECT_EQ(file.code, kExitOk) << file.err;
    EXPECT_THAT(file.out, HasSubstr("File Properties: caf\xC3\xA9.bas"));
    EXPECT_THAT(file.out, HasSubstr("Path: " + dir / folder + "/caf\xC3\xA9.bas"));
}

TEST(CliApp, MissingInputsAreInputErrors) {
    CliRun project = run({"tree", "/nonexistent/x.vbp"});
    EXPECT_EQ(project.code, kExitUsage);
    EXPECT_THAT(project.err, HasSubstr("/nonexistent/x.vbp does not exist."));
    CliRun scan = run({"open", "/nonexistent/x.psf"});
    EXPECT_EQ(scan.code, kExitUsage);
    EXPECT_THAT(scan.err, HasSubstr("There was a problem reading the Project Scan File. The following error occured."));
}

TEST(CliApp, OpenAndSaveReproducesAScanFileByteForByte) {
    std::string source = kRoot + "/tests/data/scanfiles/invoice-v2.psf";
    TempDir dir;
    std::string copy = dir / "copy.psf";
    CliRun open = run({"open", source, "--save", copy});
    ASSERT_EQ(open.code, kExitOk) << open.err;
    EXPECT_EQ(readFileBytes(copy), readFileBytes(source));
}

TEST(CliApp, ScanOfTheSamplePrintsASummaryAndListsAndFailsOnDeadCode) {
    TempDir dir;
    std::string saved = dir / "sample.psf";
    CliRun scan = run({"scan", kSample, "--save", saved, "--list", "never-called", "--fail-on", "never-called"});
    EXPECT_EQ(scan.code, kExitReviewFailed) << scan.err;
    EXPECT_THAT(scan.out, HasSubstr("Hourglass - Tallyscan 6\n"));
    EXPECT_THAT(scan.out, HasSubstr("  files:      9\n"));
    EXPECT_THAT(scan.out, HasSubstr("# Never Called\n"));
    EXPECT_THAT(scan.out, HasSubstr("PurgeEntry\tSub Routine\tmodMain.bas\n"));
    EXPECT_THAT(scan.err, HasSubstr("unreviewed rows in Never Called"));

    // The saved scan gives the same list without parsing again.
    CliRun reopened = run({"open", saved, "--list", "never-called"});
    ASSERT_EQ(reopened.code, kExitOk) << reopened.err;
    EXPECT_EQ(reopened.out, scan.out.substr(scan.out.find("# Never Called")));
}

// The program leaves the model of its one command to the end of the process; commands run one
// after another so (as the tests do) take the one left before apart and give the same lists.
TEST(CliApp, ModelsLeftToTheProcessEndGiveTheSameLists) {
    TempDir dir;
    std::string saved = dir / "sample.psf";
    CliRun taken = run({"scan", kSample, "--list", "never-called"});
    const std::string lists = taken.out.substr(taken.out.find("# Never Called"));
    for (int round = 0; round < 2; ++round) {
        CliRun left = run({"scan", kSample, "--save", saved, "--list", "never-called"}, false, true);
        EXPECT_EQ(left.code, taken.code) << left.err;
        EXPECT_EQ(left.out.substr(left.out.find("# Never Called")), lists);
        CliRun reopened = run({"open", saved, "--list", "never-called"}, false, true);
        ASSERT_EQ(reopened.code, kExitOk) << reopened.err;
        EXPECT_EQ(reopened.out, lists);
    }
}

TEST(CliApp, CleanProjectPassesEveryReviewGate) {
    CliRun scan = run({"scan", kClean, "--fail-on", "never-called", "--fail-on", "no-code", "--fail-on", "no-return",
                    "--fail-on", "no-type", "--fail-on", "never-used"});
    EXPECT_EQ(scan.code, kExitOk) << scan.err;
}

TEST(CliApp, RoutinePanelsShowProblemsCallersAndParameters) {
    CliRun scan = run({"scan", kSample, "--routine", "modFormat.bas:Percent", "--routine", "modFormat.bas:RoundTotal#"});
    ASSERT_EQ(scan.code, kExitOk) << scan.err;
    EXPECT_THAT(scan.out, HasSubstr("## Parameters Passed In: Percent (modFormat.bas)\n  ByVal Part\t\n  Whole\tDouble\n"));
    EXPECT_THAT(scan.out, HasSubstr("  Old style type declaration.\n"));
    CliRun missing = run({"scan", kSample, "--routine", "modFormat.bas:NoSuchRoutine"});
    EXPECT_EQ(missing.code, kExitUsage);
    EXPECT_THAT(missing.err, HasSubstr("This routine was not found in the current scan."));
}

TEST(CliApp, CancelledScanSaysSoAndSavesOnlyWhenAskedTo) {
    TempDir dir;
    std::string target = dir / "cancelled.psf";
    CliRun cancelled = run({"scan", kSample, "--save", target}, true);
    EXPECT_EQ(cancelled.code, kExitCancelled);
    EXPECT_THAT(cancelled.err, HasSubstr("cancelled"));
    EXPECT_FALSE(fs::exists(target));
    CliRun partial = run({"scan", kSample, "--save", target, "--save-partial"}, true);
    EXPECT_EQ(partial.code, kExitCancelled);
    EXPECT_TRUE(fs::exists(target));
}

}  // namespace tally
