#include "core/model/ProjectTree.h"

#include <algorithm>
#include <utility>

namespace tally {

namespace {
unsigned char lowerByte(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// The order of the ASCII lower-case copies of the texts (bytes unsigned, a prefix first), found
// without making the copies.
bool sortsBefore(std::string_view a, std::string_view b) {
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        unsigned char x = lowerByte(a[i]), y = lowerByte(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}
}  // namespace

int ProjectTree::indexOf(std::string_view key) const {
    if (key.empty()) return -1;
    auto it = m_index.find(key);
    return it == m_index.end() ? -1 : it->second;
}

void ProjectTree::insertChild(std::vector<int>& siblings, int child, bool sorted) {
    if (!sorted) {
        siblings.push_back(child);
        return;
    }
    const std::string_view text = m_slots[child].node.text;
    auto at = std::upper_bound(siblings.begin(), siblings.end(), child,
                               [&](int, int other) { return sortsBefore(text, m_slots[other].node.text); });
    siblings.insert(at, child);
}

bool ProjectTree::add(std::string_view parentKey, std::string_view key, std::string_view text,
                      std::string_view image, std::string_view selectedImage) {
    if (indexOf(key) >= 0) return false;
    int parent = -1;
    if (!parentKey.empty()) {
        parent = indexOf(parentKey);
        if (parent < 0) return false;
    }
    Slot slot;
    slot.node.key = std::string(key);
    slot.node.parentKey = parent < 0 ? std::string() : std::string(parentKey);
    slot.node.text = std::string(text);
    slot.node.image = std::string(image);
    slot.node.selectedImage = std::string(selectedImage);
    slot.parent = parent;
    int index = static_cast<int>(m_slots.size());
    m_slots.push_back(std::move(slot));
    if (!key.empty()) m_index.emplace(std::string(key), index);
    ++m_size;
    if (parent < 0)
        m_roots.push_back(index);
    else
        insertChild(m_slots[parent].children, index, m_slots[parent].sorted);
    return true;
}

void ProjectTree::reserveForMore(std::size_t count) {
    m_slots.reserve(m_slots.size() + count);
    m_index.reserve(m_index.size() + count);
}

// Walks with a list of its own rather than the call stack: a tree read from a file may be deep.
void ProjectTree::markRemoved(int index) {
    std::vector<int> pending{index};
    while (!pending.empty()) {
        Slot& slot = m_slots[pending.back()];
        pending.pop_back();
        slot.removed = true;
        if (auto it = m_index.find(slot.node.key.view()); it != m_index.end()) m_index.erase(it);
        --m_size;
        pending.insert(pending.end(), slot.children.begin(), slot.children.end());
        slot.children.clear();
    }
}

bool ProjectTree::remove(std::string_view key) {
    int index = indexOf(key);
    if (index < 0) return false;
    int parent = m_slots[index].parent;
    std::vector<int>& siblings = parent < 0 ? m_roots : m_slots[parent].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), index));
    markRemoved(index);
    return true;
}

void ProjectTree::clear() {
    m_slots.clear();
    m_roots.clear();
    m_index.clear();
    m_size = 0;
}

bool ProjectTree::contains(std::string_view key) const {
    return indexOf(key) >= 0;
}

const TreeNode* ProjectTree::find(std::string_view key) const {
    int index = indexOf(key);
    return index < 0 ? nullptr : &m_slots[index].node;
}

bool ProjectTree::setText(std::string_view key, std::string_view text) {
    int index = indexOf(key);
    if (index < 0) return false;
    m_slots[index].node.text = std::string(text);
    return true;
}

bool ProjectTree::setExpanded(std::string_view key, bool expanded) {
    int index = indexOf(key);
    if (index < 0) return false;
    m_slots[index].node.expanded = expanded;
    return true;
}

bool ProjectTree::setSorted(std::string_view key, bool sorted) {
    int index = indexOf(key);
    if (index < 0) return false;
    Slot& slot = m_slots[index];
    slot.sorted = sorted;
    if (sorted) {
        std::stable_sort(slot.children.begin(), slot.children.end(), [&](int a, int b) {
            return sortsBefore(m_slots[a].node.text, m_slots[b].node.text);
        });
    }
    return true;
}

// Depth first with a stack of its own (children pushed in reverse, so the first comes out first):
// a tree read from a file may be far deeper than the call stack allows.
void ProjectTree::appendDepthFirst(int index, int depth, std::vector<TreeLine>& out) const {
    std::vector<std::pair<int, int>> pending{{index, depth}};
    while (!pending.empty()) {
        auto [at, level] = pending.back();
        pending.pop_back();
        out.push_back(TreeLine{&m_slots[at].node, level});
        const std::vector<int>& children = m_slots[at].children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.emplace_back(*child, level + 1);
    }
}

std::vector<TreeLine> ProjectTree::displayLines() const {
    std::vector<TreeLine> out;
    out.reserve(m_size);
    for (int root : m_roots) appendDepthFirst(root, 0, out);
    return out;
}

std::vector<const TreeNode*> ProjectTree::displayOrder() const {
    std::vector<const TreeNode*> out;
    out.reserve(m_size);
    for (const TreeLine& line : displayLines()) out.push_back(line.node);
    return out;
}

std::vector<const TreeNode*> ProjectTree::additionOrder() const {
    std::vector<const TreeNode*> out;
    out.reserve(m_size);
    for (const Slot& slot : m_slots)
        if (!slot.removed) out.push_back(&slot.node);
    return out;
}

std::vector<const TreeNode*> ProjectTree::children(std::string_view key) const {
    std::vector<const TreeNode*> out;
    int index = indexOf(key);
    if (index < 0) return out;
    for (int child : m_slots[index].children) out.push_back(&m_slots[child].node);
    return out;
}

std::vector<const TreeNode*> ProjectTree::topLevel() const {
    std::vector<const TreeNode*> out;
    for (int root : m_roots) out.push_back(&m_slots[root].node);
    return out;
}

int ProjectTree::depthOf(std::string_view key) const {
    int index = indexOf(key);
    if (index < 0) return -1;
    int depth = 0;
    while (m_slots[index].parent >= 0) {
        index = m_slots[index].parent;
        ++depth;
    }
    return depth;
}

}  // namespace tally
