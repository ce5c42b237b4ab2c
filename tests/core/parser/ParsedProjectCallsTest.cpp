// Calls lists and file lookups on whole parsed projects shaped like real ones: event routines of
// the same name in several forms, and file names that end alike.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScratchProject.h"
#include "core/engine/ScanProject.h"
#include "core/project/ProjectReader.h"
#include "support/TempDir.h"

namespace tally::test {
namespace {

using Entries = std::vector<std::string>;

class ParsedProject {
public:
    void write(std::string_view file, std::string_view text) { m_dir.write(file, crlf(text)); }
    // Writes the project file from its lines and parses the project.
    void parse(std::initializer_list<std::string_view> vbpLines) {
        std::string vbp;
        for (std::string_view line : vbpLines) vbp.append(line).append("\r\n");
        const std::string path = m_dir.write("P.vbp", vbp);
        NoFileVersions versions;
        NullParseProgress quiet;
        CancelFlag cancel{false};
        ASSERT_TRUE(scanProject(model, ScanRequest{path, versions, quiet, cancel}));
    }
    // The routine named `name` whose file is `file`.
    const SubRec& routine(std::string_view file, std::string_view name) const {
        for (const auto& slot : model.subs)
            for (const SubRec& r : slot)
                if (r.name == name && r.file == file) return r;
        ADD_FAILURE() << "no routine " << name << " in " << file;
        static const SubRec none;
        return none;
    }

    ProjectModel model;

private:
    TempDir m_dir;
};

std::string form(std::string_view name, std::string_view code) {
    return "VERSION 5.00\nBegin VB.Form " + std::string(name) + "\n   Caption = \"x\"\nEnd\nAttribute VB_Name = \"" +
           std::string(name) + "\"\n" + std::string(code);
}

TEST(ParsedProjectCalls, ACallerIsFoundInEveryEntryNotOnlyWhereItsNameFirstOccurs) {
    ParsedProject p;
    p.write("frmMain.frm", form("frmMain", "Private Sub Form_Load()\n    Calc 1\nEnd Sub\n"));
    p.write("modMain.bas", "Attribute VB_Name = \"modMain\"\nSub Main()\n    Calc 2\nEnd Sub\n");
    p.write("modUtils.bas", "Attribute VB_Name = \"modUtils\"\nPublic Sub Calc(n As Long)\n    Debug.Print n\nEnd Sub\n");
    // "Main" occurs first inside "frmMain.frm", in the form's entry of Calc's callers.
    p.parse({"Type=Exe", "Form=frmMain.frm", "Module=modMain; modMain.bas", "Module=modUtils; modUtils.bas"});
    EXPECT_EQ(entriesOf(p.routine("modMain.bas", "Main").calls.text()), (Entries{"Calc - modUtils.bas"}));
    EXPECT_EQ(entriesOf(p.routine("frmMain.frm", "Form_Load").calls.text()), (Entries{"Calc - modUtils.bas"}));
}

TEST(ParsedProjectCalls, EventRoutinesOfTheSameNameEachListTheirOwnCallees) {
    ParsedProject p;
    const std::string load = "Private Sub Form_Load()\n    Setup\n    Setup\nEnd Sub\n";
    p.write("frmA.frm", form("frmA", load));
    p.write("frmB.frm", form("frmB", load));
    p.write("frmC.frm", form("frmC", "Private Sub Form_Load()\n    Debug.Print 1\nEnd Sub\n"));
    p.write("modG.bas", "Attribute VB_Name = \"modG\"\nPublic Sub Setup()\n    Debug.Print 2\nEnd Sub\n");
    p.parse({"Type=Exe", "Form=frmA.frm", "Form=frmB.frm", "Form=frmC.frm", "Module=modG; modG.bas"});
    // Two calls from each form: four callers' entries, one Calls entry per caller.
    EXPECT_EQ(entriesOf(p.routine("modG.bas", "Setup").calledBy).size(), 4u);
    EXPECT_EQ(entriesOf(p.routine("frmA.frm", "Form_Load").calls.text()), (Entries{"Setup - modG.bas"}));
    EXPECT_EQ(entriesOf(p.routine("frmB.frm", "Form_Load").calls.text()), (Entries{"Setup - modG.bas"}));
    EXPECT_EQ(p.routine("frmC.frm", "Form_Load").calls, "");
}

TEST(ParsedProjectCalls, AFileNameOnlyMatchesAWholeFileNameOfTheTree) {
    // frmMain.frm ends with "Main.frm" and comes first: its routine must not take Main.frm's flags,
    // whatever the order of the members.
    for (bool mainFirst : {false, true}) {
        ParsedProject p;
        p.write("frmMain.frm", form("frmMain", "Private Sub Work()\n    Debug.Print 1\nEnd Sub\n"));
        p.write("Main.frm", form("Main", "Private Sub Work()\n    Dim unused As Long\n    Dim untyped\n    untyped = 1\nEnd Sub\n"));
        if (mainFirst)
            p.parse({"Form=Main.frm", "Form=frmMain.frm"});
        else
            p.parse({"Form=frmMain.frm", "Form=Main.frm"});
        EXPECT_EQ(p.routine("Main.frm", "Work").problems, kProblemUnusedVariable + kProblemUntypedVariable)
            << mainFirst;
        EXPECT_EQ(p.routine("frmMain.frm", "Work").problems, 0) << mainFirst;
    }
}

}  // namespace
}  // namespace tally::test
