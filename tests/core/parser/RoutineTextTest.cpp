// The routine text read in place of the file against the plain reading of it: each line appended,
// followed by CR LF, whatever mixture of lines that follow on in the file and lines that do not
// (other line ends, joined continuations, trimmed headers, the next file) it is given.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/parser/LineCursor.h"
#include "core/parser/RoutineText.h"

namespace tally::test {

TEST(RoutineText, ReadsAsTheLinesCopiedOneByOne) {
    std::mt19937 random(21);
    const std::vector<std::string> ends = {"\r\n", "\r\n", "\r\n", "\n", "\r", ""};
    for (int round = 0; round < 300; ++round) {
        // One file of lines with mixed ends, and a second file the routine may go on into.
        std::string files[2];
        for (std::string& file : files)
            for (int n = static_cast<int>(random() % 8); n > 0; --n)
                file += std::string(random() % 4, 'a' + static_cast<char>(random() % 3)) +
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
            }
            text.detach();  // the file's bytes go; what was read of the routine stays
            text.setFile({});
            ASSERT_EQ(text.view(), expected) << "round " << round;
        }
        text.clear();
        EXPECT_TRUE(text.empty());
    }
}

}  // namespace tally::test
