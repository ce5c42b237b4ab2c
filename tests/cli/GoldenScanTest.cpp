// End-to-end: scanning the sample project and the messy fixture gives the scan file we reviewed
// and committed under tests/data/golden/. The comparison leaves out what depends on the checkout
// (the folder, file dates, parse times). Set TALLY_UPDATE_GOLDEN=1 to rewrite the golden files
// after a deliberate change, then review the diff.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/engine/ScanProject.h"
#include "core/parser/ParseDriver.h"
#include "core/os/FileFacts.h"
#include "core/project/ProjectReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

const std::string kRoot = TALLY_SOURCE_DIR;

std::string normalisedScan(const std::string& project) {
    ProjectModel model;
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    EXPECT_TRUE(scanProject(model, ScanRequest{project, versions, quiet, cancel}));

    std::string text = replaceAll(scanFileText(model), kRoot, "@ROOT@");
    std::istringstream in(text);
    std::ostringstream out;
    std::string line;
    int number = 0;
    static const std::regex date(R"(^#[0-9:\- ]+#\r?$)");
    while (std::getline(in, line)) {
        ++number;
        if (number == 4 || number == 5) line = "@PARSE-TIME@";  // ParseStart, ParseTime
        else if (std::regex_match(line, date) && line != "#1899-12-30#\r") line = "@FILE-DATE@";
        out << line << '\n';
    }
    return out.str();
}

void expectGolden(const std::string& project, const std::string& goldenName) {
    std::string actual = normalisedScan(project);
    std::string goldenPath = kRoot + "/tests/data/golden/" + goldenName;
    if (std::getenv("TALLY_UPDATE_GOLDEN")) {
        std::ofstream(goldenPath, std::ios::binary) << actual;
        return;
    }
    std::optional<std::string> expected = readFileBytes(goldenPath);
    ASSERT_TRUE(expected) << goldenPath << " is missing; run with TALLY_UPDATE_GOLDEN=1";
    if (actual == *expected) return;
    // Point at the first differing line rather than printing two whole files.
    std::istringstream a(actual), e(*expected);
    std::string la, le;
    int line = 0;
    while (true) {
        ++line;
        bool moreA = static_cast<bool>(std::getline(a, la)), moreE = static_cast<bool>(std::getline(e, le));
        if (!moreA && !moreE) break;
        if (la != le || moreA != moreE) {
            ADD_FAILURE() << goldenName << " differs at line " << line << ":\n  expected: " << le
                          << "\n  actual:   " << la;
            return;
        }
    }
}

}  // namespace

TEST(GoldenScan, SampleProject) { expectGolden(kRoot + "/examples/sample/Hourglass.vbp", "hourglass.psf.txt"); }

TEST(GoldenScan, MessyProject) { expectGolden(kRoot + "/tests/data/messy/app/Messy.vbp", "messy.psf.txt"); }

TEST(GoldenScan, TinyProjects) {
    expectGolden(kRoot + "/tests/data/tiny/clean/Clean.vbp", "tiny-clean.psf.txt");
    expectGolden(kRoot + "/tests/data/tiny/nocls/NoClasses.vbp", "tiny-nocls.psf.txt");
}

}  // namespace tally
