#include "core/parser/ParseDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchProject.h"

namespace tally::test {
namespace {

using ::testing::ElementsAre;

// Collects what the parse dialog would show, and can press Cancel when a step begins.
class DialogLog final : public ParseProgress {
public:
    explicit DialogLog(CancelFlag& cancel) : m_cancel(cancel) {}
    void setFileLabel(std::string_view text) override {
        steps.emplace_back(text);
        if (!cancelAt.empty() && text.substr(0, cancelAt.size()) == cancelAt) m_cancel = true;
    }
    void setLineLabel(std::string_view text) override { lastLine = std::string(text); }
    void setRange(long long, long long) override {}
    void setValue(long long) override {}
    void hide() override { ++hides; }

    std::vector<std::string> steps;
    std::string lastLine;
    std::string cancelAt;
    int hides = 0;

private:
    CancelFlag& m_cancel;
};

const char* kModule =
    "Attribute VB_Name = \"modA\"\r\n"
    "Public Sub Main()\r\n"
    "    Helper 1\r\n"
    "End Sub\r\n"
    "Private Sub Helper(ByVal n As Long)\r\n"
    "    Dim unused As Long\r\n"
    "End Sub\r\n";

struct DriverRun {
    ScratchProject project;
    CancelFlag cancel{false};
    DialogLog dialog{cancel};
    ParseOutcome outcome;

    void run() {
        project.addFile("modA.bas", kModule);
        project.model.reset();
        ParseContext context{project.model, dialog, cancel, project.versions, {}};
        outcome = runParse(context);
    }
};

TEST(ParseDriver, RunsTheThreePassesInOrderAndTimesThem) {
    DriverRun d;
    d.run();
    EXPECT_FALSE(d.outcome.cancelled);
    EXPECT_THAT(d.dialog.steps,
                ElementsAre("Part 1of 3. Parsing modA.bas", "Part 2 of 3. Parsing modA.bas", "Part 3 of 3"));
    EXPECT_EQ(d.dialog.lastLine, "Please wait...");
    EXPECT_EQ(d.dialog.hides, 0);
    EXPECT_GT(d.project.model.parseStart, 40000.0);  // an OLE date in this century
    EXPECT_GE(d.project.model.parseTime, 0.0);
    EXPECT_LT(d.project.model.parseTime, 1.0);  // days
    const SubRec* helper = d.project.findRoutine("Helper");
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->timesCalled, 1);  // pass 2
    // Pass 3: an unused local, and its only caller Main is never called itself.
    EXPECT_EQ(helper->problems, kProblemUnusedVariable + kProblemCalledByDeadOnly);
}

TEST(ParseDriver, CancelInPassOneLeavesPassTwoWithNothingButRunsPassThree) {
    DriverRun d;
    d.dialog.cancelAt = "Part 1of 3";
    d.run();
    EXPECT_TRUE(d.outcome.cancelled);
    EXPECT_EQ(d.dialog.hides, 2);  // after pass 1 and after pass 2
    // Pass 2 still names its first file, then stops before that file's first line.
    EXPECT_THAT(d.dialog.steps,
                ElementsAre("Part 1of 3. Parsing modA.bas", "Part 2 of 3. Parsing modA.bas", "Part 3 of 3"));
    EXPECT_EQ(d.project.findRoutine("Helper"), nullptr);  // nothing was recorded
}

TEST(ParseDriver, CancelInPassTwoKeepsPassOnesRowsAndStillMarksProblems) {
    DriverRun d;
    d.dialog.cancelAt = "Part 2 of 3";
    d.run();
    EXPECT_TRUE(d.outcome.cancelled);
    const SubRec* helper = d.project.findRoutine("Helper");
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->timesCalled, 0);                    // pass 2 stopped before the call line
    EXPECT_EQ(helper->problems, kProblemUnusedVariable);  // pass 3 ran over what was gathered
}

TEST(ParseDriver, PassTwoReusesPassOnesTextsButSkipsAFileRemovedMeanwhile) {
    ScratchProject p;
    p.addFile("modA.bas", kModule);
    p.addFile("modB.bas", "Public Sub Other()\r\n    Main\r\nEnd Sub\r\n");
    CancelFlag cancel{false};
    DialogLog dialog{cancel};
    p.model.reset();
    // Pass 1 has read both files when pass 2 starts on modA.bas; modB.bas goes away then.
    struct Remover final : ParseProgress {
        DialogLog& inner;
        std::string victim;
        explicit Remover(DialogLog& log, std::string path) : inner(log), victim(std::move(path)) {}
        void setFileLabel(std::string_view text) override {
            inner.setFileLabel(text);
            if (text == "Part 2 of 3. Parsing modA.bas") std::filesystem::remove(victim);
        }
        void setLineLabel(std::string_view text) override { inner.setLineLabel(text); }
        void setRange(long long, long long) override {}
        void setValue(long long) override {}
    } remover(dialog, p.pathOf("modB.bas"));
    ParseContext removing{p.model, remover, cancel, p.versions, {}};
    runParse(removing);
    EXPECT_THAT(dialog.steps, ElementsAre("Part 1of 3. Parsing modA.bas", "Part 1of 3. Parsing modB.bas",
                                          "Part 2 of 3. Parsing modA.bas", "Part 3 of 3"));
    const SubRec* main = p.findRoutine("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->timesCalled, 0);  // its only caller was in the removed file
    EXPECT_EQ(p.findRoutine("Helper")->timesCalled, 1);
}

TEST(ParseDriver, AProjectWithoutFilesParsesToNothing) {
    ProjectModel model;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    NoFileVersions versions;
    ParseContext context{model, quiet, cancel, versions, {}};
    EXPECT_FALSE(runParse(context).cancelled);
    EXPECT_EQ(model.largestSlotCount(), 0);
}

}  // namespace
}  // namespace tally::test

namespace tally::test {

TEST(SourceTextCache, KeepsTextsWithinItsBudgetAndHandsEachOverOnce) {
    SourceTextCache cache(10);
    cache.keep("/p/a.bas", "123456");
    cache.keep("/p/b.bas", "123456");  // would exceed the budget: read again by the call pass
    EXPECT_EQ(cache.take("/p/a.bas"), std::optional<std::string>("123456"));
    EXPECT_EQ(cache.take("/p/a.bas"), std::nullopt);
    EXPECT_EQ(cache.take("/p/b.bas"), std::nullopt);
}

}  // namespace tally::test
