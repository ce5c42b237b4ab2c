#include "core/scanfile/ScanFileReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/scanfile/ScanFileWriter.h"
#include "core/scanfile/ScanTestSupport.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

namespace fs = std::filesystem;
using testing::expectSameModel;
using testing::fileBytes;
using testing::invoiceModel;
using testing::isEmptyModel;
using testing::scanFixturePath;

const std::string kV2 = "invoice-v2.psf";

std::vector<std::string> fixtureLines() {
    std::string text = fileBytes(scanFixturePath(kV2));
    return split(text.substr(0, text.size() - 2), "\r\n");
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The fixture with its line `number` (from 1) replaced.
std::string withLine(int number, const std::string& replacement) {
    std::vector<std::string> lines = fixtureLines();
    lines.at(number - 1) = replacement;
    return joined(lines);
}

std::string withoutLine(int number) {
    std::vector<std::string> lines = fixtureLines();
    lines.erase(lines.begin() + (number - 1));
    return joined(lines);
}

// The fixture cut after line `number`.
std::string cutAfter(int number) {
    std::vector<std::string> lines = fixtureLines();
    lines.resize(number);
    return joined(lines);
}

ProjectModel withChecksCleared(ProjectModel m) {
    for (auto& slot : m.subs)
        for (SubRec& sub : slot) sub.checked = false;
    for (auto* table : {&m.decVar, &m.unVar, &m.pubVar})
        for (VarRec& var : *table) var.checked = false;
    return m;
}

}  // namespace

TEST(ScanFileReader, ReadsTheVersion2FixtureIntoTheModelItDescribes) {
    ProjectModel m;
    Outcome result = openScanFile(scanFixturePath(kV2), m);
    ASSERT_TRUE(result.ok) << result.message;
    ProjectModel expected = invoiceModel();
    expected.scanFilePath = scanFixturePath(kV2);
    expectSameModel(m, expected);
    EXPECT_FALSE(m.scanChanged);
}

TEST(ScanFileReader, Version1FileOpensWithEveryCheckMarkCleared) {
    ProjectModel m = invoiceModel();  // a model with check marks set is replaced
    Outcome result = openScanFile(scanFixturePath("invoice-v1.psf"), m);
    ASSERT_TRUE(result.ok) << result.message;
    ProjectModel expected = withChecksCleared(invoiceModel());
    expected.scanFilePath = scanFixturePath("invoice-v1.psf");
    expectSameModel(m, expected);
    // Saving it again gives a version 2.0 file.
    EXPECT_TRUE(startsWith(scanFileText(m), "Version 2.0\r\n"));
}

TEST(ScanFileReader, DataTheFileDoesNotHoldReadsBackEmpty) {
    ProjectModel original = invoiceModel();
    original.decVar[0].ownerKind = kKindFunction;
    original.decVar[0].countedAsNoType = true;
    original.spell[0].checked = true;
    original.marks.push_back({"Unused", 255});
    original.caption = "  \t ";
    ProjectModel m;
    ASSERT_TRUE(readScanText(scanFileText(original), "x.psf", m));
    EXPECT_EQ(m.decVar[0].ownerKind, 0);
    EXPECT_FALSE(m.decVar[0].countedAsNoType);
    EXPECT_FALSE(m.spell[0].checked);
    EXPECT_TRUE(m.marks.empty());
    EXPECT_EQ(m.caption, kApplicationTitle);
}

// The fixture holds a path with "/".
TEST(ScanFileReader, ProjectDirectoryKeepsAWindowsPathsBackslash) {
    ProjectModel original;
    original.projectPath = "C:\\Dev\\Invoice\\Invoice.vbp";
    ProjectModel m;
    ASSERT_TRUE(readScanText(scanFileText(original), "x.psf", m));
    EXPECT_EQ(m.projectDir, "C:\\Dev\\Invoice\\");
}

