// The findings for build pipelines: fingerprints that survive moved lines, a baseline that makes
// only new findings fail, files left out by pattern, and tallyscan6.json beside the project.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "CliRun.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const std::string kMain = "Attribute VB_Name = \"modMain\"\r\n"
                          "Option Explicit\r\n"
                          "\r\n"
                          "Public Sub Main()\r\n"
                          "    Helper\r\n"
                          "End Sub\r\n"
                          "\r\n"
                          "Private Sub Helper()\r\n"
                          "    Dim unused As Long\r\n"
                          "End Sub\r\n";
const std::string kDead = "Private Sub OldReport()\r\n    Debug.Print 1\r\nEnd Sub\r\n";
const std::string kVendor = "Attribute VB_Name = \"modGrid\"\r\nPublic Sub GridUnused()\r\nEnd Sub\r\n";

std::string writeProject(const TempDir& dir, const std::string& main) {
    dir.write("modMain.bas", main);
    dir.write("Vendor/modGrid.bas", kVendor);
    return dir.write("App.vbp", "Type=Exe\r\nModule=modMain; modMain.bas\r\nModule=modGrid; Vendor\\modGrid.bas\r\n"
                                "Startup=\"Sub Main\"\r\nName=\"App\"\r\n");
}

// fingerprint -> the result's text, start line and baseline state, from a SARIF log.
struct Result {
    std::string rule, uri, state;
    int line = 0;
};
std::map<std::string, Result> resultsOf(const std::string& sarif) {
    std::map<std::string, Result> results;
    static const std::regex result(
        R"rx(\{"ruleId": "(TS600\d)".*?"uri": "([^"]*)".*?(?:"startLine": (\d+).*?)?"tallyscan/v1": "([0-9a-f#]+)"\}(?:, "suppressions": \[[^\]]*\])?(?:, "baselineState": "(\w+)")?\})rx");
    for (std::sregex_iterator it(sarif.begin(), sarif.end(), result), end; it != end; ++it) {
        const std::smatch& m = *it;
        results[m[4]] = Result{m[1], m[2], m[5], m[3].matched ? std::stoi(m[3]) : 0};
    }
    return results;
}

}  // namespace

TEST(CliFindings, FingerprintsStayWhenLinesMoveAndLinesFollow) {
    TempDir dir;
    const std::string project = writeProject(dir, kMain);
    CliRun before = run({"scan", project, "--format", "sarif", "--no-progress"});
    ASSERT_EQ(before.code, kExitOk) << before.err;
    EXPECT_THAT(before.out, Not(HasSubstr("  project:")));  // the summary goes to the log
    EXPECT_THAT(before.err, HasSubstr("  project:"));
    // Two blank lines above Main move every routine of the module down by two.
    std::string spaced = kMain;
    spaced.insert(spaced.find("Public Sub Main"), "\r\n\r\n");
    writeProject(dir, spaced);
    CliRun after = run({"scan", project, "--format", "sarif", "--no-progress"});
    const auto old = resultsOf(before.out);
    const auto moved = resultsOf(after.out);
    ASSERT_FALSE(old.empty());
    ASSERT_EQ(old.size(), moved.size());
    int followed = 0;
    for (const auto& [fingerprint, result] : old) {
        ASSERT_TRUE(moved.count(fingerprint)) << result.rule << " " << result.uri;
        if (result.line == 0) continue;
        EXPECT_EQ(moved.at(fingerprint).line, result.uri == "modMain.bas" ? result.line + 2 : result.line);
        followed += result.uri == "modMain.bas";
    }
    EXPECT_GT(followed, 0);
    // The vendored module is named relative to the project folder.
    EXPECT_THAT(before.out, HasSubstr("\"uri\": \"Vendor/modGrid.bas\", \"uriBaseId\": \"PROJECTROOT\""));
}

