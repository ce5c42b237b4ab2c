#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchProject.h"
#include "core/parser/CompanionText.h"
#include "core/parser/LineCounts.h"
#include "core/parser/LiteralTexts.h"
#include "core/parser/LogicalLines.h"
#include "core/support/SourceLines.h"
#include "core/parser/StatisticsTexts.h"

namespace tally::test {
namespace {

std::vector<std::string> logicalLines(std::string_view text) {
    LogicalLineJoiner joiner;
    std::vector<std::string> out;
    for (std::string_view raw : splitLines(text)) {
        std::string_view logical;
        if (joiner.feed(raw, logical)) out.emplace_back(logical);
    }
    return out;
}

TEST(LogicalLines, ContinuationsAndLineEnds) {
    EXPECT_EQ(logicalLines("x = 1 + _\r\n    2\r\n"), (std::vector<std::string>{" x = 1 + 2"}));
    EXPECT_EQ(logicalLines("a _\r\n\tb _\r\nc\r\nd"), (std::vector<std::string>{" a b c", "d"}));
    // Not continued: the mark is followed by blanks, or the line needs no joining.
    EXPECT_EQ(logicalLines("x = 1 _  \r\n  y"), (std::vector<std::string>{"x = 1 _  ", "  y"}));
    // Lone line feeds and carriage returns end lines; a continuation pending at the end yields nothing.
    EXPECT_EQ(logicalLines("a _\nb\rc\r\nd\n"), (std::vector<std::string>{" a b", "c", "d"}));
    EXPECT_EQ(logicalLines("a\r\nb _"), (std::vector<std::string>{"a"}));
    LogicalLineJoiner joiner;
    std::string_view out;
    EXPECT_FALSE(joiner.feed("x _", out));
    joiner.reset();
    ASSERT_TRUE(joiner.feed("y", out));
    EXPECT_EQ(out, "y");
}

TEST(LineCounts, ClassificationAndCounting) {
    LineCounts c;
    EXPECT_TRUE(countLogicalLine("  s = \"it's\"", true, c));  // one code line and one comment line
    EXPECT_EQ(c.code, 1);
    EXPECT_EQ(c.comment, 1);
    EXPECT_FALSE(countLogicalLine("'", true, c));
    EXPECT_FALSE(countLogicalLine(" \t ", true, c));  // tabs trim like blanks
    EXPECT_EQ(c.comment, 2);
    EXPECT_EQ(c.blank, 1);

    // Outside a routine body only comments count, trailing ones included.
    LineCounts outside;
    EXPECT_FALSE(countLogicalLine("Dim x ' note", false, outside));
    EXPECT_FALSE(countLogicalLine("", false, outside));
    EXPECT_FALSE(countLogicalLine("Dim y", false, outside));
    EXPECT_EQ(outside.code, 0);
    EXPECT_EQ(outside.blank, 0);
    EXPECT_EQ(outside.comment, 1);
    EXPECT_EQ(classifyLine("\t' x"), LineClass::Comment);
}

TEST(LiteralTexts, QuotedTextsCollectEveryLiteral) {
    EXPECT_EQ(quotedTexts("s = \"\""), "");
    EXPECT_EQ(quotedTexts("s = \"say \"\"hi\"\"\""), " say  hi");
    EXPECT_EQ(quotedTexts("s = \"open"), "");  // no closing quote
    EXPECT_EQ(quotedTexts("s = \"a\" & \"b"), " a");
}

TEST(CompanionText, MissingEmptyOrHugeFilesGiveNoText) {
    ScratchProject project;
    EXPECT_EQ(readCompanionText(project.pathOf("none.frx")), "");
    EXPECT_EQ(readCompanionText(project.writeFile("empty.frx", "")), "");
    EXPECT_EQ(readCompanionText(project.writeFile("ok.frx", "ltxxOne\x01Two")), "xxOne Two");
    std::string huge(static_cast<std::size_t>(kCompanionTextLimit) + 1, 'a');
    EXPECT_EQ(readCompanionText(project.writeFile("huge.frx", huge)), "");
}

TEST(StatisticsTexts, SizesAndPercentages) {
    NumberLocale comma;
    EXPECT_EQ(fileSizeText(0, comma), "Size  - 0KB");
    EXPECT_EQ(fileSizeText(1, comma), "Size  - 1KB");
    EXPECT_EQ(fileSizeText(1536, comma), "Size  - 2KB");
    EXPECT_EQ(fileSizeText(2560, comma), "Size  - 2KB");
    EXPECT_EQ(fileSizeText(1048576, comma), "Size  - 1,024KB");
    EXPECT_EQ(fileCodeLinesText(1234567, comma), "Code Lines - 1,234,567");
    EXPECT_EQ(fileCommentLinesText(1, 8, comma), "Comments  - 1/12.50%");
    EXPECT_EQ(fileBlankLinesText(2000, 1000, NumberLocale{'.', ','}), "Blank Lines  - 2000/200,00%");
}

}  // namespace
}  // namespace tally::test
