#include "core/spell/SpellSweep.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSpeller.h"

namespace tally {

namespace {

using ::testing::ElementsAre;

TEST(SpellSweep, EveryStopIsListedWithItsPlaceAndTheRowsStayAsTheyWere) {
    std::vector<SpellRow> rows{spellRow("frmMain.frm", "cmdOK", "Caption", "Clik &Heer"),
                               spellRow(" ", "cmdNo", "ToolTipText", "Clik again"),
                               spellRow("modMain.bas", "Main", "\"\"", "Welcom to Hourglas")};
    FakeSpeller speller;
    speller.known = {"again", "to"};
    speller.offers["Clik"] = {"Click", "Clink", "Clip", "Cliff", "Slick", "Flick", "Click's"};
    speller.offers["Heer"] = {"Here", "Hear"};
    speller.offers["Welcom"] = {"Welcome"};
    const std::vector<SpellRow> before = rows;
    SpellSweep sweep = sweepSpelling(rows, speller);
    EXPECT_EQ(rows, before);
    ASSERT_EQ(sweep.findings.size(), 4u);
    EXPECT_FALSE(sweep.dictionaryBroken);
    EXPECT_EQ(sweep.findings[0].word, "Clik");
    EXPECT_EQ(sweep.findings[0].suggestions.size(), kSweepSuggestions);
    EXPECT_EQ(sweep.findings[1].word, "Heer");
    EXPECT_THAT(sweep.findings[1].suggestions, ElementsAre("&Here", "&Hear"));
    EXPECT_EQ(sweep.findings[2].file, "modMain.bas");
    EXPECT_EQ(sweep.findings[2].label, "\"\"");
    EXPECT_EQ(sweep.findings[3].word, "Hourglas");
    EXPECT_TRUE(sweep.findings[3].suggestions.empty());
}

TEST(SpellSweep, ABrokenDictionaryIsReported) {
    std::vector<SpellRow> rows{spellRow("a.frm", "x", "Caption", "Hello world")};
    FakeSpeller speller;
    speller.broken = true;
    SpellSweep sweep = sweepSpelling(rows, speller);
    EXPECT_TRUE(sweep.dictionaryBroken);
    EXPECT_TRUE(sweep.findings.empty());
}

}  // namespace

}  // namespace tally
