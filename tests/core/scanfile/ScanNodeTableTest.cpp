#include "core/scanfile/ScanNodeTable.h"

#include <gtest/gtest.h>

namespace tally {

namespace {

std::vector<std::string> keysOf(const std::vector<const TreeNode*>& nodes) {
    std::vector<std::string> keys;
    for (const TreeNode* node : nodes) keys.push_back(node->key);
    return keys;
}

ProjectTree projectSkeleton() {
    ProjectTree tree;
    tree.add("", "project", "Invoice", "proj", "proj");
    tree.add("project", "forms", "Forms", "close", "open");
    tree.add("project", "modules", "Modules", "close", "open");
    tree.add("forms", "/p/b.frm", "b (b.frm)", "form", "form");
    tree.add("forms", "/p/a.frm", "a (a.frm)", "form", "form");
    tree.add("modules", "/p/m.bas", "m (m.bas)", "module", "module");
    tree.setExpanded("forms", true);
    return tree;
}

ProjectTree rebuilt(const std::vector<ScanNode>& table) {
    ProjectTree tree;
    for (const ScanNode& node : table) EXPECT_EQ(addScanNode(tree, node), NodeAddOutcome::Added) << node.key;
    return tree;
}

}  // namespace

TEST(ScanNodeTable, ListsNodesDepthFirstWithTopLevelNodesUnderProject) {
    const std::vector<ScanNode> table = scanNodesOf(projectSkeleton());
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table[0], (ScanNode{"project", "project", "Invoice", "proj", "proj", false}));
    EXPECT_EQ(table[1], (ScanNode{"project", "forms", "Forms", "close", "open", true}));
    EXPECT_EQ(table[2].parentKey, "forms");
    EXPECT_EQ(table[2].key, "/p/b.frm");
    EXPECT_EQ(table[3].key, "/p/a.frm");
    EXPECT_EQ(table[4].key, "modules");
    EXPECT_EQ(table[4].parentKey, "project");
    EXPECT_EQ(table[5].parentKey, "modules");
}

TEST(ScanNodeTable, RebuildKeepsTheRootsChildrenUnderTheRoot) {
    const ProjectTree original = projectSkeleton();
    const ProjectTree tree = rebuilt(scanNodesOf(original));
    EXPECT_EQ(keysOf(tree.topLevel()), std::vector<std::string>{"project"});
    EXPECT_EQ(keysOf(tree.children("project")), (std::vector<std::string>{"forms", "modules"}));
    EXPECT_EQ(keysOf(tree.displayOrder()), keysOf(original.displayOrder()));
    EXPECT_EQ(scanNodesOf(tree), scanNodesOf(original));
    EXPECT_TRUE(tree.find("forms")->expanded);
    EXPECT_FALSE(tree.find("modules")->expanded);
}

TEST(ScanNodeTable, WithoutAProjectNodeTopLevelNodesStayTopLevel) {
    ProjectTree original;
    original.add("", "a", "A");
    original.add("", "b", "B");
    original.add("b", "b1", "B1");
    const ProjectTree tree = rebuilt(scanNodesOf(original));
    EXPECT_EQ(keysOf(tree.topLevel()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(keysOf(tree.children("b")), std::vector<std::string>{"b1"});
}

TEST(ScanNodeTable, UnknownParentsAndRepeatedKeysAreRefused) {
    ProjectTree tree;
    EXPECT_EQ(addScanNode(tree, {"project", "project", "P"}), NodeAddOutcome::Added);
    EXPECT_EQ(addScanNode(tree, {"forms", "/p/a.frm", "a"}), NodeAddOutcome::UnknownParent);
    EXPECT_EQ(addScanNode(tree, {"project", "project", "again"}), NodeAddOutcome::DuplicateKey);
    EXPECT_EQ(addScanNode(tree, {"project", "forms", "Forms"}), NodeAddOutcome::Added);
    EXPECT_EQ(addScanNode(tree, {"forms", "/p/a.frm", "a"}), NodeAddOutcome::Added);
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree.depthOf("/p/a.frm"), 2);
}

TEST(ScanNodeTable, NodesWithoutKeysComeBackUnderTheirParents) {
    ProjectTree original = projectSkeleton();
    original.add("project", "allreference", "References");
    original.add("allreference", "", "OLE Automation");
    original.add("allreference", "", "Microsoft Scripting Runtime");
    const ProjectTree tree = rebuilt(scanNodesOf(original));
    EXPECT_EQ(scanNodesOf(tree), scanNodesOf(original));
    ASSERT_EQ(tree.children("allreference").size(), 2u);
    EXPECT_EQ(tree.children("allreference")[1]->text, "Microsoft Scripting Runtime");
}

}  // namespace tally
