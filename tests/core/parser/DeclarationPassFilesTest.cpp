#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "ScratchProject.h"

namespace tally::test {
namespace {

TEST(DeclarationPassFiles, ProjectWithoutCodeLinesHasNoPercentageNodes) {
    ScratchProject p;
    p.addFile("modDecl.bas", crlf("Public x As Long\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(p.nodeText("linecnt"), "Code Lines  - 0");
    EXPECT_EQ(p.nodeText("cmntcnt"), "<none>");
    EXPECT_EQ(p.nodeText("whitect"), "<none>");
}

TEST(DeclarationPassFiles, ProgressReportsFilesAndCharactersRead) {
    ScratchProject p;
    p.addFile("modA.bas", "Sub A()\r\nEnd Sub\r\n");
    p.addFile("modB.bas", "x _\r\n y\n");
    ASSERT_TRUE(p.runDeclarationPass());
    std::vector<std::string> shown;
    for (const std::string& event : p.progress.events)
        if (!event.starts_with("line ")) shown.push_back(event);
    EXPECT_EQ(shown, (std::vector<std::string>{"range 0 26", "file Part 1of 3. Parsing modA.bas", "value 7",
                                               "value 14", "file Part 1of 3. Parsing modB.bas", "value 17",
                                               "value 19", "value 0"}));
}

TEST(DeclarationPassFiles, CancelStopsAtOnceAndKeepsWhatWasRecorded) {
    ScratchProject p;
    p.addFile("modA.bas", crlf(R"VB(Sub First()
    MsgBox "Before the cancel"
End Sub
Sub Second()
    MsgBox "After the cancel"
End Sub
)VB"));
    p.addFile("modB.bas", crlf("Sub Third()\nEnd Sub\n"));
    int values = 0, files = 0;
    p.progress.hook = [&](const std::string& event) {
        files += event.starts_with("file ");
        if (event.starts_with("value ") && ++values == 4) p.cancel = true;
    };
    EXPECT_FALSE(p.runDeclarationPass());
    EXPECT_EQ(values, 4);  // no line after the cancel, no reset to 0
    ASSERT_EQ(p.model.subCount(0), 1);
    EXPECT_EQ(p.model.subs[0][0].name, "First");
    ASSERT_EQ(p.model.spell.size(), 1u);
    EXPECT_EQ(p.model.spell[0].value, "Before the cancel");
    EXPECT_EQ(p.nodeText("linecnt" + p.pathOf("modA.bas")), "<none>");
    EXPECT_EQ(p.nodeText("linecnt"), "<none>");
    EXPECT_EQ(files, 1);
}

TEST(DeclarationPassFiles, FileVanishingBeforeItsReadIsSkipped) {
    ScratchProject p;
    p.addFile("modA.bas", crlf("Sub A()\nEnd Sub\n"));
    p.addFile("modB.bas", crlf("Sub B()\nEnd Sub\n"));
    p.progress.hook = [&](const std::string& event) {
        if (event == "file Part 1of 3. Parsing modA.bas") std::filesystem::remove(p.pathOf("modA.bas"));
    };
    ASSERT_TRUE(p.runDeclarationPass());
    ASSERT_EQ(p.model.subCount(0), 1);
    EXPECT_EQ(p.model.subs[0][0].name, "B");
    EXPECT_EQ(p.nodeText("linecnt" + p.pathOf("modA.bas")), "<none>");
    EXPECT_EQ(p.nodeText("subct" + p.pathOf("modB.bas")), "Subs  - 1");
}

TEST(DeclarationPassFiles, MalformedSourcesDoNotStopTheProject) {
    ScratchProject p;
    std::string binary;
    for (int i = 0; i < 200000; ++i)
        binary.push_back(static_cast<char>(i * 37 % 256 == 10 ? 0 : i * 37 % 256));
    binary.append(std::string("\0\0Sub X(\0", 10));
    p.addFile("modBin.bas", binary);
    p.addFile("modQuotes.bas", crlf(R"VB(Private Const A = "open, B
Sub Q(ByVal s As String = "(", t)
    MsgBox "never closed
    x = "a" & "b
    Set itm = lvw.ListItems.Add(, , "unclosed
End Sub
)VB"));
    p.addFile("modAfter.bas", crlf("Sub Z()\nEnd Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_NE(p.findRoutine("Q"), nullptr);
    EXPECT_EQ(p.findRoutine("Q")->params, "ByVal s As String = \"(\", t");
    ASSERT_NE(p.findRoutine("Z"), nullptr);
    EXPECT_EQ(p.nodeText("subct" + p.pathOf("modAfter.bas")), "Subs  - 1");
}

TEST(DeclarationPassFiles, HugeOneLineFilesStayLinear) {
    ScratchProject p;
    std::string words;
    words.reserve(21 << 20);
    words.append("Private Sub Huge(");
    for (int i = 0; words.size() < (20u << 20); ++i) words.append("a" + std::to_string(i) + ", ");
    words.append("z)");
    p.addFile("modHuge.bas", words);
    std::string params = "Private Sub Many(";
    for (int i = 0; params.size() < (2u << 20); ++i) params.append("p" + std::to_string(i) + ", ");
    params.append("q)\r\nEnd Sub\r\n");
    p.addFile("modParams.bas", params);
    std::string dims = "Sub D()\r\nDim ";
    for (int i = 0; dims.size() < (4u << 20); ++i) dims.append("v" + std::to_string(i % 1000) + ", ");
    dims.append("w\r\n' w v1\r\nEnd Sub\r\n");
    p.addFile("modDims.bas", dims);
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(p.runDeclarationPass());
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);
    ASSERT_NE(p.findRoutine("D"), nullptr);
    ASSERT_FALSE(p.model.unVar.empty());
    EXPECT_EQ(p.model.unVar.back().name, "w");
    EXPECT_TRUE(p.model.unVar.back().commented);
}

TEST(DeclarationPassFiles, MoreThanTwoHundredFilesKeepEveryRoutine) {
    ScratchProject p;
    for (int i = 1; i <= 205; ++i)
        p.addFile("frm" + std::to_string(i) + ".frm",
                  crlf("Private Sub S" + std::to_string(i) + "()\nEnd Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    int slot = -1;
    ASSERT_NE(p.findRoutine("S205", &slot), nullptr);
    EXPECT_EQ(slot, 205);
}

TEST(DeclarationPassFiles, LineFeedEndingsAndTabIndentation) {
    ScratchProject p;
    p.addFile("modLf.bas",
              "Option Explicit\n\tPrivate mTab As Long\nSub L()\n\tDim q\n\tMsgBox \"Tabbed\"\nEnd Sub\n");
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_EQ(names(p.model.pubVar), (std::vector<std::string>{"mTab"}));
    ASSERT_NE(p.findRoutine("L"), nullptr);
    EXPECT_EQ(p.findRoutine("L")->lineCount, 2);
    ASSERT_EQ(p.model.spell.size(), 1u);
    EXPECT_EQ(p.model.spell[0].value, "Tabbed");
    EXPECT_EQ(names(p.model.unVar), (std::vector<std::string>{"q"}));
}

}  // namespace
}  // namespace tally::test