TEST(CliFindings, ABaselineFailsOnlyOnNewFindingsUntilTheyAreChecked) {
    TempDir dir;
    const std::string project = writeProject(dir, kMain);
    const std::string baseline = dir.path() + "/baseline.psf";
    ASSERT_EQ(run({"scan", project, "--write-baseline", baseline, "--fail-on", "never-called", "--no-progress"}).code,
              kExitReviewFailed);  // GridUnused is never called
    EXPECT_EQ(run({"scan", project, "--baseline", baseline, "--fail-on", "never-called", "--no-progress"}).code, kExitOk);

    writeProject(dir, kMain + "\r\n" + kDead);
    const std::string now = dir.path() + "/now.psf";
    CliRun added = run({"scan", project, "--baseline", baseline, "--fail-on", "never-called", "--format", "sarif",
                        "--save", now, "--no-progress"});
    EXPECT_EQ(added.code, kExitReviewFailed);
    EXPECT_THAT(added.err, HasSubstr("1 new unreviewed row in Never Called"));
    int fresh = 0;
    for (const auto& [fingerprint, result] : resultsOf(added.out)) {
        EXPECT_FALSE(result.state.empty());
        if (result.state == "new") {
            ++fresh;
            EXPECT_EQ(result.rule, "TS6001");
            EXPECT_EQ(result.line, 12);
        }
    }
    EXPECT_EQ(fresh, 1);

    // Checked in the review list (the scan file keeps the mark), the new routine no longer fails.
    ProjectModel model;
    ASSERT_TRUE(openScanFile(now, model).ok);
    for (auto& slot : model.subs)
        for (SubRec& routine : slot)
            if (routine.name == "OldReport") routine.checked = true;
    ASSERT_TRUE(saveScanFile(model, now).ok);
    CliRun checked = run({"open", now, "--baseline", baseline, "--fail-on", "never-called", "--format", "sarif"});
    EXPECT_EQ(checked.code, kExitOk) << checked.err;
    EXPECT_THAT(checked.out, HasSubstr("\"suppressions\": [{\"kind\": \"external\""));
}

TEST(CliFindings, ExcludedFilesAndTheProjectConfigFile) {
    TempDir dir;
    const std::string project = writeProject(dir, kMain);
    // Main (the start-up routine, which nothing calls), Helper (called from it only) and GridUnused.
    EXPECT_THAT(run({"scan", project, "--fail-on", "never-called", "--no-progress"}).err,
                HasSubstr("3 unreviewed rows in Never Called"));
    for (const char* pattern : {"Vendor/", "Vendor/**", "vendor/*.BAS", "modGrid.bas", "**/modGrid.*", "Vendor\\*"}) {
        CliRun excluded = run({"scan", project, "--exclude", pattern, "--fail-on", "never-called", "--format",
                               "codeclimate", "--no-progress"});
        EXPECT_THAT(excluded.err, HasSubstr("2 unreviewed rows in Never Called")) << pattern;
        EXPECT_THAT(excluded.out, Not(HasSubstr("modGrid"))) << pattern;
        EXPECT_THAT(excluded.out, HasSubstr("\"path\": \"modMain.bas\"")) << pattern;
    }
    EXPECT_THAT(run({"scan", project, "--exclude", "Vend", "--format", "codeclimate", "--no-progress"}).out,
                HasSubstr("\"path\": \"Vendor/modGrid.bas\""));

    // The config beside the project: its lists and patterns, with the command line's added.
    dir.write("tallyscan6.json", "{\n  \"failOn\": [\"never-called\"],\n  \"exclude\": [\"Vendor/\"]\n}\n");
    CliRun configured = run({"scan", project, "--no-progress"});
    EXPECT_EQ(configured.code, kExitReviewFailed);
    EXPECT_THAT(configured.err, HasSubstr("2 unreviewed rows in Never Called"));
    EXPECT_EQ(run({"scan", project, "--exclude", "modMain.bas", "--no-progress"}).code, kExitOk);

    dir.write("tallyscan6.json", "{\"failOn\": [\"never-calld\"]}");
    CliRun wrong = run({"scan", project, "--no-progress"});
    EXPECT_EQ(wrong.code, kExitUsage);
    EXPECT_THAT(wrong.err, HasSubstr("tallyscan6.json: unknown list 'never-calld' in failOn"));
    dir.write("tallyscan6.json", "{\"failOn\": [\"never-called\"");
    EXPECT_THAT(run({"scan", project, "--no-progress"}).err, HasSubstr("tallyscan6.json: line 1: "));
}

}  // namespace tally