// Namesakes saved with a caller list each share one list again once read; a different list does not.
TEST(ScanFileReader, IdenticalCallerListsAreSharedOnceRead) {
    ProjectModel original = invoiceModel();
    SubRec twin = original.subs[0][1];
    twin.file = "frmMain.frm";
    original.subs[0].push_back(twin);
    original.subs[0][0].calledBy = "Other - a.bas - 1\x01";
    ProjectModel m;
    ASSERT_TRUE(readScanText(scanFileText(original), "x.psf", m));
    ASSERT_EQ(m.subs[0].size(), 3u);
    EXPECT_TRUE(m.subs[0][1].calledBy.sharesWith(m.subs[0][2].calledBy));
    EXPECT_FALSE(m.subs[0][0].calledBy.sharesWith(m.subs[0][1].calledBy));
    EXPECT_EQ(m.subs, original.subs);
}

// More than 200 files and more than 32,767 rows: neither limit applies to the model or the file.
TEST(ScanFileReader, LargeProjectsKeepEveryFileAndRow) {
    ProjectModel original;
    for (int i = 1; i <= 250; ++i) {
        std::string name = "File" + toDecimal(i);
        int row = original.addFile({name, "/p/" + name + ".cls", 0.0, i, false});
        original.addRoutine(row,
                            SubRec{.name = "Sub" + toDecimal(i), .kind = kKindSub, .file = name + ".cls"});
    }
    original.controls.assign(40000, ControlRec{"txt", kControlDesigner});
    ProjectModel m;
    ASSERT_TRUE(readScanText(scanFileText(original), "big.psf", m));
    ASSERT_EQ(m.fileCount(), 251);
    EXPECT_EQ(m.subs[250], original.subs[250]);
    EXPECT_EQ(m.controls.size(), 40000u);
}

TEST(ScanFileReader, TolerantFormsAreAccepted) {
    std::vector<std::string> lines = fixtureLines();
    lines[4] = "0.0000115740740740741";    // ParseTime with a leading zero
    lines.insert(lines.begin() + 16, "");  // a blank line after "End Types"
    lines.push_back("");                   // lines after "End Spell" are ignored
    lines.push_back("whatever follows");
    ProjectModel m;
    Outcome result = readScanText(joined(lines), "x.psf", m);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(m.parseTime, 0.0000115740740740741);

    std::string lfOnly = replaceAll(fileBytes(scanFixturePath(kV2)), "\r\n", "\n");
    ASSERT_TRUE(readScanText(lfOnly, "x.psf", m));
    EXPECT_EQ(m.fileCount(), 3);
}

TEST(ScanFileReader, StrayLinesAndSectionsInAnotherOrderDoNotRejectTheFile) {
    std::vector<std::string> lines = fixtureLines();
    ProjectModel expected;
    ASSERT_TRUE(readScanText(joined(lines), "x.psf", expected));
    // Lines 75-118 are Subs, 55-74 Files, 6-16 Types; the rest stays in place.
    auto range = [&](int first, int last) {
        return std::vector<std::string>(lines.begin() + (first - 1), lines.begin() + last);
    };
    std::vector<std::string> reordered = range(1, 5);
    reordered.push_back("a stray line an editor left");
    for (auto part : {range(75, 118), range(17, 54), range(55, 74), range(6, 16), range(119, 178)}) {
        reordered.insert(reordered.end(), part.begin(), part.end());
        reordered.push_back("End Types");  // an end line of its own is passed over too
    }
    ProjectModel m;
    Outcome result = readScanText(joined(reordered), "x.psf", m);
    ASSERT_TRUE(result.ok) << result.message;
    expectSameModel(m, expected);

    // A Subs section before the Files section whose routine counts do not add up is still refused.
    reordered = range(1, 5);
    for (auto part : {range(75, 117), range(118, 118), range(6, 74), range(119, 178)})
        reordered.insert(reordered.end(), part.begin(), part.end());
    reordered.erase(reordered.begin() + 5 + 14, reordered.begin() + 5 + 28);  // one routine less
    EXPECT_FALSE(readScanText(joined(reordered), "x.psf", m).ok);
}

struct Malformed {
    const char* what;
    std::string text;
    std::string failure;  // "<number> - <description>"
};

