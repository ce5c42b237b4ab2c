// Which code lines give a Spell row, and under what label. Designer captions, the companion list,
// file icons and the file and routine columns of later rows are pinned by the golden scans.

#include <gtest/gtest.h>

#include "ScratchProject.h"
#include "core/parser/TextCapture.h"

namespace tally::test {
namespace {

TEST(DeclarationPassSpell, RoutineTextsAndTheirLabels) {
    struct Case {
        const char* line;
        const char* label;  // nullptr: the line gives no row
        const char* value;
    };
    const Case cases[] = {
        {"MsgBox \"Saved the file\", vbInformation", "MsgBox", "Saved the file"},
        {"MsgBox(\"In parentheses\")", "MsgBox", "In parentheses"},
        {"r = MsgBox(\"Really quit?\", vbYesNo)", "MsgBox", " Really quit?"},
        {"Set itm = lvw.ListItems.Add(, , \"List entry\")", "ListItems.Add", "List entry"},
        {"Set nd = tvw.Nodes.Add(, , \"key\", \"Tree entry\")", "Nodes.Add", "Tree entry"},
        {"lbl.Caption = \"Hello\" & x & \"World\"", "lbl.Caption", " Hello World"},
        {"v = \"&Menu\"", "v", " &Menu"},
        {"w = \"7 days\"", "w", " 7 days"},
        {"MsgBox sText", nullptr, nullptr},
        {"MsgBox \"\"", nullptr, nullptr},
        {"Set itm = lvw.ListItems.Add(, , sName)", nullptr, nullptr},
        {"Set itm = lvw.ListItems.Add(,,\"No blank\")", nullptr, nullptr},
        {"Set itm = lvw.ListItems.Add(, , \"unclosed)", nullptr, nullptr},
        {"itm.SmallIcon = \"folder\"", nullptr, nullptr},
        {"itm.LargeIcon = \"folder\"", nullptr, nullptr},
        {"s = \"(not a word)\"", nullptr, nullptr},
        {"t = \"-dash\"", nullptr, nullptr},
        {"u = \"pic.frx\"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        ScratchProject p;
        p.addFile("modS.bas", crlf(std::string("Private Const HIDDEN = \"Declarations are not read\"\n"
                                               "Sub Show()\n    ") +
                                   c.line + "\nEnd Sub\n"));
        ASSERT_TRUE(p.runDeclarationPass());
        std::vector<SpellRow> expected;
        if (c.label)
            expected.push_back({.file = "modS.bas",
                                .routine = "Show",
                                .label = c.label,
                                .value = c.value,
                                .icon = "module"});
        EXPECT_EQ(p.model.spell, expected) << c.line;
    }
    EXPECT_EQ(spellIconOf("x.BAS"), "module");
    EXPECT_EQ(spellIconOf("pgX.pag"), "");
}

}  // namespace
}  // namespace tally::test
