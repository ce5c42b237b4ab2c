#include "core/parser/ParseDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchProject.h"

namespace tally::test {
namespace {

using Steps = std::vector<std::string>;

const char* kModule =
    "Attribute VB_Name = \"modA\"\r\n"
    "Public Sub Main()\r\n"
    "    Helper 1\r\n"
    "End Sub\r\n"
    "Private Sub Helper(ByVal n As Long)\r\n"
    "    Dim unused As Long\r\n"
    "End Sub\r\n";

// What the parse dialog showed as its steps, and when it was hidden.
Steps steps(const ScratchProject& p) {
    Steps out;
    for (const std::string& event : p.progress.events)
        if (event.starts_with("file ") || event == "hide") out.push_back(event);
    return out;
}

// Presses Cancel as soon as a step beginning with `step` is shown.
void cancelAt(ScratchProject& p, const std::string& step) {
    p.progress.hook = [&p, step](const std::string& event) {
        if (event.starts_with("file " + step)) p.cancel = true;
    };
}

TEST(ParseDriver, RunsTheThreePassesInOrderAndTimesThem) {
    ScratchProject p;
    p.addFile("modA.bas", kModule);
    EXPECT_TRUE(p.runAllPasses());
    EXPECT_EQ(steps(p), (Steps{"file Part 1of 3. Parsing modA.bas", "file Part 2 of 3. Parsing modA.bas",
                               "file Part 3 of 3"}));
    EXPECT_GT(p.model.parseStart, 40000.0);  // an OLE date in this century
    EXPECT_GE(p.model.parseTime, 0.0);
    EXPECT_LT(p.model.parseTime, 1.0);  // days
    const SubRec* helper = p.findRoutine("Helper");
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->timesCalled, 1);  // pass 2
    // Pass 3: an unused local, and its only caller Main is never called itself.
    EXPECT_EQ(helper->problems, kProblemUnusedVariable + kProblemCalledByDeadOnly);
}

TEST(ParseDriver, CancelInPassOneLeavesPassTwoWithNothingButRunsPassThree) {
    ScratchProject p;
    p.addFile("modA.bas", kModule);
    cancelAt(p, "Part 1of 3");
    EXPECT_FALSE(p.runAllPasses());
    // The dialog is hidden after pass 1 and after pass 2; pass 2 still names its first file, then stops
    // before that file's first line.
    EXPECT_EQ(steps(p), (Steps{"file Part 1of 3. Parsing modA.bas", "hide",
                               "file Part 2 of 3. Parsing modA.bas", "hide", "file Part 3 of 3"}));
    EXPECT_EQ(p.findRoutine("Helper"), nullptr);  // nothing was recorded
}

TEST(ParseDriver, CancelInPassTwoKeepsPassOnesRowsAndStillMarksProblems) {
    ScratchProject p;
    p.addFile("modA.bas", kModule);
    cancelAt(p, "Part 2 of 3");
    EXPECT_FALSE(p.runAllPasses());
    const SubRec* helper = p.findRoutine("Helper");
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->timesCalled, 0);                    // pass 2 stopped before the call line
    EXPECT_EQ(helper->problems, kProblemUnusedVariable);  // pass 3 ran over what was gathered
}

TEST(ParseDriver, PassTwoReusesPassOnesTextsButSkipsAFileRemovedMeanwhile) {
    ScratchProject p;
    p.addFile("modA.bas", kModule);
    p.addFile("modB.bas", "Public Sub Other()\r\n    Main\r\nEnd Sub\r\n");
    // Pass 1 has read both files when pass 2 starts on modA.bas; modB.bas goes away then.
    p.progress.hook = [&](const std::string& event) {
        if (event == "file Part 2 of 3. Parsing modA.bas") std::filesystem::remove(p.pathOf("modB.bas"));
    };
    p.runAllPasses();
    EXPECT_EQ(steps(p), (Steps{"file Part 1of 3. Parsing modA.bas", "file Part 1of 3. Parsing modB.bas",
                               "file Part 2 of 3. Parsing modA.bas", "file Part 3 of 3"}));
    const SubRec* main = p.findRoutine("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->timesCalled, 0);  // its only caller was in the removed file
    EXPECT_EQ(p.findRoutine("Helper")->timesCalled, 1);
}

TEST(ParseDriver, AProjectWithoutFilesParsesToNothing) {
    ScratchProject p;
    EXPECT_TRUE(p.runAllPasses());
    EXPECT_EQ(p.model.largestSlotCount(), 0);
}

TEST(SourceTextCache, KeepsTextsWithinItsBudgetAndHandsEachOverOnce) {
    SourceTextCache cache(10);
    cache.keep("/p/a.bas", "123456");
    cache.keep("/p/b.bas", "123456");  // would exceed the budget: read again by the call pass
    EXPECT_EQ(cache.take("/p/a.bas"), std::optional<std::string>("123456"));
    EXPECT_EQ(cache.take("/p/a.bas"), std::nullopt);
    EXPECT_EQ(cache.take("/p/b.bas"), std::nullopt);

    // A path kept again counts once, with its last bytes; when those do not fit, none are kept.
    SourceTextCache twice(10);
    twice.keep("/p/a.bas", "123456");
    twice.keep("/p/a.bas", "1234567");
    twice.keep("/p/b.bas", "123");
    EXPECT_EQ(twice.take("/p/a.bas"), std::optional<std::string>("1234567"));
    EXPECT_EQ(twice.take("/p/b.bas"), std::optional<std::string>("123"));
    twice.keep("/p/c.bas", "123");
    twice.keep("/p/c.bas", "12345678901");
    EXPECT_EQ(twice.take("/p/c.bas"), std::nullopt);
}

}  // namespace
}  // namespace tally::test
