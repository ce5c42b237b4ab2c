#pragma once
// The project tree as text a test compares with a golden file under tests/data/projects/golden/: one
// line per node in display order, indented by depth, "key|text|image|selected image|" and "+" when
// expanded.

#include <string>
#include <string_view>

#include "core/model/ProjectTree.h"
#include "core/os/FileFacts.h"
#include "core/text/TextOps.h"
#include "support/TempDir.h"  // nativePath

namespace tally {

inline const std::string kProjectsDir = nativePath(std::string(TALLY_SOURCE_DIR) + "/tests/data/projects");

inline std::string dumpTree(const ProjectTree& tree) {
    std::string out;
    for (const TreeLine& line : tree.displayLines()) {
        const TreeNode* node = line.node;
        out += std::string(2 * line.depth, ' ') + node->key + "|" + node->text + "|" +
               node->image + "|" + node->selectedImage + "|" + (node->expanded ? "+" : "") + "\n";
    }
    return out;
}

// The golden file with "@PROJECTS@" standing for the fixture folder, and its paths written with the
// system's separators (the files hold no other slashes).
inline std::string golden(std::string_view name) {
    const std::string text = readFileBytes(kProjectsDir + "/golden/" + std::string(name)).value_or("<missing>");
    return replaceAll(nativePath(text), "@PROJECTS@", kProjectsDir);
}

}  // namespace tally
