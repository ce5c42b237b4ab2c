#include "core/reports/TextWidth.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/reports/ArialWidths.h"
#include "core/reports/ColumnCells.h"

namespace tally {

TEST(ArialWidths, TableHoldsArialsAdvances) {
    // Well-known Arial metrics (2048 units to the em): a regenerated table from another font fails here.
    // 'W' and 'm' are measured below.
    EXPECT_EQ(kArialAdvances[' '], 569);
    EXPECT_EQ(kArialAdvances['i'], 455);
    EXPECT_EQ(kArialAdvances[0x80], 1139);  // the euro sign, from 0x80 through Windows-1252
    EXPECT_EQ(kArialAdvances[0x85], 2048);  // the ellipsis
    EXPECT_EQ(kArialAdvances[0xE9], 1139);  // e acute as wide as e
    EXPECT_EQ(kArialAdvances['\t'], 1536);  // a control character measures as the missing glyph
}

TEST(TextWidth, MeasuresInTwipsAtThePointSize) {
    TextWidth ten;  // the reports' 10 points
    EXPECT_DOUBLE_EQ(ten.twips("W"), 1933.0 * 200 / 2048);
    EXPECT_DOUBLE_EQ(ten.twips(""), 0.0);
    EXPECT_DOUBLE_EQ(ten.twips("AW"), ten.twips("A") + ten.twips("W"));
    TextWidth eight(8.0);
    EXPECT_DOUBLE_EQ(eight.twips("mm"), 2 * 1706.0 * 160 / 2048);
    EXPECT_GT(ten.twips("WWW"), ten.twips("iiiiii"));  // proportional, not by character count
    EXPECT_DOUBLE_EQ(ten.twips("\xE9"), ten.twips("e"));  // bytes above 0x7F have their own widths
}

TEST(TextWidth, ATabReachesTheNextStopOfTheReportsGrid) {
    TextWidth width;
    EXPECT_DOUBLE_EQ(width.twips("\t"), 240);
    EXPECT_DOUBLE_EQ(width.twips("W\t"), 240);  // W is 189 twips wide
    EXPECT_DOUBLE_EQ(width.twips("WW\t"), 480);
    EXPECT_DOUBLE_EQ(width.twips("\tW"), 240 + width.twips("W"));
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(0), 240);
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(240), 480);  // a text ending on a stop goes on to the next
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(4500), 4560);
    // Past the last set stop the document's default tabs, every 720 twips from the margin, apply.
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(4560), 5040);
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(5040), 5760);
    EXPECT_DOUBLE_EQ(TextWidth::nextTabStop(5100), 5760);
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
        std::string blanks;
        for (int i = 0; i < k; ++i) blanks += " {}";
        EXPECT_EQ(cells.cell(value), value + blanks + " \\tab ");
    }
    // A value wider than the target still gets one blank.
    EXPECT_EQ(cells.blanksFor("ProcessEverythingAndMoreAndMoreStill"), 1);
}

TEST(ColumnCells, EscapesTheValueButMeasuresItAsShown) {
    TextWidth width;
    ColumnCells cells(width, "LongRoutineName");
    int k = cells.blanksFor("a{b}");
    std::string cell = cells.cell("a{b}");
    EXPECT_EQ(cell.rfind("a\\{b\\} {} {}", 0), 0u);
    EXPECT_EQ(std::count(cell.begin(), cell.end(), '{'), k + 1);
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
