#include "core/codeview/CodeView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CodeViewTestSupport.h"
#include "support/TempDir.h"
#include "core/codeview/CodeViewCommandState.h"

namespace tally {

using testing::MemoryClipboard;
using testing::paint;
using testing::ScriptedPrompt;

namespace {

const std::string kDeclarations = "Option Explicit\r\nPrivate mTotal As Long\r\n\r\n";
// The comment above a routine belongs to the routine and ends the declarations too.
const std::string kAdd =
    "' Adds to the total.\r\n"
    "Private Sub Add(ByVal n As Long)\r\n    mTotal = mTotal + n\r\nEnd Sub\r\n\r\n";
const std::string kTotal = "Public Function Total() As Long\r\n    Total = mTotal\r\nEnd Function\r\n";
const std::string kModule = "Attribute VB_Name = \"Module1\"\r\n" + kDeclarations + kAdd + kTotal;

class CodeViewTest : public ::testing::Test {
protected:
    CodeViewTest() : code(model, view, prompt, progress) {
        path = folder.write("Module1.bas", kModule);
        code.setRoutineItems(path, items());
    }

    static std::vector<ComboItem> items() {
        return {{"(Declarations)", "0 - -1", "decs"},
                {"Add", "1 - 9", "sub"},
                {"Total", "2 - 5", "func"},
                {"GetTickCount", "3 - 23", "dll"}};
    }

    // Types over the selection as the user would, with the key that reports the edit.
    void type(std::size_t at, std::size_t length, std::string_view text) {
        view.setSelStart(at);
        view.setSelLength(length);
        code.keyDown('A', 0);
        view.setSelText(text);
    }

