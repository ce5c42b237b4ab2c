#include "core/model/CompactText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tally {
namespace {

// Every length around the fifteen bytes kept in place, bytes above 0x7F and NULs included.
std::vector<std::string> sampleTexts() {
    std::vector<std::string> texts;
    for (std::size_t length : {0, 1, 7, 8, 14, 15, 16, 17, 31, 300}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(i % 7 == 3 ? 0 : 0x41 + (i * 37) % 190);
        texts.push_back(text);
    }
    return texts;
}

TEST(CompactText, KeepsEveryTextThroughCopiesMovesAndAssignments) {
    for (const std::string& text : sampleTexts()) {
        SCOPED_TRACE(text.size());
        CompactText held(text);
        EXPECT_EQ(held.view(), text);
        EXPECT_EQ(held.size(), text.size());
        EXPECT_EQ(held.empty(), text.empty());

        CompactText copy(held);
        EXPECT_EQ(copy, held);
        CompactText moved(std::move(copy));
        EXPECT_EQ(moved.view(), text);
        EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from text is empty and usable

        // Over every other length, both ways, so that blocks are let go and taken in every order.
        for (const std::string& other : sampleTexts()) {
            CompactText target(other);
            target = held;
            EXPECT_EQ(target.view(), text);
            target = other;
            EXPECT_EQ(target.view(), other);
            target = std::move(moved);
            EXPECT_EQ(target.view(), text);
            moved = target;
        }
    }
}

TEST(CompactText, AssigningItsOwnTextOrAPartOfItIsSafe) {
    CompactText text(std::string(40, 'x') + "tail");
    const CompactText& same = text;
    text = same;
    EXPECT_EQ(text.view(), std::string(40, 'x') + "tail");
    text = text.view().substr(38);
    EXPECT_EQ(text.view(), "xxtail");
    text = text.view().substr(2);
    EXPECT_EQ(text.view(), "tail");
    text.clear();
    EXPECT_TRUE(text.empty());
}

TEST(CompactText, ComparesAndJoinsLikeAString) {
    const CompactText a("Caption"), b("Text");
    EXPECT_TRUE(a == "Caption");
    EXPECT_TRUE(a == std::string("Caption"));
    EXPECT_FALSE(a == b);
    EXPECT_LT(a, b);
    EXPECT_EQ(std::string("Form1.") + a, "Form1.Caption");
    EXPECT_EQ(b + "Box", "TextBox");
}

}  // namespace
}  // namespace tally
