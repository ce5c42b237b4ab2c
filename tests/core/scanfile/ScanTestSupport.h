#pragma once
// The analysis that tests/data/scanfiles/invoice-v2.psf holds, built by hand as a model, and small
// helpers shared by the scan file tests.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/OleDate.h"
#include "core/model/ProjectModel.h"

namespace tally::testing {

inline std::string scanFixturePath(const std::string& name) {
    return std::string(TALLY_SOURCE_DIR) + "/tests/data/scanfiles/" + name;
}

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// The tree as shown, with each node's real parent ("" for a top-level node).
inline std::vector<std::string> treeRows(const ProjectTree& tree) {
    std::vector<std::string> rows;
    for (const TreeNode* n : tree.displayOrder())
        rows.push_back(n->parentKey + " > " + n->key + " | " + n->text + " | " + n->image + " | " +
                       n->selectedImage + (n->expanded ? " | expanded" : ""));
    return rows;
}

// Every value and table a scan file holds, compared one by one so that a failure names the table.
inline void expectSameModel(const ProjectModel& actual, const ProjectModel& expected) {
    EXPECT_EQ(actual.projectPath, expected.projectPath);
    EXPECT_EQ(actual.projectDir, expected.projectDir);
    EXPECT_EQ(actual.scanFilePath, expected.scanFilePath);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.parseStart, expected.parseStart);
    EXPECT_EQ(actual.parseTime, expected.parseTime);
    EXPECT_EQ(actual.types, expected.types);
    EXPECT_EQ(treeRows(actual.tree), treeRows(expected.tree));
    EXPECT_EQ(actual.files, expected.files);
    EXPECT_EQ(actual.subs, expected.subs);
    EXPECT_EQ(actual.controls, expected.controls);
    EXPECT_EQ(actual.decVar, expected.decVar);
    EXPECT_EQ(actual.unVar, expected.unVar);
    EXPECT_EQ(actual.pubVar, expected.pubVar);
    EXPECT_EQ(actual.spell, expected.spell);
}

// True when nothing of a project is left: what a failed read must leave behind.
inline bool isEmptyModel(const ProjectModel& m) {
    return m.files.empty() && m.subs.empty() && m.types.empty() && m.controls.empty() && m.decVar.empty() &&
           m.unVar.empty() && m.pubVar.empty() && m.spell.empty() && m.tree.empty() &&
           m.projectPath.empty() && m.projectDir.empty() && m.scanFilePath.empty() && m.caption.empty() &&
           m.parseStart == 0.0 && m.parseTime == 0.0;
}

inline ProjectModel invoiceModel() {
    ProjectModel m;
    m.projectPath = "/home/dev/Invoice/Invoice.vbp";
    m.projectDir = "/home/dev/Invoice/";
    m.caption = "Tallyscan 6 - [Invoice]";
    m.parseStart = 46362.4166666667;
    m.parseTime = 1.15740740740741E-05;

    m.types = {{"No Type", kTypeUnknown, 1}, {"String", kTypeVariable, 4}, {"Customer", kTypeUdt, 1}};

    m.tree.add("", "project", "Invoice", "proj", "proj");
    m.tree.add("project", "forms", "Forms", "close", "open");
    m.tree.add("forms", "/home/dev/Invoice/frmMain.frm", "frmMain (frmMain.frm)", "form", "form");
    m.tree.add("project", "modules", "Modules", "close", "open");
    m.tree.add("modules", "/home/dev/Invoice/modMain.bas", "modMain (modMain.bas)", "module", "module");
    m.tree.add("project", "linecnt", "Code Lines  - 12", "info", "info");
    m.tree.setExpanded("project", true);
    m.tree.setExpanded("forms", true);

    m.files.emplace_back();
    m.files.push_back(
        {"frmMain", "/home/dev/Invoice/frmMain.frm", partsToOle({2026, 11, 30, 14, 5, 9}), 2048, true});
    m.files.push_back(
        {"modMain", "/home/dev/Invoice/modMain.bas", partsToOle({2026, 12, 1, 0, 0, 0}), 512, false});

    SubRec main{
        .name = "Main", .kind = kKindSub, .scope = kScopeNone, .file = "modMain.bas", .returnType = "N/A"};
    main.calls = "FormatTotal - modMain.bas\x01";
    main.lineCount = 5;
    SubRec total{.name = "FormatTotal",
                 .kind = kKindFunction,
                 .scope = kScopePublic,
                 .file = "modMain.bas",
                 .returnType = "String",
                 .timesCalled = 2};
    total.calledBy =
        "Main - modMain.bas - 3\x01"
        "cmdOK_Click - frmMain.frm - 2\x01";
    total.params = "ByVal Amount As Currency, Optional ByVal Sep As String = \",\"";
    total.lineCount = 3;
    total.checked = true;
    SubRec click{.name = "cmdOK_Click",
                 .kind = kKindControl,
                 .scope = kScopePrivate,
                 .file = "frmMain.frm",
                 .returnType = "N/A"};
    click.calls = "FormatTotal - modMain.bas\x01";
    click.lineCount = 4;
    click.problems = kProblemUnusedVariable;
    m.subs = {{main, total}, {click}, {}};

    m.controls = {{"frmMain", kControlDesigner}, {"cmdOK", kControlDesigner}};
    VarRec unused{.name = "Unused", .scope = "cmdOK_Click", .file = "frmMain.frm"};
    unused.checked = true;
    m.decVar = {VarRec{.name = "Amount", .scope = "FormatTotal", .file = "modMain.bas"}, unused};
    m.unVar = {unused};
    VarRec global{.name = "gTotal", .scope = "Public", .file = "/home/dev/Invoice/modMain.bas"};
    global.filesNotUsing = 1;
    global.commented = true;
    m.pubVar = {global};

    m.spell = {
        {"frmMain.frm", "frmMain", "Caption", "Invoice, Total", "", "form"},
        {" ", "cmdOK", "Caption", "&OK", "", ""},
        {"modMain.bas", "Main", "MsgBox", "Say \"hello\"", "Say \"hallo\"", "module"},
    };
    return m;
}

}  // namespace tally::testing