    TempDir folder;
    ProjectModel model;
    MemoryRichTextView view;
    ScriptedPrompt prompt;
    NullColouringProgress progress;
    CodeView code;
    std::string path;
};

}  // namespace

TEST_F(CodeViewTest, ShowsTheDeclarationsAndEachRoutineWithItsCommentLines) {
    EXPECT_TRUE(code.showSubFile(0).ok);
    EXPECT_EQ(view.text(), kDeclarations + "' Adds to the total.\r\n");
    EXPECT_EQ(code.shownHeader(), "(Declarations)");
    EXPECT_TRUE(code.showSubFile(1).ok);
    EXPECT_EQ(view.text(), kAdd);
    EXPECT_EQ(code.shownHeader(), "Private Sub Add(");
    EXPECT_TRUE(code.routineShown());
    EXPECT_FALSE(code.colouring());
    EXPECT_FALSE(code.viewChanged());
    EXPECT_EQ(paint(view).substr(22, 16), "kkkkkkk.kkk.....");
    // Nothing was changed, so leaving asks nothing (the questions for a changed file are driven
    // through the window).
    code.leaveCodeFile();
    EXPECT_TRUE(prompt.labels.empty());
    EXPECT_EQ(code.codeFilePath(), "");
}

TEST_F(CodeViewTest, ModuleVariablesAreColouredFromTheRebuiltMarks) {
    model.decVar.push_back(VarRec{.name = "mTotal", .scope = "Private Module Level", .file = "Module1.bas"});
    code.showSubFile(2);
    EXPECT_EQ(view.text(), kTotal);
    std::string colours = paint(view);
    EXPECT_EQ(colours.substr(kTotal.find("mTotal"), 6), "bbbbbb");
    EXPECT_EQ(model.marks.size(), 1u);
}

TEST_F(CodeViewTest, TwoCommitsInARowLeaveTheFileWithTheViewTextInTheRoutinesPlace) {
    code.showSubFile(1);
    type(kAdd.find("n\r\nEnd"), 1, "n * 2");
    code.commit();
    EXPECT_FALSE(code.viewChanged());
    EXPECT_TRUE(code.fileChanged());
    type(kAdd.find("    mTotal"), 4, "\t");
    code.commit();
    std::string edited =
        "' Adds to the total.\r\nPrivate Sub Add(ByVal n As Long)\r\n\tmTotal = mTotal + n * 2\r\nEnd "
        "Sub\r\n\r\n";
    EXPECT_EQ(view.text(), edited);
    EXPECT_EQ(code.codeFileText(), "Attribute VB_Name = \"Module1\"\r\n" + kDeclarations + edited + kTotal);
    // Choosing another routine shows it from the edited text.
    code.showSubFile(2);
    EXPECT_EQ(view.text(), kTotal);
    code.showSubFile(1);
    EXPECT_EQ(view.text(), edited);
}

TEST_F(CodeViewTest, AnEditedHeaderKeepsTheRoutinesOtherEditsAndIsFoundAgainLater) {
    code.showSubFile(1);
    type(kAdd.find("+ n"), 1, "-");
    EXPECT_EQ(code.textChanged().action, ChangeOutcome::Action::None);
    type(kAdd.find("Private"), 7, "Public");
    EXPECT_EQ(code.textChanged().action, ChangeOutcome::Action::HeaderChanged);
    std::string edited = "' Adds to the total.\r\nPublic Sub Add(ByVal n As Long)\r\n    mTotal = mTotal - n\r\nEnd "
                         "Sub\r\n\r\n";
    // The view keeps the user's text (and with it the widget's undo); the file holds it too.
    EXPECT_EQ(view.text(), edited);
    EXPECT_EQ(code.shownHeader(), "Public Sub Add(");
    EXPECT_EQ(code.codeFileText(), "Attribute VB_Name = \"Module1\"\r\n" + kDeclarations + edited + kTotal);
    // The combo still says "Private Sub": coming back finds the routine under its new scope.
    code.showSubFile(2);
    code.showSubFile(1);
    EXPECT_EQ(view.text(), edited);
}

TEST_F(CodeViewTest, TheDeclarationsOfAFormWithWithEventsVariablesRunToTheFirstRoutine) {
    const std::string declarations =
        "Option Explicit\r\nPrivate WithEvents mConn As ADODB.Connection\r\n"
        "Attribute mConn.VB_VarHelpID = -1\r\nPrivate WithEvents mRows As ADODB.Recordset\r\n"
        "Attribute mRows.VB_VarHelpID = -1\r\nPrivate mCount As Long\r\nPrivate Const MAX_ROWS = 10\r\n\r\n";
    const std::string load = "Private Sub Form_Load()\r\n    mCount = 0\r\nEnd Sub\r\n";
    std::string form = folder.write(
        "frmData.frm", "VERSION 5.00\r\nBegin VB.Form frmData\r\nEnd\r\nAttribute VB_Name = \"frmData\"\r\n"
                       "Attribute VB_Exposed = False\r\n" + declarations + load);
    code.setRoutineItems(form, {{"(Declarations)", "0 - -1", "decs"}, {"Form_Load", "1 - 9", "sub"}});
    ASSERT_TRUE(code.showSubFile(0).ok);
    EXPECT_EQ(view.text(), declarations);
    // A jump to a variable declared after the attribute lines lands on it.
    EXPECT_TRUE(code.goToText("MAX_ROWS", 0));
    EXPECT_EQ(view.selText(), "MAX_ROWS");
    // An edit after them is put back in its place.
    type(declarations.find("Private mCount"), 0, "'");
    code.showSubFile(1);
    EXPECT_EQ(view.text(), load);
    EXPECT_NE(code.codeFileText().find("Attribute mRows.VB_VarHelpID = -1\r\n'Private mCount"), std::string::npos);
}

TEST_F(CodeViewTest, EmptyingARoutineRemovesItAndShowsTheItemBefore) {
    code.showSubFile(2);
    type(0, view.textLength(), " \r\n\t");
    ChangeOutcome outcome = code.textChanged();
    EXPECT_EQ(outcome.action, ChangeOutcome::Action::RoutineRemoved);
    EXPECT_EQ(outcome.removedRoutineKey, path + "Total");
    EXPECT_EQ(code.codeFileText(), "Attribute VB_Name = \"Module1\"\r\n" + kDeclarations + kAdd + " \r\n\t");
    ASSERT_EQ(code.routineItems().size(), 3u);
    EXPECT_EQ(code.routineItems()[2].text, "GetTickCount");
    EXPECT_EQ(code.currentItem(), 1);
    EXPECT_EQ(view.text(), kAdd);
    EXPECT_TRUE(code.fileChanged());
}

TEST_F(CodeViewTest, TextChangesOfTheDeclarationsOrWhileFillingAreIgnored) {
    code.showSubFile(0);
    type(0, view.textLength(), "");
    EXPECT_EQ(code.textChanged().action, ChangeOutcome::Action::None);
}

TEST_F(CodeViewTest, ADllDeclarationEmptiesTheView) {
    code.showSubFile(1);
    code.showSubFile(3);
    EXPECT_EQ(view.text(), "");
    EXPECT_FALSE(code.isShowing());
    // Nothing shown, nothing committed.
    view.setText("stray");
    code.markEdited();
    code.commit();
    EXPECT_EQ(code.codeFileText(), kModule);
}

TEST_F(CodeViewTest, AMissingFileIsReportedAndTheViewLeftAsItWas) {
    code.showSubFile(1);
    code.setRoutineItems(folder / "Gone.bas", items());
    CodeViewResult result = code.showSubFile(1);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, (folder / "Gone.bas") + " does not exist.");
    EXPECT_EQ(view.text(), kAdd);
}

