#include "core/model/ProjectTree.h"

#include <gtest/gtest.h>

namespace tally {

namespace {
std::vector<std::string> keysOf(const std::vector<const TreeNode*>& nodes) {
    std::vector<std::string> keys;
    for (const TreeNode* node : nodes) keys.push_back(node->key.str());
    return keys;
}
}  // namespace

TEST(ProjectTree, KeysAreUniqueAndParentsMustExist) {
    ProjectTree tree;
    EXPECT_TRUE(tree.add("", "project", "Project", "proj"));
    EXPECT_FALSE(tree.add("", "project", "Again"));
    EXPECT_FALSE(tree.add("nowhere", "x", "X"));
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree.find("project")->image, "proj");
}

TEST(ProjectTree, SortedParentsOrderChildrenWithoutCaseAndStably) {
    ProjectTree tree;
    tree.add("", "forms", "Forms");
    tree.setSorted("forms", true);
    tree.add("forms", "3", "frmb (b.frm)");
    tree.add("forms", "1", "FrmA (a.frm)");
    tree.add("forms", "2", "frmA (a.frm)");  // equal ignoring case: stays after the first
    tree.add("forms", "0", "Abc");
    EXPECT_EQ(keysOf(tree.children("forms")), (std::vector<std::string>{"0", "1", "2", "3"}));
}

TEST(ProjectTree, DisplayOrderIsDepthFirstAdditionOrderIsInsertion) {
    ProjectTree tree;
    tree.add("", "project", "P");
    tree.add("project", "b", "B");
    tree.add("project", "a", "A");
    tree.add("b", "b1", "B1");
    tree.add("a", "a1", "A1");
    EXPECT_EQ(keysOf(tree.displayOrder()), (std::vector<std::string>{"project", "b", "b1", "a", "a1"}));
    EXPECT_EQ(keysOf(tree.additionOrder()), (std::vector<std::string>{"project", "b", "a", "b1", "a1"}));
    EXPECT_EQ(tree.depthOf("a1"), 2);
    // A visit in that order ends where the visitor says so.
    std::vector<std::string> visited;
    tree.forEachInAdditionOrder([&](const TreeNode& node) {
        visited.push_back(node.key.str());
        return node.key != "a";
    });
    EXPECT_EQ(visited, (std::vector<std::string>{"project", "b", "a"}));
}

TEST(ProjectTree, RemovingANodeRemovesItsSubtreeAndFreesTheKeys) {
    ProjectTree tree;
    tree.add("", "project", "P");
    tree.add("project", "classes", "Class Modules");
    tree.add("classes", "/p/c.cls", "C (c.cls)");
    EXPECT_TRUE(tree.remove("classes"));
    EXPECT_FALSE(tree.contains("/p/c.cls"));
    EXPECT_EQ(tree.size(), 1u);
    EXPECT_TRUE(tree.add("project", "classes", "Class Modules"));
    EXPECT_EQ(keysOf(tree.displayOrder()), (std::vector<std::string>{"project", "classes"}));
}

TEST(ProjectTree, NodesWithoutKeysAreAllowedButCannotBeFoundOrParents) {
    ProjectTree tree;
    tree.add("", "project", "P");
    EXPECT_TRUE(tree.add("project", "", "OLE Automation"));
    EXPECT_TRUE(tree.add("project", "", "Another"));
    EXPECT_FALSE(tree.contains(""));
    EXPECT_EQ(tree.find(""), nullptr);
    EXPECT_EQ(tree.children("project").size(), 2u);
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_TRUE(tree.remove("project"));
    EXPECT_EQ(tree.size(), 0u);
}

}  // namespace tally
