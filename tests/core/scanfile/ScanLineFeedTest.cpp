// The line feed must give the very lines a split of the whole text gives, whatever the size of the
// blocks it reads: a CR LF torn between two blocks, a line longer than the block, a byte order mark
// cut in the middle. Files that change while they are read end the lines or fail, never more.

#include "core/scanfile/ScanLineFeed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/support/SourceLines.h"
#include "support/TempDir.h"

namespace tally {

namespace {

std::vector<std::string> linesOf(ScanLineFeed& feed) {
    std::vector<std::string> lines;
    while (std::optional<std::string_view> line = feed.next()) lines.emplace_back(*line);
    return lines;
}

std::vector<std::string> splitWhole(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string> lines;
    for (std::string_view line : splitLines(text)) lines.emplace_back(line);
    return lines;
}

TEST(ScanLineFeed, GivesTheLinesOfAWholeSplitForEveryBlockSize) {
    const std::string longLine(300, 'x');
    const std::vector<std::string> texts = {
        "",
        "one",
        "one\r\ntwo\r\n",
        "one\r\n\r\n\r\ntwo",
        "lf\nonly\n\nend",
        "lone\rcr\r\rend\r",
        "mixed\r\nends\nand\rmore\r\n\n\r",
        "\r",
        "\n",
        "\r\n",
        "\xEF\xBB\xBF\"Project Scan File 2.0\"\r\nnext\r\n",
        "\xEF\xBB",  // a mark cut short is text
        "\"" + longLine + "\"\r\n" + longLine + "\r" + longLine + "\n",
    };
    TempDir dir;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const std::string& text = texts[t];
        const std::vector<std::string> expected = splitWhole(text);
        ScanLineFeed inMemory(text);
        EXPECT_EQ(linesOf(inMemory), expected) << "text " << t << " in memory";
        const std::string path = dir.write("t" + std::to_string(t) + ".psf", text);
        for (std::size_t block : {1, 2, 3, 4, 5, 7, 64, 4096}) {
            RegularFile file(path);
            ASSERT_TRUE(file.check().ok());
            ScanLineFeed feed(file, path, kLargestReadableFile, block);
            EXPECT_EQ(linesOf(feed), expected) << "text " << t << ", blocks of " << block;
            EXPECT_FALSE(feed.failed());
        }
    }
}

#ifndef _WIN32  // a file is not changed under a reader that has it open there
TEST(ScanLineFeed, AFileCutShortWhileReadEndsItsLinesAndOneGrownPastTheLimitFails) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string path = dir.write("cut.psf", text);
    {
        RegularFile file(path);
        ScanLineFeed feed(file, path, kLargestReadableFile, 16);
        ASSERT_EQ(feed.next(), "line 0");
        std::filesystem::resize_file(path, 30);
        std::vector<std::string> rest = linesOf(feed);
        EXPECT_FALSE(feed.failed());
        EXPECT_LT(rest.size(), 10U);
    }
    dir.write("grown.psf", text);
    const std::string grown = dir / "grown.psf";
    RegularFile file(grown, static_cast<std::int64_t>(text.size()));
    ASSERT_TRUE(file.check().ok());
    std::ofstream(grown, std::ios::binary | std::ios::app) << "more\r\n";
    ScanLineFeed feed(file, grown, static_cast<std::int64_t>(text.size()), 64);
    linesOf(feed);
    EXPECT_TRUE(feed.failed());
    EXPECT_EQ(feed.failureText(), "Path/File access error: " + grown + " is larger than 0 MB and is not read");
}
#endif

}  // namespace

}  // namespace tally
