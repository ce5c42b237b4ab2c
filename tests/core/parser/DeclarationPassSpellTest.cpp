#include <gtest/gtest.h>

#include "ScratchProject.h"
#include "core/parser/TextCapture.h"

namespace tally::test {
namespace {

SpellRow row(std::string file, std::string routine, std::string label, std::string value,
             std::string icon = {}) {
    return SpellRow{.file = std::move(file),
                    .routine = std::move(routine),
                    .label = std::move(label),
                    .value = std::move(value),
                    .icon = std::move(icon)};
}

TEST(DeclarationPassSpell, RoutineTextsAndTheirLabels) {
    ScratchProject p;
    p.addFile("modS.bas", crlf(R"VB(Private Const HIDDEN = "Declarations are not read"
Sub Show()
    MsgBox "Saved the file", vbInformation
    MsgBox("In parentheses")
    MsgBox sText
    MsgBox ""
    Set itm = lvw.ListItems.Add(, , "List entry")
    Set nd = tvw.Nodes.Add(, , "key", "Tree entry")
    Set itm = lvw.ListItems.Add(, , sName)
    itm.SmallIcon = "folder"
    itm.LargeIcon = "folder"
    lbl.Caption = "Hello" & x & "World"
    r = MsgBox("Really quit?", vbYesNo)
    s = "(not a word)"
    t = "-dash"
    u = "pic.frx"
    v = "&Menu"
    w = "7 days"
    cmd.Tag = ""
End Sub
Sub Second()
    q = "Second one"
    q = "Second two"
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    std::vector<SpellRow> expected{
        row("modS.bas", "Show", "MsgBox", "Saved the file", "module"),
        row(" ", "", "MsgBox", "In parentheses"),
        row(" ", "", "ListItems.Add", "List entry"),
        row(" ", "", "Nodes.Add", "Tree entry"),
        row(" ", "", "lbl.Caption", " Hello World"),
        row(" ", "", "MsgBox", " Really quit?"),
        row(" ", "", "v", " &Menu"),
        row(" ", "", "w", " 7 days"),
        row(" ", "Second", "q", " Second one"),
        row(" ", "", "q", " Second two"),
    };
    EXPECT_EQ(p.model.spell, expected);
}

TEST(DeclarationPassSpell, DesignerCaptionsTextsAndTheCompanionList) {
    ScratchProject p;
    p.writeFile("frmD.frx", std::string("lt\x03\x00", 4) + "Red" + std::string("\x00\x01", 2) + "Blue");
    p.addFile("frmD.frm", crlf(R"VB(VERSION 5.00
Begin VB.Form frmD
   Caption = "&Open"
   Tag = "x"
   BorderStyle = 1 'Fixed Single
   Begin VB.ComboBox cbo
      Text = "Pick one"
      List = "frmD.frx":0000
      ItemData = "frmD.frx":0010
   End
   Begin VB.ListBox lst
      List = "frmD.frx":0020
      Caption = "(none)"
   End
   Begin VB.Label lbl
      Caption = "Don't panic"
   End
End
Attribute VB_Name = "frmD"
Private Sub Form_Load()
    Caption = "Loaded"
End Sub
)VB"));
    ASSERT_TRUE(p.runDeclarationPass());
    std::vector<SpellRow> expected{
        row("frmD.frm", "frmD", "Caption", " &Open", "form"),
        row(" ", "", "Text", " Pick one"),
        row(" ", "", "frmD.frx", "Red Blue"),
        row(" ", "lbl", "Caption", " Don't panic"),
        row(" ", "Form_Load", "Caption", " Loaded"),
    };
    EXPECT_EQ(p.model.spell, expected);
    // The designer's apostrophes count as nothing; the file has no code lines with comments.
    EXPECT_EQ(p.nodeText("cmntcnt" + p.pathOf("frmD.frm")), "Comments  - 0/0.00%");
}

TEST(DeclarationPassSpell, FirstRowOfEachFileCarriesItsNameAndIcon) {
    ScratchProject p;
    p.addFile("Class1.cls", crlf("Sub A()\n    s = \"class text\"\nEnd Sub\n"));
    p.addFile("pgX.pag", crlf("Sub B()\n    s = \"page text\"\nEnd Sub\n"));
    p.addFile("ctlX.ctl", crlf("Sub C()\n    s = \"control text\"\n    s = \"more\"\nEnd Sub\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    ASSERT_EQ(p.model.spell.size(), 4u);
    EXPECT_EQ(p.model.spell[0], row("Class1.cls", "A", "s", " class text", "class"));
    EXPECT_EQ(p.model.spell[1], row("pgX.pag", "B", "s", " page text"));
    EXPECT_EQ(p.model.spell[2], row("ctlX.ctl", "C", "s", " control text", "userctl"));
    EXPECT_EQ(p.model.spell[3], row(" ", "", "s", " more"));
    EXPECT_EQ(spellIconOf("x.BAS"), "module");
    EXPECT_EQ(spellIconOf("  "), "");
}

TEST(DeclarationPassSpell, UnreadableCompanionGivesAnEmptyListText) {
    ScratchProject p;
    p.addFile("frmE.frm", crlf("Begin VB.Form frmE\n   List = \"frmE.frx\":0000\nEnd\n"));
    ASSERT_TRUE(p.runDeclarationPass());
    EXPECT_TRUE(p.model.spell.empty());
}

}  // namespace
}  // namespace tally::test