#ifndef _WIN32  // FIFOs are a POSIX file kind
TEST_F(CodeViewTest, AFifoOrFolderInASourcesPlaceIsNamedAndNotWaitedOn) {
    code.showSubFile(1);
    ASSERT_EQ(::mkfifo((folder / "Pipe.bas").c_str(), 0644), 0);
    code.setRoutineItems(folder / "Pipe.bas", items());
    CodeViewResult fifo = code.showSubFile(1);
    EXPECT_EQ(fifo.message, (folder / "Pipe.bas") + " is not a regular file (a FIFO).");
    std::filesystem::create_directory(folder / "Dir.bas");
    code.setRoutineItems(folder / "Dir.bas", items());
    EXPECT_EQ(code.showSubFile(1).message, (folder / "Dir.bas") + " is a directory.");
    EXPECT_EQ(view.text(), kAdd);
}
#endif

TEST_F(CodeViewTest, ADamagedRoutineIsNotWrittenBackWhenTheFileIsLeft) {
    code.showSubFile(1);
    type(kAdd.find("Add("), 3, "Plus");
    prompt.choice = SaveItChoice::Save;
    code.leaveCodeFile();
    EXPECT_EQ(folder.read("Module1.bas"), kModule);
}

TEST_F(CodeViewTest, MovingToAnotherFileNeverPutsTheOldSliceIntoIt) {
    code.showSubFile(1);
    std::string other =
        "VERSION 1.0 CLASS\r\nAttribute VB_Name = \"CThing\"\r\nPrivate Sub X()\r\nEnd Sub\r\n";
    std::string otherPath = folder.write("CThing.cls", other);
    code.setRoutineItems(otherPath, items());
    code.showSubFile(0);  // no VB_Exposed line: no declarations to show
    EXPECT_EQ(view.text(), "");
    view.setText("junk");
    code.markEdited();
    code.commit();
    EXPECT_EQ(code.codeFileText(), other);
}

TEST_F(CodeViewTest, GoToTextSelectsTheTextAfterTheGivenLine) {
    code.showSubFile(1);
    EXPECT_TRUE(code.goToText("mTotal", 0));
    EXPECT_EQ(view.selStart(), kAdd.find("mTotal"));
    EXPECT_EQ(view.selLength(), 6u);
    EXPECT_TRUE(code.goToText("n", 2));
    EXPECT_EQ(view.selStart(), kAdd.find("n\r\nEnd"));
    EXPECT_FALSE(code.goToText("Nowhere", 0));
}

