#include "core/reports/SpellCheckReport.h"

#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "core/project/TreeSkeleton.h"

namespace tally {

namespace {

SpellRow row(std::string file, std::string routine, std::string label, std::string value, std::string corrected = {}) {
    SpellRow r;
    r.file = std::move(file);
    r.routine = std::move(routine);
    r.label = std::move(label);
    r.value = std::move(value);
    r.corrected = std::move(corrected);
    r.checked = !r.corrected.empty();
    return r;
}

struct SpellCheckReportTest : ::testing::Test {
    SpellCheckReportTest() {
        buildTreeSkeleton(model.tree, false);
        model.tree.setText(kProjectKey, "Hourglass (Hourglass.vbp)");
    }
    ProjectModel model;
    FakeFiles files;
    FakeVersions versions;
    ReportSettings settings = usSettings(files, versions);
};

TEST_F(SpellCheckReportTest, HeadingsOnlyForFilesAndRoutinesWithACorrection) {
    model.spell = {row("frmMain.frm", "cmdGo", "Caption", "&Strat", "&Start"),
                   row(" ", "", "ToolTipText", "Strat the tmier", "Start the timer"),
                   row(" ", "lblHint", "Caption", "Nothing wrong"),
                   row("frmAbout.frm", "lblA", "Caption", "Fine"),
                   row("modMain.bas", "Main", "  ", "Welcom {back}\\now", "Welcome {back}\\now")};
    SpellCheckReport report = buildSpellCheckReport(model, settings);
    ASSERT_TRUE(report.document.has_value());
    EXPECT_EQ(paragraphs(*report.document),
              (Texts{"Project Spell Check Report", "Friday, March 7, 2003 4:05 PM", "Hourglass (Hourglass.vbp)", "",
                     "File: frmMain.frm", "", "\tRoutine: cmdGo", "",
                     "\t\tVariable/Property: Caption", "\t\tOriginal Text:    &Strat", "\t\tCorrected Text: &Start", "",
                     "\t\tVariable/Property: ToolTipText", "\t\tOriginal Text:    Strat the tmier",
                     "\t\tCorrected Text: Start the timer", "",
                     "File: modMain.bas", "", "\tRoutine: Main", "",
                     "\t\tOriginal Text:    Welcom {back}\\now", "\t\tCorrected Text: Welcome {back}\\now", ""}));
}

TEST_F(SpellCheckReportTest, StylesOfTheLines) {
    model.spell = {row("a.frm", "x", "Caption", "Teh", "The")};
    RichDocument d = readRtf(*buildSpellCheckReport(model, settings).document);
    auto formatOf = [&d](std::string_view start) { return runFormat(d, start); };
    EXPECT_EQ(formatOf("File: "), (RichFormat{"Arial", 20, true, false, false, RichColour{0, 0, 127}}));
    EXPECT_EQ(formatOf("Routine: "), (RichFormat{"Arial", 20, true, false, false, RichColour{0, 0, 0}}));
    EXPECT_EQ(formatOf("Original Text:"), (RichFormat{"Arial", 20, false, false, false, RichColour{0, 0, 127}}));
    EXPECT_EQ(formatOf("Corrected Text:"), (RichFormat{"Arial", 20, false, false, false, RichColour{0, 0, 0}}));
}

TEST_F(SpellCheckReportTest, MultiLineCaptionsKeepTheirLineBreaks) {
    model.spell = {row("a.frm", "lbl", "Caption", "Frist line\r\nsecnd", "First line\r\nsecond")};
    std::string rtf = *buildSpellCheckReport(model, settings).document;
    EXPECT_NE(rtf.find("First line\\line second"), std::string::npos);
    EXPECT_EQ(rtf.find('\n', rtf.find("First line")), rtf.find("\r\n", rtf.find("First line")) + 1);
}

TEST_F(SpellCheckReportTest, NothingToReport) {
    SpellCheckReport empty = buildSpellCheckReport(model, settings);
    EXPECT_FALSE(empty.document);
    EXPECT_EQ(empty.message, "Nothing to report.");
    model.spell = {row("a.frm", "x", "Caption", "Teh cat")};
    SpellCheckReport unchanged = buildSpellCheckReport(model, settings);
    EXPECT_FALSE(unchanged.document);
    EXPECT_EQ(unchanged.message, "No changes were made. Nothing to report.");
}

}  // namespace

}  // namespace tally
