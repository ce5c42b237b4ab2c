#include "core/model/FullPathLookup.h"

namespace tally {

namespace {

// A key names the file only when the file name is the whole key or follows a separator, so that
// "Main.frm" is never taken for ".../frmMain.frm".
bool endsAtSeparator(std::string_view key, std::size_t length) {
    if (length == 0 || length >= key.size()) return true;
    const char before = key[key.size() - length - 1];
    return before == '\\' || before == '/';
}

}  // namespace

FullPathLookup::FullPathLookup(const ProjectTree& tree, const std::vector<std::string_view>& fileNames)
    : m_names(NameTrie::Direction::Backward, fileNames), m_paths(static_cast<std::size_t>(m_names.size())) {
    std::vector<char> found(m_paths.size(), 0);
    std::size_t missing = m_paths.size();
    tree.forEachInAdditionOrder([&](const TreeNode& node) {
        if (missing == 0) return false;
        const std::string_view key = node.key;
        m_names.forEachEndingAt(key, key.size(), [&](int id, std::size_t length) {
            const auto k = static_cast<std::size_t>(id);
            if (found[k] || !endsAtSeparator(key, length)) return;
            found[k] = 1;
            m_paths[k] = key;
            --missing;
        });
        return true;
    });
}

const std::string& FullPathLookup::pathOf(std::string_view fileName) const {
    static const std::string none;
    const int id = m_names.idOf(fileName);
    return id < 0 ? none : m_paths[static_cast<std::size_t>(id)];
}

std::string fullPathOf(const ProjectTree& tree, std::string_view fileName) {
    return FullPathLookup(tree, {fileName}).pathOf(fileName);
}

}  // namespace tally
