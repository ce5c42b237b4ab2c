// The line tests of the module-variable search must answer as reading the line around the place
// answers, whether the line is short and read in place or long and answered from the index. Random
// texts of short lines, of lines of about kShortLine bytes and of lines many times that long, with
// apostrophes and declaration words here and there, compare the two at every place, in an order
// that asks about short lines both before and after the index is built.

#include "core/parser/LinePrefixes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tally {
namespace {

constexpr std::size_t npos = std::string_view::npos;

std::size_t plainLineStart(std::string_view text, std::size_t pos) {
    const std::size_t lf = pos == 0 ? npos : text.rfind('\n', pos - 1);
    return lf == npos ? 0 : lf + 1;
}

bool plainHasApostrophe(std::string_view text, std::size_t pos) {
    const std::size_t start = plainLineStart(text, pos);
    return text.substr(start, pos - start + 1).find('\'') != npos;
}

bool plainHasDeclarationWord(std::string_view text, std::size_t pos) {
    const std::size_t start = plainLineStart(text, pos);
    const std::size_t lf = text.find('\n', start);
    const std::string_view line = text.substr(start, lf == npos ? npos : lf + 1 - start);
    std::size_t firstEnd = npos;
    for (std::string_view word : {"Function ", "Sub ", "Dim ", "Private ", "Public ", "Static ", "Const "}) {
        const std::size_t at = line.find(word);
        if (at != npos) firstEnd = std::min(firstEnd, start + at + word.size() - 1);
    }
    return firstEnd != npos && firstEnd <= pos;
}

// A line of about `length` bytes of names, blanks, an apostrophe now and then and a declaration
// word now and then, ended by CR LF, LF or (last line only) nothing.
std::string randomLine(std::mt19937& random, std::size_t length) {
    static const char* const pieces[] = {"mA", " ", "(", ")", ",", "x = ", "'", "Dim ", "Sub ", "Static",
                                         "Public ", "Const ", "\"it's\"", "Function ", "Private", "\r"};
    std::string line;
    std::uniform_int_distribution<int> pick(0, 15), rare(0, 40);
    while (line.size() < length) {
        const int k = pick(random);
        // Apostrophes and declaration words rare enough that long stretches lack them.
        if ((k == 6 || k == 7 || k == 8 || k == 10 || k == 11 || k == 13) && rare(random) != 0) continue;
        line += pieces[k];
    }
    return line;
}

}  // namespace

TEST(LinePrefixes, AnswersAsReadingTheLineAroundThePlace) {
    std::mt19937 random(20261210);
    const std::size_t longLine = LinePrefixes::kShortLine;
    const std::vector<std::vector<std::size_t>> shapes = {
        {10, 40, 0, 3},                                  // short lines only, empty ones among them
        {longLine - 1, longLine, longLine + 1, 5},       // about the bound
        {30, 5 * longLine, 20, 3 * longLine, 7},         // long lines between short ones
        {9 * longLine},                                  // one line, no end
    };
    for (const auto& lengths : shapes) {
        for (int trial = 0; trial < 4; ++trial) {
            std::string text;
            for (std::size_t length : lengths) {
                text += randomLine(random, length);
                text += trial % 2 ? "\r\n" : "\n";
            }
            if (trial == 3) text.pop_back();  // no line end after the last line
            LinePrefixes prefixes;
            prefixes.reset(text);
            // Places of the first line first, then the places around every line end and random ones
            // from the end backwards, then the first line's again. (The plain reading walks the
            // line for every place, so long lines are sampled rather than read at every place.)
            std::vector<std::size_t> order;
            for (std::size_t pos = 0; pos < std::min<std::size_t>(text.size(), 64); ++pos) order.push_back(pos);
            std::vector<std::size_t> later;
            std::uniform_int_distribution<std::size_t> anywhere(0, text.size() - 1);
            for (int k = 0; k < 1500; ++k) later.push_back(anywhere(random));
            for (std::size_t pos = 0; pos < text.size(); ++pos)
                if (text[pos] == '\n')
                    for (std::size_t near = pos > 2 ? pos - 2 : 0; near < std::min(text.size(), pos + 3); ++near)
                        later.push_back(near);
            std::sort(later.rbegin(), later.rend());
            order.insert(order.end(), later.begin(), later.end());
            for (std::size_t pos = 0; pos < std::min<std::size_t>(text.size(), 64); ++pos) order.push_back(pos);
            for (std::size_t pos : order) {
                ASSERT_EQ(prefixes.hasApostrophe(pos), plainHasApostrophe(text, pos)) << "place " << pos;
                ASSERT_EQ(prefixes.hasDeclarationWord(pos), plainHasDeclarationWord(text, pos)) << "place " << pos;
            }
            const bool anyLongLine = std::any_of(lengths.begin(), lengths.end(),
                                                 [&](std::size_t length) { return length >= longLine; });
            EXPECT_EQ(prefixes.indexed(), anyLongLine);
        }
    }
}

TEST(LinePrefixes, ANewTextForgetsTheIndexOfTheLast) {
    const std::string longText = "' " + std::string(3 * LinePrefixes::kShortLine, 'a') + "\nDim x\n";
    LinePrefixes prefixes;
    prefixes.reset(longText);
    EXPECT_TRUE(prefixes.hasApostrophe(2 * LinePrefixes::kShortLine));
    EXPECT_TRUE(prefixes.indexed());
    const std::string shortText = "x = 1\nDim y ' z\n";
    prefixes.reset(shortText);
    EXPECT_FALSE(prefixes.indexed());
    EXPECT_FALSE(prefixes.hasApostrophe(3));
    EXPECT_FALSE(prefixes.hasDeclarationWord(7));
    EXPECT_TRUE(prefixes.hasDeclarationWord(9));
    EXPECT_TRUE(prefixes.hasApostrophe(13));
}

}  // namespace tally
