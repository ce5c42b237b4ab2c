#include "core/codeview/CodeScanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CodeViewTestSupport.h"

namespace tally {

using testing::paint;

namespace {

struct Coloured {
    std::string text;
    std::string paint;
};

Coloured colourFull(std::string_view text, std::vector<MarkRec> marks = {}, bool withFunctions = false) {
    MemoryRichTextView view;
    view.setText(text);
    NullColouringProgress progress;
    colourCode(view, marks, withFunctions, progress);
    return {view.text(), paint(view)};
}

Coloured colourTidy(std::string_view text, std::vector<MarkRec> marks = {}) {
    MemoryRichTextView view;
    view.setText(text);
    NullColouringProgress progress;
    tidyCode(view, marks, progress);
    return {view.text(), paint(view)};
}

class RecordingProgress final : public ColouringProgress {
public:
    void begin() override { log += "begin;"; }
    void step(std::size_t total, std::size_t current) override {
        ++steps;
        lastTotal = total;
        lastCurrent = current;
    }
    void end() override { log += "end;"; }
    std::string log;
    int steps = 0;
    std::size_t lastTotal = 0, lastCurrent = 0;
};

}  // namespace

TEST(FullPass, ColoursKeywordsExactlyAndLeavesOtherWordsBlack) {
    EXPECT_EQ(colourFull("Dim x As Long\r\n").paint, "kkk...kk.kkkk..");
    EXPECT_EQ(colourFull("dim x as long\r\n").paint, "...............");
    EXPECT_EQ(colourFull("dim x as long\r\n").text, "dim x as long\r\n");
    // Digits and type characters belong to words: Long1 and Dim$ are not keywords, #If and Error$ are.
    EXPECT_EQ(colourFull("Long1 Dim$ #If Error$\r\n").paint, "...........kkk.kkkkkk..");
    // A word that ends with the text is coloured like the others.
    EXPECT_EQ(colourFull("Dim x As Long").paint, "kkk...kk.kkkk");
    // An entry holding a blank can never match a scanned word.
    EXPECT_EQ(colourFull("#End If\r\n").paint, ".....kk..");
}

TEST(FullPass, LeftDollarIsOneWordInNeitherList) {
    NullColouringProgress progress;
    EXPECT_TRUE(scanCode("Left$(s, 1)\r\n", ScanPass::Colour, true, {}, progress).runs.empty());
    CodeScan plain = scanCode("Left(s, 1)\r\n", ScanPass::Colour, true, {}, progress);
    EXPECT_THAT(plain.runs, ::testing::ElementsAre(ColourRun{0, 4, kPlainColour}));
    // Without the function list the full pass does not look at it at all.
    EXPECT_TRUE(scanCode("Left(s, 1)\r\n", ScanPass::Colour, false, {}, progress).runs.empty());
}

TEST(TidyPass, RewritesRecognisedWordsInTheirCanonicalSpelling) {
    Coloured tidy = colourTidy("dim x as long\r\n");
    EXPECT_EQ(tidy.text, "Dim x As Long\r\n");
    EXPECT_EQ(tidy.paint, "kkk...kk.kkkk..");
    // Type characters and digits end words: left$ becomes Left$, str1 is read as str.
    EXPECT_EQ(colourTidy("s = left$(t, 1)\r\n").text, "s = Left$(t, 1)\r\n");
    EXPECT_EQ(colourTidy("str1 = ucase(a)\r\n").text, "Str1 = UCase(a)\r\n");
    EXPECT_EQ(colourTidy("#if x then\r\n").text, "#If x Then\r\n");
    EXPECT_EQ(colourTidy("#if x then\r\n").paint, ".kk...kkkk..");
}

TEST(TidyPass, LeavesOtherColoursAloneAndKeepsTheCaret) {
    MemoryRichTextView view;
    view.setText("foo dim\r\n");
    view.setSelStart(0);
    view.setSelLength(3);
    view.setSelColor(255);
    view.setSelStart(5);
    NullColouringProgress progress;
    tidyCode(view, {}, progress);
    EXPECT_EQ(view.text(), "foo Dim\r\n");
    EXPECT_EQ(paint(view), "rrr.kkk..");
    EXPECT_EQ(view.selStart(), 5u);
}

TEST(BothPasses, ApostropheCommentsRunToTheLineBreak) {
    Coloured full = colourFull("x = 1 ' Dim\r\nDim y\r\n");
    EXPECT_EQ(full.paint, "......ccccc..kkk....");
    EXPECT_EQ(colourTidy("x = 1 ' dim\r\n").text, "x = 1 ' dim\r\n");
    // On a last line without a line break the comment is scanned like code.
    EXPECT_EQ(colourFull("x = 1 ' Dim").paint, "........kkk");
    // A word pending before the apostrophe is still examined, at its own place.
    EXPECT_EQ(colourFull("Stop' now\r\n").paint, "kkkkccccc..");
}

TEST(BothPasses, RemCommentsRunToTheLineEndInLowerCase) {
    Coloured full = colourFull("Rem Note This\r\nDim\r\n");
    EXPECT_EQ(full.text, "rem note this\r\nDim\r\n");
    EXPECT_EQ(full.paint, "ccccccccccccc..kkk..");
    Coloured last = colourFull("x = 1: REM End If");
    EXPECT_EQ(last.text, "x = 1: rem end if");
    EXPECT_EQ(last.paint, ".......cccccccccc");
    EXPECT_EQ(colourTidy("REM Dim\r\n").text, "rem dim\r\n");
    // Remove and Remark are words of their own.
    EXPECT_EQ(colourFull("Remark = 1\r\n").text, "Remark = 1\r\n");
}

TEST(BothPasses, LiteralsAreSkippedEvenOverLineEnds) {
    EXPECT_EQ(colourFull("s = \"Dim\"\r\n").paint, "...........");
    EXPECT_EQ(colourTidy("s = \"dim\"\r\n").text, "s = \"dim\"\r\n");
    Coloured spanning = colourFull("s = \"a\r\nDim\" Dim\r\n");
    EXPECT_EQ(spanning.paint, ".............kkk..");
    // An apostrophe inside a literal starts no comment.
    EXPECT_EQ(colourFull("s = \"it's\" Or t\r\n").paint, "...........kk....");
}

TEST(BothPasses, AnUnterminatedQuoteIsIgnored) {
    EXPECT_EQ(colourFull("s = \"Dim x\r\n").paint, ".....kkk....");
    EXPECT_EQ(colourTidy("s = \"dim x\r\n").text, "s = \"Dim x\r\n");
}

TEST(BothPasses, AWordBrokenByALiteralIsNeitherColouredNorRewritten) {
    // «In» + literal + «t» would read as «Int»; rewriting it would overwrite the quote.
    EXPECT_EQ(colourTidy("In\"x\"t = 1\r\n").text, "In\"x\"t = 1\r\n");
    EXPECT_EQ(colourFull("Di\"x\"m\r\n").paint, "........");
    // A keyword right before a literal is still one word.
    EXPECT_EQ(colourFull("Print\"x\"\r\n").paint, "kkkkk.....");
}

TEST(BothPasses, MarksOverrideKeywordsFirstRowFirst) {
    std::vector<MarkRec> marks{{"Dim", 255}, {"Count", 0xFF0000}, {"Count", 128}};
    EXPECT_EQ(colourFull("Dim Count As Long\r\n", marks).paint, "rrr.bbbbb.kk.kkkk..");
    // The full pass compares names exactly; a name with its type character matches such a word.
    EXPECT_EQ(colourFull("count Total# Total\r\n", {{"Total#", 128}}).paint, "......dddddd........");
    Coloured tidy = colourTidy("dim count as long\r\n", marks);
    EXPECT_EQ(tidy.text, "Dim Count As Long\r\n");
    EXPECT_EQ(tidy.paint, "rrr.bbbbb.kk.kkkk..");
}

TEST(BothPasses, EmptyTextRunsNoLoopAndPlacesTheCaret) {
    MemoryRichTextView view;
    RecordingProgress progress;
    colourCode(view, {}, false, progress);
    EXPECT_EQ(progress.log, "begin;end;");
    EXPECT_EQ(progress.steps, 0);
    EXPECT_EQ(view.selStart(), 0u);
}

TEST(BothPasses, ReportProgressAFewHundredTimesAtMostAndEndAtTheLastCharacter) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "Dim x As Long ' note\r\n";
    MemoryRichTextView view;
    view.setText(text);
    RecordingProgress progress;
    colourCode(view, {}, false, progress);
    EXPECT_LE(progress.steps, 1002);
    EXPECT_GT(progress.steps, 10);
    EXPECT_EQ(progress.lastTotal, text.size());
    EXPECT_EQ(progress.lastCurrent, text.size());
    EXPECT_EQ(progressStripWidth(300, 1000, 1), 1);
    EXPECT_EQ(progressStripWidth(300, 1000, 500), 150);
    EXPECT_EQ(progressStripWidth(300, 1000, 1000), 300);
}

TEST(BothPasses, ReachTheViewInOneBatchWithRedrawSuspended) {
    MemoryRichTextView view;
    view.setText("dim a as long\r\nrem x\r\n");
    NullColouringProgress progress;
    tidyCode(view, {}, progress);
    EXPECT_EQ(view.colourBatches(), 1);
    EXPECT_EQ(view.patchBatches(), 1);
    EXPECT_EQ(view.suspensions(), 1);
    EXPECT_EQ(view.redrawDepth(), 0);
}

}  // namespace tally
