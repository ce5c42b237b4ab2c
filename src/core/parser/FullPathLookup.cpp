#include "core/parser/FullPathLookup.h"

#include "core/parser/NameTrie.h"

namespace tally {

FullPathLookup::FullPathLookup(const ProjectTree& tree, const std::vector<std::string_view>& fileNames) {
    // Every file name that a key ends with is found by one backward walk from the key's end.
    NameTrie names(NameTrie::Direction::Backward, fileNames);
    std::vector<const std::string*> found(static_cast<std::size_t>(names.size()), nullptr);
    int missing = names.size();
    for (const TreeNode* node : tree.additionOrder()) {
        if (missing == 0) break;
        const std::string& key = node->key;
        names.forEachEndingAt(key, key.size(), [&](int id, std::size_t) {
            auto& slot = found[static_cast<std::size_t>(id)];
            if (slot) return;
            slot = &key;
            --missing;
        });
    }
    for (int id = 0; id < names.size(); ++id) {
        const std::string* path = found[static_cast<std::size_t>(id)];
        m_paths.emplace(names.name(id), path ? *path : std::string());
    }
}

const std::string& FullPathLookup::pathOf(std::string_view fileName) const {
    static const std::string none;
    auto it = m_paths.find(std::string(fileName));
    return it == m_paths.end() ? none : it->second;
}

std::string fullPathOf(const ProjectTree& tree, std::string_view fileName) {
    return FullPathLookup(tree, {fileName}).pathOf(fileName);
}

}  // namespace tally
