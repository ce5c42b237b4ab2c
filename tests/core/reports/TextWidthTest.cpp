#include "core/reports/TextWidth.h"

#include <gtest/gtest.h>

#include "core/reports/ArialWidths.h"
#include "core/reports/ColumnCells.h"

namespace tally {

TEST(ArialWidths, TableHoldsArialsAdvances) {
    // Well-known Arial metrics (2048 units to the em): a regenerated table from another font fails here.
    EXPECT_EQ(kArialAdvances[' '], 569);
    EXPECT_EQ(kArialAdvances['0'], 1139);
    EXPECT_EQ(kArialAdvances['9'], 1139);
    EXPECT_EQ(kArialAdvances['A'], 1366);
    EXPECT_EQ(kArialAdvances['W'], 1933);
    EXPECT_EQ(kArialAdvances['i'], 455);
    EXPECT_EQ(kArialAdvances['m'], 1706);
    EXPECT_EQ(kArialAdvances[0x80], 1139);  // the euro sign, from 0x80 through Windows-1252
    EXPECT_EQ(kArialAdvances[0x85], 2048);  // the ellipsis
    EXPECT_EQ(kArialAdvances[0xE9], 1139);  // e acute as wide as e
    EXPECT_EQ(kArialAdvances['\t'], 1536);  // a control character measures as the missing glyph
}

TEST(TextWidth, MeasuresInTwipsAtThePointSize) {
    TextWidth eight;  // the code view header's 8 points
    EXPECT_DOUBLE_EQ(eight.pointSize(), 8.0);
    EXPECT_DOUBLE_EQ(eight.twips("W"), 1933.0 * 160 / 2048);
    EXPECT_DOUBLE_EQ(eight.twips(""), 0.0);
    EXPECT_DOUBLE_EQ(eight.twips("AW"), eight.twips("A") + eight.twips("W"));
    TextWidth ten(10.0);
    EXPECT_DOUBLE_EQ(ten.twips("mm"), 2 * 1706.0 * 200 / 2048);
    EXPECT_GT(eight.twips("WWW"), eight.twips("iiiiii"));  // proportional, not by character count
    EXPECT_DOUBLE_EQ(eight.twips("\xE9"), eight.twips("e"));  // bytes above 0x7F have their own widths
}

TEST(ColumnCells, PadsEveryValueToTheWidthOfTheLongestAndTwoTabs) {
    TextWidth width;
    ColumnCells cells(width, "ProcessEverything");
    double target = width.twips("ProcessEverything\t\t");
    EXPECT_DOUBLE_EQ(cells.target(), target);
    for (std::string value : {"ProcessEverything", "Go", "WWWWWW", "iiiiiiiiiiii", ""}) {
        int k = cells.blanksFor(value);
        ASSERT_GE(k, 1) << value;
        double padded = width.twips(value + std::string(k, ' '));
        EXPECT_GE(padded, target) << value;
        EXPECT_LT(width.twips(value + std::string(k - 1, ' ')), target) << value;  // the fewest blanks
        EXPECT_EQ(cells.cell(value), value + std::string(k, ' ') + " \\tab ");
    }
    // A value wider than the target still gets one blank.
    EXPECT_EQ(cells.blanksFor("ProcessEverythingAndMoreAndMoreStill"), 1);
}

TEST(ColumnCells, EscapesTheValueButMeasuresItAsShown) {
    TextWidth width;
    ColumnCells cells(width, "LongRoutineName");
    int k = cells.blanksFor("a{b}");
    EXPECT_EQ(cells.cell("a{b}"), "a\\{b\\}" + std::string(k, ' ') + " \\tab ");
    EXPECT_EQ(k, cells.blanksFor("a{b}"));
    EXPECT_LT(width.twips("a{b}" + std::string(k - 1, ' ')), cells.target());
}

TEST(ColumnCells, NoReferenceMeansNoBlanks) {
    TextWidth width;
    ColumnCells cells(width, "");
    EXPECT_EQ(cells.target(), 0);
    EXPECT_EQ(cells.blanksFor("Anything"), 0);
    EXPECT_EQ(cells.cell("C:\\x"), "C:\\\\x \\tab ");
}

}  // namespace tally
