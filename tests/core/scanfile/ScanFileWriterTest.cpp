#include "core/scanfile/ScanFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

#include "core/scanfile/ScanTestSupport.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

namespace fs = std::filesystem;
using testing::fileBytes;
using testing::invoiceModel;
using testing::scanFixturePath;

// The lines of a written scan file, each of which must have ended in CR LF.
std::vector<std::string> writtenLines(const std::string& text) {
    EXPECT_TRUE(endsWith(text, "\r\n"));
    std::vector<std::string> lines = split(text.substr(0, text.size() - 2), "\r\n");
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    return lines;
}

// What a failed save leaves is checked for every writer with the safe writer's faults.
class ScanFileSaveTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_dir / name; }
    TempDir m_dir;
};

}  // namespace

TEST(ScanFileWriter, WritesTheInvoiceAnalysisExactlyAsTheFixture) {
    EXPECT_EQ(scanFileText(invoiceModel()), fileBytes(scanFixturePath("invoice-v2.psf")));
}

TEST(ScanFileWriter, EscapesOnlyParamsAndSpellSubTextsTwoToFour) {
    ProjectModel m;
    m.addFile({"a", "/p/a.bas", 0.0, 1, false});
    m.addRoutine(0, SubRec{.name = "N,\"x\"", .calledBy = "A - a.bas - 1\x01", .params = "S = \",\""});
    m.spell.push_back({"a,\"b\"", "r,\"s\"", "l,\"m\"", "v,\"w\"", "c,\"d\"", "module"});
    const std::vector<std::string> lines = writtenLines(scanFileText(m));
    auto sub = std::find(lines.begin(), lines.end(), "Begin Subs 1");
    ASSERT_NE(sub, lines.end());
    EXPECT_EQ(sub[1], "\"N,\"x\"\"");            // Name: unchanged
    EXPECT_EQ(sub[7], "\"A - a.bas - 1\x01\"");  // CalledBy keeps its separator
    EXPECT_EQ(sub[9], "\"S = \x02\x03\x02\"");   // Params: escaped
    auto spell = std::find(lines.begin(), lines.end(), "Begin Spell 1");
    ASSERT_NE(spell, lines.end());
    EXPECT_EQ(
        std::vector<std::string>(spell + 1, spell + 7),
        (std::vector<std::string>{"\"a,\"b\"\"", "\"r,\"s\"\"", "\"l\x03\x02m\x02\"", "\"v\x03\x02w\x02\"",
                                  "\"c\x03\x02"
                                  "d\x02\"",
                                  "\"module\""}));
}

TEST_F(ScanFileSaveTest, SavingWritesTheTextAndLeavesTheScanStateAlone) {
    ProjectModel m = invoiceModel();
    m.scanFilePath = "/elsewhere/old.psf";
    m.scanChanged = true;
    Outcome result = saveScanFile(m, path("Invoice.psf"));
    ASSERT_TRUE(result.ok) << result.description;
    EXPECT_EQ(fileBytes(path("Invoice.psf")), scanFileText(m));
    EXPECT_EQ(m.scanFilePath, "/elsewhere/old.psf");
    EXPECT_TRUE(m.scanChanged);
}

// A name defined in many files gives each namesake the whole CalledBy list, so the saved file can
// be many times the size of the sources; it is written in blocks as it is made. Lists longer than a
// block, and rows of every length between them, must come out as the text made in one piece.
TEST_F(ScanFileSaveTest, ALargeScanIsSavedInBlocksAsTheTextInOnePiece) {
    ProjectModel m;
    std::string list;
    for (int line = 1; list.size() < (3u << 19); ++line)
        list += "Refresh - frmMain" + std::to_string(line % 300) + ".frm - " + std::to_string(line) + "\x01";
    for (int file = 0; file < 3; ++file) {
        const std::string name = "cBand" + std::to_string(file) + ".cls";
        m.addFile({name, "/p/" + name, 0.0, 1, false});
        for (int routine = 0; routine < 4; ++routine) {
            m.addRoutine(file, SubRec{.name = "Width", .file = name, .calledBy = list.substr(37 * routine)});
            m.addRoutine(file, SubRec{.name = "Tag", .file = name, .calledBy = list.substr(0, 1000 * routine)});
        }
    }
    ASSERT_TRUE(saveScanFile(m, path("Bands.psf")).ok);
    const std::string written = fileBytes(path("Bands.psf"));
    EXPECT_GT(written.size(), 18u << 20);
    EXPECT_TRUE(written == scanFileText(m));  // not EXPECT_EQ: a failure would print megabytes
}

// A scan file that opening would refuse is not saved: the write stops once the text passes the
// limit, and the scan file already there stays whole.
TEST_F(ScanFileSaveTest, AScanTooLargeToOpenAgainIsNotSaved) {
    ProjectModel m = invoiceModel();
    const std::string small = scanFileText(m);
    const auto smallSize = static_cast<std::int64_t>(small.size());
    EXPECT_FALSE(saveScanFile(m, path("Invoice.psf"), false, smallSize - 1).ok);  // one byte too many
    EXPECT_FALSE(fs::exists(path("Invoice.psf")));
    ASSERT_TRUE(saveScanFile(m, path("Invoice.psf"), false, smallSize).ok);  // exactly the largest

    std::string list;
    while (list.size() < (3u << 20)) list += "Refresh - frmMain.frm - " + std::to_string(list.size()) + "\x01";
    m.subs[1].front().calledBy = list;
    Outcome result = saveScanFile(m, path("Invoice.psf"), false, std::int64_t{2} << 20);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, 75);
    EXPECT_EQ(result.detail, path("Invoice.psf") +
                                 " would be larger than 2 MB, too large to be opened again; nothing was written");
    EXPECT_TRUE(fileBytes(path("Invoice.psf")) == small);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);
}

TEST_F(ScanFileSaveTest, SavingIntoAMissingFolderFailsWithAReason) {
    Outcome result = saveScanFile(invoiceModel(), path("gone/Invoice.psf"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, 76);
    EXPECT_FALSE(fs::exists(path("gone")));
}

}  // namespace tally
