// The routine text read in place of the file against the plain reading of it: each line appended,
// followed by CR LF, whatever mixture of lines that follow on in the file and lines that do not
// (other line ends, joined continuations, trimmed headers, the next file) it is given. The lines
// it notes as declaring locals are those the walk over the finished text finds.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/parser/LineCursor.h"
#include "core/parser/LocalDeclarationLines.h"
#include "core/parser/RoutineText.h"

namespace tally::test {

TEST(RoutineText, ReadsAsTheLinesCopiedOneByOne) {
    std::mt19937 random(21);
    std::size_t declaring = 0;
    const std::vector<std::string> ends = {"\r\n", "\r\n", "\r\n", "\n", "\r", ""};
    // Declaring words, some only nearly so (no blank after them, a blank before, a tab, lower case).
    const std::vector<std::string> words = {"",       "",        "",      "Dim ", "\tStatic ", "  Const ",
                                            "ReDim ", "Public ", "Dim",   "dim ", "Private ",   "Dim\t"};
    for (int round = 0; round < 300; ++round) {
        // One file of lines with mixed ends, and a second file the routine may go on into.
        std::string files[2];
        for (std::string& file : files)
            for (int n = static_cast<int>(random() % 8); n > 0; --n)
                file += words[random() % words.size()] + std::string(random() % 4, 'a' + static_cast<char>(random() % 3)) +
                        (random() % 4 == 0 ? "  " : "") + ends[random() % ends.size()];
        RoutineText text;
        std::string expected;
        std::string joined;  // stands for a continuation joined in a buffer of its own
        bool started = false;
        for (const std::string& file : files) {
            text.setFile(file);
            LineCursor lines(file);
            for (std::string_view line; lines.next(line);) {
                std::string_view given = line;
                if (random() % 5 == 0) {
                    joined = std::string(line) + " _";
                    given = joined;
                } else if (random() % 5 == 0 && !line.empty() && line.back() == ' ') {
                    given = line.substr(0, line.find(' '));  // a header trimmed of its blanks
                }
                if (!started || random() % 10 == 0) {
                    text.start(given);
                    expected.clear();
                    started = true;
                } else {
                    text.append(given);
                }
                expected.append(given).append("\r\n");
                ASSERT_EQ(text.view(), expected) << "round " << round;
                ASSERT_EQ(text.declarationLines(), localDeclarationLines(expected)) << "round " << round;
            }
            text.detach();  // the file's bytes go; what was read of the routine stays
            text.setFile({});
            ASSERT_EQ(text.view(), expected) << "round " << round;
        }
        EXPECT_EQ(text.declarationLines(), localDeclarationLines(expected));
        declaring += text.declarationLines().size();
        text.clear();
        EXPECT_TRUE(text.empty());
        EXPECT_TRUE(text.declarationLines().empty());
    }
    EXPECT_GT(declaring, 100u);  // the rounds did meet declaring lines
}

TEST(RoutineText, DeclaringLinesAreTrimmedAndNeedTheirBlank) {
    const std::string text = "Sub A()\r\n  Dim x\r\nx = 1\r\n\tReDim y(2)  \r\nDim \r\nStatic s\r";
    const std::vector<LineSpan> lines = localDeclarationLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(text.substr(lines[0].start, lines[0].size), "Dim x");
    EXPECT_EQ(text.substr(lines[1].start, lines[1].size), "ReDim y(2)");
    EXPECT_EQ(text.substr(lines[2].start, lines[2].size), "Static s");  // the last line, less its CR
}

}  // namespace tally::test