// Several lines from keys and menu are driven in the window's tests; here what they leave alone.
TEST_F(CodeViewTest, BlockCommandsNeedSeveralLinesAndLeaveOtherKeysToTheWidget) {
    // The commands act only on code that is shown.
    code.showSubFile(1);
    view.setText("a\r\n\tb");
    view.setSelStart(0);
    view.setSelLength(1);
    EXPECT_FALSE(code.keyDown(kKeyTab, 0));  // typed by the widget
    code.tabLeft();
    code.tabRight();
    EXPECT_FALSE(code.keyDown(kKeyApostrophe, 0));
    EXPECT_EQ(view.text(), "a\r\n\tb");

    view.setSelLength(5);
    code.tabRight();
    EXPECT_EQ(view.text(), "a\r\nb");
    EXPECT_EQ(view.selText(), "a\r\nb");
    EXPECT_TRUE(code.keyDown(kKeyApostrophe, kCtrlMask));
    EXPECT_EQ(paint(view), "cccccc");
    EXPECT_EQ(view.redrawDepth(), 0);
}

TEST_F(CodeViewTest, WithNothingShownNoKeyOrCommandIsAnEdit) {
    code.loadCodeFile(path);
    view.setText("typed anyway");
    code.keyDown('A', 0);
    code.markEdited();
    code.tabLeft();
    code.comment();
    MemoryClipboard clipboard;
    clipboard.setText("x");
    code.paste(clipboard);
    EXPECT_FALSE(code.viewChanged());
    EXPECT_FALSE(code.fileChanged());
    EXPECT_EQ(view.text(), "typed anyway");
    // Nothing to save, so leaving asks nothing.
    EXPECT_TRUE(code.leaveCodeFile());
    EXPECT_TRUE(prompt.labels.empty());
}

TEST_F(CodeViewTest, BackingOutOfTheSaveQuestionKeepsTheFileAndItsEdits) {
    code.showSubFile(1);
    type(kAdd.find("+ n"), 1, "-");
    const std::string edited = view.text();
    for (SaveItChoice choice : {SaveItChoice::BackOut, SaveItChoice::SaveAs}) {  // Save As cancelled
        prompt.choice = choice;
        EXPECT_FALSE(code.leaveCodeFile());
        EXPECT_FALSE(code.mayLeaveFor(path + "x"));
        EXPECT_EQ(code.codeFilePath(), path);
        EXPECT_EQ(view.text(), edited);
        EXPECT_TRUE(code.fileChanged());
    }
    // The same file may always be shown again; only the explicit choice throws the edits away.
    EXPECT_TRUE(code.mayLeaveFor(path));
    prompt.choice = SaveItChoice::ContinueWithoutSaving;
    EXPECT_TRUE(code.leaveCodeFile());
    EXPECT_EQ(code.codeFilePath(), "");
    EXPECT_FALSE(code.fileChanged());
}

TEST_F(CodeViewTest, KeysThatOnlyMoveSearchOrCopyAreNotEdits) {
    code.showSubFile(1);
    const int keys[][2] = {{'F', kCtrlMask}, {'C', kCtrlMask}, {'A', kCtrlMask}, {114, 0},  // F3
                           {27, 0},          {37, 0},          {36, kShiftMask}, {34, 0},
                           {'F', kAltMask},  {16, kShiftMask}, {17, kCtrlMask},  {18, kAltMask},
                           {35, 0},          {39, kShiftMask}, {45, 0},          {93, 0}};
    std::string before = paint(view);
    for (const auto& key : keys) {
        EXPECT_FALSE(code.keyDown(key[0], key[1])) << key[0];
        EXPECT_FALSE(code.viewChanged()) << "key " << key[0] << " counted as an edit";
    }
    EXPECT_EQ(paint(view), before);
    code.keyDown('C', 0);  // a typed "c" is an edit
    EXPECT_TRUE(code.viewChanged());
    // The editing Ctrl keys do count.
    for (int key : {'V', 'X', 'Z'}) {
        code.commit();
        code.keyDown(key, kCtrlMask);
        EXPECT_TRUE(code.viewChanged()) << key;
    }
}

TEST_F(CodeViewTest, TypingShowsTheCaretLinePlainOnceUntilTheCaretMovesAway) {
    code.showSubFile(1);
    std::size_t header = kAdd.find("Private");
    std::size_t body = kAdd.find("    mTotal");
    view.setSelStart(header + 2);
    code.keyDown('X', 0);
    EXPECT_TRUE(code.lineReset());
    EXPECT_EQ(paint(view).substr(header, body - header), std::string(body - header, '.'));
    EXPECT_EQ(view.selStart(), header + 2);
    code.keyDown(40, 0);
    EXPECT_FALSE(code.lineReset());
}

