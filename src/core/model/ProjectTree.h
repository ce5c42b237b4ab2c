#pragma once
// The project tree: nodes with unique text keys, display texts and image keys. The main window shows
// it; the reader and the passes fill it; the scan file saves and restores it node by node.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/CompactText.h"
#include "core/text/NameHash.h"

namespace tally {

struct TreeNode {
    CompactText key;
    CompactText parentKey;  // empty for a top-level node
    CompactText text;
    CompactText image;
    CompactText selectedImage;
    bool expanded = false;
};

// A node as shown, with its depth below the top level (0 for a top-level node).
struct TreeLine {
    const TreeNode* node;
    int depth;
};

class ProjectTree {
public:
    // Adds a node as the last child of `parentKey` (or, for a sorting parent, after the last sibling
    // whose text does not sort after it); an empty parent key adds a top-level node. A node may have
    // no key (an empty one): it cannot be found or be a parent, and any number of them may exist.
    // Returns false and adds nothing when the key is taken or the parent does not exist.
    bool add(std::string_view parentKey, std::string_view key, std::string_view text,
             std::string_view image = {}, std::string_view selectedImage = {});
    // Makes room for `count` more nodes, so that adding many nodes in a row moves the others once at most.
    void reserveForMore(std::size_t count);
    // Removes the node and everything below it.
    bool remove(std::string_view key);
    void clear();

    bool contains(std::string_view key) const;
    const TreeNode* find(std::string_view key) const;
    bool setText(std::string_view key, std::string_view text);
    bool setExpanded(std::string_view key, bool expanded);
    // Keeps the children of `key` sorted by text, without regard to case; equal texts keep the order
    // in which they were added.
    bool setSorted(std::string_view key, bool sorted);

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    // Nodes as shown: depth first, parents before children, siblings in order.
    std::vector<const TreeNode*> displayOrder() const;
    // The same order with each node's depth.
    std::vector<TreeLine> displayLines() const;
    // Nodes in the order in which they were added (removed nodes left out).
    std::vector<const TreeNode*> additionOrder() const;
    // Calls visit(node) for them in that order until it returns false: a search that ends at the
    // first nodes (the members, added first) does not read the whole tree.
    template <class Visit>
    void forEachInAdditionOrder(Visit&& visit) const {
        for (const Slot& slot : m_slots)
            if (!slot.removed && !visit(slot.node)) return;
    }
    std::vector<const TreeNode*> children(std::string_view key) const;
    std::vector<const TreeNode*> topLevel() const;
    int depthOf(std::string_view key) const;

private:
    struct Slot {
        TreeNode node;
        int parent = -1;
        std::vector<int> children;
        bool sorted = false;
        bool removed = false;
    };
    int indexOf(std::string_view key) const;
    void insertChild(std::vector<int>& siblings, int child, bool sorted);
    void markRemoved(int index);
    void appendDepthFirst(int index, int depth, std::vector<TreeLine>& out) const;

    std::vector<Slot> m_slots;
    std::vector<int> m_roots;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_index;
    std::size_t m_size = 0;
};

}  // namespace tally
