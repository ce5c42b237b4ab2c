// The Types table counts each type text against its own row, however many texts share a slot of
// the table of recent uses, and whatever definitions come between two uses of one text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/parser/HeaderText.h"
#include "core/text/TextOps.h"

#include "core/parser/TypeNotes.h"

namespace tally {
namespace {

const TypeRec* rowNamed(const ProjectModel& model, std::string_view name) {
    for (const TypeRec& row : model.types)
        if (row.name == name) return &row;
    return nullptr;
}

// A type text names no type when nothing is left of it before a comment, blanks and tabs trimmed
// (a constant always has one); read here as worded, over texts that begin every way.
TEST(TypeNotes, NoTypeIsWhatIsLeftBeforeAComment) {
    std::mt19937 random(5);
    const std::string_view pieces[] = {" ", "\t", "'", "Long", "L", "\"", "x ' y", "\xC1"};
    int none = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 5); n > 0; --n) text += pieces[random() % std::size(pieces)];
        for (bool isConst : {false, true}) {
            const bool plain = !isConst && trimView(beforeApostrophe(text)).empty();
            ASSERT_EQ(TypeNotes::countsAsNoType(text, isConst), plain) << "'" << text << "' " << isConst;
            none += plain;
        }
    }
    EXPECT_GT(none, 500);
}

TEST(TypeNotes, ManyTextsInTurnEachCountOnTheirOwnRow) {
    ProjectModel model;
    TypeNotes notes(model);
    // 300 names, far more than the recent uses hold, so slots are shared; each used five times
    // in turn, with texts that differ from the name only by what is cut off.
    constexpr int kNames = 300;
    for (int round = 0; round < 5; ++round)
        for (int k = 0; k < kNames; ++k) {
            const std::string name = "T" + std::to_string(k);
            const std::string text = round % 2 ? name : "New " + name + " ' a comment";
            EXPECT_FALSE(notes.note(text, false));
        }
    for (int k = 0; k < kNames; ++k) {
        const TypeRec* row = rowNamed(model, "T" + std::to_string(k));
        ASSERT_TRUE(row) << k;
        EXPECT_EQ(row->uses, 5) << k;
        EXPECT_EQ(row->typeKind, kTypeObject) << k;
    }
}

TEST(TypeNotes, ADefinitionBetweenUsesTurnsTheRowAndCountsNoUse) {
    ProjectModel model;
    TypeNotes notes(model);
    notes.note("Point", false);
    notes.note("Point", false);
    notes.note("Private Type Point", false);  // a definition: no use
    notes.note("Point", false);
    notes.note("Point ' again", false);
    EXPECT_TRUE(notes.note("", false));
    EXPECT_FALSE(notes.note("", true));    // an untyped constant counts nowhere
    EXPECT_TRUE(notes.note(" ", false));   // blank is no type
    notes.note("String * 20", false);
    notes.note("String", false);
    const TypeRec* point = rowNamed(model, "Point");
    ASSERT_TRUE(point);
    EXPECT_EQ(point->typeKind, kTypeUdt);
    EXPECT_EQ(point->uses, 4);
    EXPECT_EQ(model.types[0], (TypeRec{"No Type", kTypeUnknown, 2}));
    EXPECT_EQ(rowNamed(model, "String")->uses, 2);
    EXPECT_EQ(rowNamed(model, "String")->typeKind, kTypeVariable);
}

}  // namespace
}  // namespace tally
