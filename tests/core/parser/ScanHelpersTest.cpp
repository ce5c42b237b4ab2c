// The building blocks of the fast call and usage passes, against plain readings of what they promise:
// the SIMD mark and range scans (at block edges too), name numbering and tries, and the reused file
// buffer. Line cutting, the CalledBy log and the trie's search among many children are driven through
// the pass equivalence test on every seed (a fault in any of them fails it).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "ScratchProject.h"
#include "core/parser/ByteSetScan.h"
#include "core/parser/FileBuffer.h"
#include "core/parser/LineLabel.h"
#include "core/parser/NameInterner.h"
#include "core/parser/NameTrie.h"

namespace tally::test {

namespace {

// Texts of every length up to a few blocks, of bytes that the scans care about.
std::vector<std::string> randomTexts(unsigned seed, const std::string& alphabet, int count) {
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    for (int k = 0; k < count; ++k) {
        std::string text(random() % 70, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST(LineLabel, CountsUpThroughEveryCarry) {
    LineLabel label;
    EXPECT_EQ(label.text(), "Line 0");
    for (int n = 1; n <= 10001; ++n) {
        label.next();
        if (n == 1 || n == 9 || n == 10 || n == 99 || n == 100 || n == 999 || n == 1000 || n == 10001) {
            EXPECT_EQ(label.text(), "Line " + std::to_string(n));
        }
    }
}

TEST(ByteScans, MarksBesideARangeAreExactlyThePlainReading) {
    const char leading[] = {' ', '.'};
    const char trailing[] = {'('};
    const ByteRange ranges[] = {{'a', 'c'}, ByteRange{}, ByteRange::all(), {0, 0}, {'(', 'z'}};
    for (const std::string& text : randomTexts(11, "ab z.( \x01\xE9", 600)) {
        for (ByteRange next : ranges) {
            for (ByteRange previous : ranges) {
                std::vector<std::size_t> expected, found;
                for (std::size_t i = 0; i < text.size(); ++i) {
                    const char after = i + 1 < text.size() ? text[i + 1] : '\0';
                    const char before = i > 0 ? text[i - 1] : '\0';
                    if (((text[i] == ' ' || text[i] == '.') && next.contains(after)) ||
                        (text[i] == '(' && previous.contains(before)))
                        expected.push_back(i);
                }
                forEachMarkBesideRange(text, leading, next, trailing, previous,
                                       [&](std::size_t i) { found.push_back(i); });
                ASSERT_EQ(found, expected) << '"' << text << '"';
            }
        }
    }
}

TEST(ByteScans, BytesInARange) {
    for (const std::string& text : randomTexts(5, "aAzZ09 \xE9\xFF", 300)) {
        for (ByteRange range : {ByteRange{'A', 'Z'}, ByteRange{}, ByteRange::all(), ByteRange{0xE9, 0xFF}}) {
            std::vector<std::size_t> expected, found;
            for (std::size_t i = 0; i < text.size(); ++i)
                if (range.contains(text[i])) expected.push_back(i);
            forEachByteInRange(text, range, [&](std::size_t i) { found.push_back(i); });
            ASSERT_EQ(found, expected) << text;
        }
    }
}

TEST(NameInterner, NumbersTextsInOrderOfFirstAppearance) {
    NameInterner names(2);
    EXPECT_EQ(names.intern("b"), 0);
    EXPECT_EQ(names.intern(""), 1);
    EXPECT_EQ(names.intern("b"), 0);
    EXPECT_EQ(names.intern(std::string("a\0b", 3)), 2);
    EXPECT_EQ(names.find(std::string("a\0c", 3)), -1);
    EXPECT_EQ(names.find("B"), -1);
    // Growing well past the room asked for keeps every id.
    for (int k = 0; k < 5000; ++k) names.intern("name" + std::to_string(k));
    EXPECT_EQ(names.size(), 5003);
    EXPECT_EQ(names.find("name4321"), 4324);
    EXPECT_EQ(names.text(4324), "name4321");
    EXPECT_EQ(names.text(2), std::string("a\0b", 3));
}

TEST(NameTrie, FindsEveryNameAtAPlaceShortestFirst) {
    // Many children under one node (past the linear search), bytes above 127, repeats.
    std::vector<std::string> owned = {"Go", "Goal", "G", "Go", "\xE9t\xE9", "Gz"};
    for (char c = 'a'; c <= 'p'; ++c) owned.push_back(std::string("G") + c + "x");
    std::vector<std::string_view> names(owned.begin(), owned.end());
    NameTrie forward(NameTrie::Direction::Forward, names);
    NameTrie backward(NameTrie::Direction::Backward, names);
    EXPECT_EQ(forward.idsOfGivenNames()[3], forward.idsOfGivenNames()[0]);
    EXPECT_EQ(forward.idsOfGivenNames(), backward.idsOfGivenNames());
    EXPECT_EQ(forward.size(), static_cast<int>(owned.size()) - 1);
    EXPECT_EQ(forward.idOf("Goal"), 1);
    EXPECT_EQ(forward.idOf("Goa"), -1);

    auto startingAt = [&](std::string_view text, std::size_t start) {
        std::vector<std::string_view> found;
        forward.forEachStartingAt(text, start, [&](int id, std::size_t length) {
            EXPECT_EQ(forward.name(id), text.substr(start, length));
            found.push_back(forward.name(id));
        });
        return found;
    };
    EXPECT_EQ(startingAt("x Goals", 2), (std::vector<std::string_view>{"G", "Go", "Goal"}));
    EXPECT_EQ(startingAt("Gpx", 0), (std::vector<std::string_view>{"G", "Gpx"}));
    EXPECT_EQ(startingAt("Gq", 0), (std::vector<std::string_view>{"G"}));
    EXPECT_EQ(startingAt("\xE9t\xE9!", 0), (std::vector<std::string_view>{"\xE9t\xE9"}));
    EXPECT_TRUE(startingAt("Goal", 4).empty());

    std::vector<std::string_view> ending;
    backward.forEachEndingAt("aGoal", 5, [&](int id, std::size_t) { ending.push_back(backward.name(id)); });
    EXPECT_EQ(ending, (std::vector<std::string_view>{"Goal"}));
    EXPECT_EQ(forward.firstBytes().lo, 'G');
    EXPECT_EQ(forward.firstBytes().hi, 0xE9);
    EXPECT_EQ(backward.firstBytes().lo, 'G');  // "G" ends with G, the smallest last byte

    // The empty name begins everywhere.
    NameTrie withEmpty(NameTrie::Direction::Forward, {"", "a"});
    EXPECT_TRUE(withEmpty.firstBytes().contains('\0'));
    EXPECT_TRUE(withEmpty.mayBeginWith('%'));
    NameTrie none;
    EXPECT_TRUE(none.firstBytes().empty());
}

TEST(FileBuffer, ReadsEachFileWholeAndNothingOfTheLastOne) {
    ScratchProject p;
    const std::string big = std::string(100000, 'x') + "\r\nend", small("ab\0c", 4);
    FileBuffer buffer;
    ASSERT_TRUE(buffer.read(p.writeFile("big.txt", big)));
    EXPECT_EQ(buffer.bytes(), big);
    ASSERT_TRUE(buffer.read(p.writeFile("small.txt", small)));
    EXPECT_EQ(buffer.bytes(), small);
    ASSERT_TRUE(buffer.read(p.writeFile("empty.txt", "")));
    EXPECT_EQ(buffer.bytes(), "");
    EXPECT_FALSE(buffer.read(p.pathOf("missing.txt")));
    EXPECT_EQ(buffer.bytes(), "");
    EXPECT_FALSE(buffer.read(std::string("bad\0path", 8)));
    EXPECT_FALSE(buffer.read(p.pathOf("")));  // a folder
    EXPECT_FALSE(buffer.read(""));
    // A pipe where a source was is refused at once rather than waited on.
    ASSERT_EQ(::mkfifo(p.pathOf("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(buffer.read(p.pathOf("pipe")));
}

}  // namespace tally::test
