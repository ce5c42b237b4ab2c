#include "core/scanfile/ScanNodeTable.h"

#include <gtest/gtest.h>

namespace tally {

namespace {

std::vector<std::string> keysOf(const std::vector<const TreeNode*>& nodes) {
    std::vector<std::string> keys;
    for (const TreeNode* node : nodes) keys.push_back(node->key.str());
    return keys;
}

ProjectTree rebuilt(const std::vector<ScanNode>& table) {
    ProjectTree tree;
    for (const ScanNode& node : table) EXPECT_EQ(addScanNode(tree, node), NodeAddOutcome::Added) << node.key;
    return tree;
}

}  // namespace

TEST(ScanNodeTable, WithoutAProjectNodeTopLevelNodesStayTopLevel) {
    ProjectTree original;
    original.add("", "a", "A");
    original.add("", "b", "B");
    original.add("b", "b1", "B1");
    const ProjectTree tree = rebuilt(scanNodesOf(original));
    EXPECT_EQ(keysOf(tree.topLevel()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(keysOf(tree.children("b")), std::vector<std::string>{"b1"});
}

TEST(ScanNodeTable, NodesWithoutKeysComeBackUnderTheirParents) {
    ProjectTree original;
    original.add("", "project", "Invoice");
    original.add("project", "allreference", "References");
    original.add("allreference", "", "OLE Automation");
    original.add("allreference", "", "Microsoft Scripting Runtime");
    const ProjectTree tree = rebuilt(scanNodesOf(original));
    EXPECT_EQ(scanNodesOf(tree), scanNodesOf(original));
    ASSERT_EQ(tree.children("allreference").size(), 2u);
    EXPECT_EQ(tree.children("allreference")[1]->text, "Microsoft Scripting Runtime");
}

}  // namespace tally