TEST(ScanFileReader, MalformedFilesGiveTheFailureMessageAndAnEmptyModel) {
    const Malformed cases[] = {
        {"unknown version", withLine(1, "Version 3.0"),
         "321 - Invalid file format: line 1 should be \"Version 1.0\" or \"Version 2.0\""},
        {"empty file", "", "62 - Input past end of file: line 1 is missing"},
        {"ParseStart not a number", withLine(4, "yesterday"),
         "13 - Type mismatch: line 4 should be a number (ParseStart)"},
        {"size not a number", withLine(65, "2k"),
         "13 - Type mismatch: line 65 should be a number in section Files"},
        {"size too large", withLine(65, "99999999999"),
         "6 - Overflow: line 65 holds a number too large for 32 bits in section Files"},
        {"bad boolean", withLine(66, "#YES#"),
         "13 - Type mismatch: line 66 should be #TRUE# or #FALSE# in section Files"},
        {"impossible date", withLine(64, "#2026-02-30 14:05:09#"),
         "13 - Type mismatch: line 64 should be a date in section Files"},
        {"unquoted text", withLine(76, "Main"),
         "13 - Type mismatch: line 76 should be a quoted text in section Subs"},
        {"truncated file", cutAfter(100), "62 - Input past end of file: line 101 is missing in section Subs"},
        {"missing End line", withoutLine(16),
         "321 - Invalid file format: line 16 should be \"End Types\": the section holds more than its count "
         "of 3 records, or a record has too many lines in section Types"},
        {"count too high", withLine(119, "Begin Controls 3"),
         "321 - Invalid file format: line 124 (\"End Controls\") stands inside record 3 of 3, so the count "
         "or a record is wrong in section Controls"},
        {"count not a number", withLine(55, "Begin Files three"),
         "13 - Type mismatch: line 55 should give the count of section Files as a number"},
        {"negative count", withLine(119, "Begin Controls -1"),
         "321 - Invalid file format: line 119 gives a negative count"},
        {"section missing", withLine(17, "Begin Projects 6"),
         "62 - Input past end of file: line 179 is missing (Begin Project)"},
        {"section twice", withLine(141, "Begin DecVar 1"),
         "321 - Invalid file format: line 141 opens section DecVar a second time"},
        {"Subs count wrong", withLine(75, "Begin Subs 3"),
         "321 - Invalid file format: line 75 counts 3 routines, but the largest routine count of a file is 2 "
         "in section Subs"},
        {"negative routine count", withLine(73, "-1"),
         "321 - Invalid file format: line 73 gives a negative routine count in section Files"},
        {"unknown parent node", withLine(30, "\"classes\""),
         "35601 - Element not found: line 30 names the parent \"classes\", which is not an earlier node in "
         "section Project"},
        {"repeated node key", withLine(25, "\"project\""),
         "35602 - Key is not unique in collection: line 25 repeats the node key \"project\" in section "
         "Project"},
        {"icon key not quoted", withLine(165, "form"),
         "13 - Type mismatch: line 165 should be a quoted text or an empty line in section Spell"},
    };
    for (const Malformed& c : cases) {
        ProjectModel m = invoiceModel();
        m.scanFilePath = "/scans/previous.psf";
        Outcome result = readScanText(c.text, "/scans/bad.psf", m);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.message,
                  "There was a problem reading the Project Scan File. The following error occured.\r\n\r\n" +
                      c.failure)
            << c.what;
        EXPECT_EQ(toDecimal(result.errorNumber) + " - " + result.description, c.failure) << c.what;
        EXPECT_TRUE(isEmptyModel(m)) << c.what;
    }
}

TEST(ScanFileReader, MissingOrUnreadableFilesFailCleanly) {
    ProjectModel m = invoiceModel();
    Outcome missing = openScanFile("/no/such/folder/x.psf", m);
    EXPECT_EQ(missing.errorNumber, 53);
    EXPECT_EQ(missing.description, "File not found: /no/such/folder/x.psf");
    EXPECT_TRUE(isEmptyModel(m));

    m = invoiceModel();
    std::string folder = TALLY_SOURCE_DIR "/tests/data/scanfiles";
    Outcome notAFile = openScanFile(folder, m);
    EXPECT_EQ(notAFile.errorNumber, 75);
    EXPECT_EQ(notAFile.description, "Path/File access error: " + folder + " is a directory");
    EXPECT_TRUE(isEmptyModel(m));

    EXPECT_EQ(openScanFile("", m).errorNumber, 53);
}

}  // namespace tally
