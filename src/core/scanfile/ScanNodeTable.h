#pragma once
// The project tree as a Project Scan File lists it: one row of six texts per node, parents before
// children, and the way the tree is built again from those rows.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectTree.h"

namespace tally {

// The parent key written for a top-level node; it is also the key of the project's root node.
inline constexpr std::string_view kScanTopParentKey = "project";

// One node of the node table.
struct ScanNode {
    std::string parentKey;
    std::string key;
    std::string text;
    std::string image;
    std::string selectedImage;
    bool expanded = false;

    bool operator==(const ScanNode&) const = default;
};

// The tree's nodes in display order (depth first, siblings in order); top-level nodes get the
// parent key "project".
std::vector<ScanNode> scanNodesOf(const ProjectTree& tree);

// What became of a node added back to the tree.
enum class NodeAddOutcome { Added, UnknownParent, DuplicateKey };

// Adds one node of the table to the tree. Parent key "project" makes the node top-level only when
// the node is the root "project" itself (or the tree has no "project" node yet); every other node
// becomes the last child of its parent, which must already be in the tree.
NodeAddOutcome addScanNode(ProjectTree& tree, const ScanNode& node);

}  // namespace tally