TEST_F(CodeViewTest, AFailedFindForgetsTheTextSoFindNextSaysNothing) {
    view.setText("Foo\r\nBar Foo\r\n");
    EXPECT_FALSE(code.findFromDialog("Baz", FindOptions{true, false, false}).found);
    EXPECT_EQ(code.findText(), "");
    FindResult next = code.findNext();
    EXPECT_FALSE(next.found);
    EXPECT_EQ(next.message, "");
}

// Cut and paste through the window are driven in its tests; here the empty cases.
TEST_F(CodeViewTest, ClipboardCommandsWithNothingToMoveChangeNothing) {
    MemoryClipboard clipboard;
    clipboard.content = "kept";
    view.setText("Dim a");
    code.copy(clipboard);
    code.cut(clipboard);
    EXPECT_EQ(clipboard.content, "kept");
    clipboard.content.clear();
    code.selectAll();
    code.paste(clipboard);
    EXPECT_EQ(view.text(), "Dim a");
    EXPECT_FALSE(code.viewChanged());
}

TEST_F(CodeViewTest, RefreshTidiesTheViewWithTheMarksOfTheRoutine) {
    model.unVar.push_back(VarRec{.name = "Spare", .scope = "Add", .file = "Module1.bas"});
    code.showSubFile(1);
    view.setText("private sub add()\r\n  dim spare as long\r\nend sub\r\n");
    view.setSelStart(3);
    code.refresh();
    // «add» is also a word of the function list.
    EXPECT_EQ(view.text(), "Private Sub Add()\r\n  Dim Spare As Long\r\nEnd Sub\r\n");
    EXPECT_EQ(paint(view).substr(19, 17), "..kkk.rrrrr.kk.kk");
    EXPECT_EQ(view.selStart(), 3u);
}

TEST_F(CodeViewTest, ATidyThatRewroteWordsIsCommittedLikeAnEditAndATidyOfTidyTextIsNot) {
    code.showSubFile(1);
    code.refresh();
    EXPECT_FALSE(code.viewChanged());
    EXPECT_FALSE(code.fileChanged());

    view.setText(
        "' Adds to the total.\r\nPrivate Sub Add(ByVal n As Long)\r\n    mtotal = mtotal + n\r\nend "
        "sub\r\n\r\n");
    code.refresh();
    EXPECT_TRUE(code.viewChanged());
    code.commitPending();
    EXPECT_FALSE(code.viewChanged());
    EXPECT_NE(code.codeFileText().find("    mtotal = mtotal + n\r\nEnd Sub\r\n"), std::string::npos);
}

TEST_F(CodeViewTest, CommitPendingKeepsAStoredRoutineWhoseHeaderWasDamaged) {
    code.showSubFile(1);
    type(0, 0, "x");
    code.commitPending();
    EXPECT_FALSE(code.viewChanged());
    EXPECT_NE(code.codeFileText().find("x' Adds to the total."), std::string::npos);

    std::string stored = code.codeFileText();
    std::size_t header = view.text().find("Private Sub Add(");
    type(header + 8, 3, "Fun");
    code.commitPending();
    EXPECT_EQ(code.codeFileText(), stored);
}

// The toolbar's buttons are checked through the window; the menu is only checked here.
TEST(CommandState, TheMenuFollowsTheTabTheTextTheSelectionAndTheClipboard) {
    CodeViewFacts facts{.codeViewTabChosen = true,
                        .viewHasText = true,
                        .clipboardHasText = false,
                        .selectionNotEmpty = false,
                        .codeFileOpen = true};
    EXPECT_EQ(codeViewMenuState(facts),
              (CodeViewMenuState{
                  .undo = true, .selectAll = true, .find = true, .findNext = true, .saveOrZip = true}));
    facts.codeViewTabChosen = false;
    facts.selectionNotEmpty = true;
    facts.clipboardHasText = true;
    EXPECT_EQ(codeViewMenuState(facts), (CodeViewMenuState{.cut = true, .copy = true, .saveOrZip = true}));
}

}  // namespace tally
