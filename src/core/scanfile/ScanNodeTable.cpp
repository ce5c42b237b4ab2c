#include "core/scanfile/ScanNodeTable.h"

namespace tally {

std::vector<ScanNode> scanNodesOf(const ProjectTree& tree) {
    std::vector<ScanNode> table;
    const std::vector<const TreeNode*> nodes = tree.displayOrder();
    table.reserve(nodes.size());
    for (const TreeNode* node : nodes) {
        ScanNode row;
        row.parentKey = node->parentKey.empty() ? std::string(kScanTopParentKey) : node->parentKey;
        row.key = node->key;
        row.text = node->text;
        row.image = node->image;
        row.selectedImage = node->selectedImage;
        row.expanded = node->expanded;
        table.push_back(std::move(row));
    }
    return table;
}

NodeAddOutcome addScanNode(ProjectTree& tree, const ScanNode& node) {
    if (tree.contains(node.key)) return NodeAddOutcome::DuplicateKey;
    // The root's children are written with the same parent key "project" as the root itself; taking
    // them all as top-level would lift every folder out of the project node.
    std::string_view parent = node.parentKey;
    if (parent == kScanTopParentKey && (node.key == kScanTopParentKey || !tree.contains(parent))) parent = {};
    if (!parent.empty() && !tree.contains(parent)) return NodeAddOutcome::UnknownParent;
    tree.add(parent, node.key, node.text, node.image, node.selectedImage);
    if (node.expanded) tree.setExpanded(node.key, true);
    return NodeAddOutcome::Added;
}

}  // namespace tally
