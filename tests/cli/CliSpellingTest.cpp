#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kSample = std::string(TALLY_SOURCE_DIR) + "/examples/sample/Hourglass.vbp";

// The environment a spelling run reads, pointed at folders of the test's own.
class CliSpelling : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        ::unsetenv("DICPATH");
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("DICPATH");
    }
    TempDir m_dir;
};

// The lines of the text output after "# Spelling", split at tabs.
std::vector<std::vector<std::string>> rows(const std::string& out) {
    std::vector<std::vector<std::string>> found;
    std::istringstream in(out.substr(out.find("# Spelling\n") + 11));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream cellsIn(line);
        for (std::string cell; std::getline(cellsIn, cell, '\t');) cells.push_back(cell);
        found.push_back(cells);
    }
    return found;
}

// The first suggestion offered for `word`, or "(not found)".
std::string firstSuggestion(const std::vector<std::vector<std::string>>& found, const std::string& word) {
    for (const auto& cells : found)
        if (cells.size() >= 5 && cells[3] == word) return cells[4].substr(0, cells[4].find(','));
    return "(not found)";
}

TEST_F(CliSpelling, TheSampleProjectsMisspellingsAreFoundWithTheRightWordFirst) {
    CliRun spell = run({"scan", kSample, "--no-progress", "--spell"});
    ASSERT_EQ(spell.code, kExitOk) << spell.err;
    auto found = rows(spell.out);
    EXPECT_EQ(firstSuggestion(found, "recieved"), "&received");  // the caption "&Payment recieved"
    EXPECT_EQ(firstSuggestion(found, "Seperate"), "Separate");  // a capital stays a capital
    // Signs and numbers are no misspellings.
    EXPECT_EQ(firstSuggestion(found, "-"), "(not found)");
    for (const auto& cells : found) EXPECT_EQ(cells.size() >= 4 ? cells[0].empty() : true, false);
}

TEST_F(CliSpelling, FailOnSpellingGatesAndAWordListLetsTheWordsThrough) {
    CliRun gate = run({"scan", kSample, "--no-progress", "--fail-on", "spelling"});
    EXPECT_EQ(gate.code, kExitReviewFailed);
    EXPECT_THAT(gate.err, HasSubstr("words not in the dictionary"));
    EXPECT_EQ(gate.out.find("# Spelling"), std::string::npos);  // gating alone prints no list

    CliRun all = run({"scan", kSample, "--no-progress", "--spell"});
    std::string words;
    for (const auto& cells : rows(all.out)) words += cells[3] + "\n";
    const std::string list = m_dir.write("words.txt", "# the sample's own words\n" + words);
    CliRun passed = run({"scan", kSample, "--no-progress", "--fail-on", "spelling", "--words", list});
    EXPECT_EQ(passed.code, kExitOk) << passed.err;
}

TEST_F(CliSpelling, CsvAndJsonCarryTheSameFindings) {
    CliRun csv = run({"scan", kSample, "--no-progress", "--spell", "--format", "csv"});
    ASSERT_EQ(csv.code, kExitOk);
    EXPECT_THAT(csv.out, HasSubstr("File,Control/Routine,Variable/Property,Word,Suggestions\r\n"));
    EXPECT_THAT(csv.out, HasSubstr(",occured,occurred; "));
    CliRun json = run({"scan", kSample, "--no-progress", "--spell", "--format", "json"});
    ASSERT_EQ(json.code, kExitOk);
    EXPECT_THAT(json.out, HasSubstr("\"spelling\": ["));
    EXPECT_THAT(json.out, HasSubstr("\"word\": \"occured\", \"suggestions\": [\"occurred\""));
    // Windows-1252 captions come out as UTF-8.
    EXPECT_THAT(json.out, HasSubstr("\"word\": \"Caf\xC3\xA9\""));
}

TEST_F(CliSpelling, MissingAndBrokenDictionariesAreSaidPlainly) {
    CliRun none = run({"scan", kSample, "--no-progress", "--spell", "--dictionary", "xx_XX"});
    EXPECT_EQ(none.code, kExitUsage);
    EXPECT_THAT(none.err, HasSubstr("The spell checker requires a Hunspell dictionary (for example the "
                                    "hunspell-en-us package)."));
    const std::string broken = m_dir.write("dicts/en_US.dic", std::string("\x7F" "ELF\x02\x01", 6));
    m_dir.write("dicts/en_US.aff", "");
    ::setenv("DICPATH", (m_dir / "dicts").c_str(), 1);
    CliRun bad = run({"scan", kSample, "--no-progress", "--spell"});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_THAT(bad.err, HasSubstr("The dictionary file " + broken +
                                   " is missing or is corrupted. Reinstall it, or choose another dictionary."));
    EXPECT_EQ(run({"scan", kSample, "--dictionary", "en_US"}).code, kExitUsage);  // without --spell
}

TEST_F(CliSpelling, TheSpellingReportOfAnUncorrectedScanIsNotWritten) {
    CliRun report = run({"scan", kSample, "--no-progress", "--report", "spelling", "--out", m_dir / "s.rtf"});
    EXPECT_EQ(report.code, kExitOk) << report.err;
    EXPECT_THAT(report.out, HasSubstr("No changes were made. Nothing to report.\n"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "s.rtf"));
}

}  // namespace

}  // namespace tally
