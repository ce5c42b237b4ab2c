#pragma once
// The full path of a file named without its directory, as the project tree knows it: the key of the
// first node, in the order the nodes were added, whose key is the file name or ends with a separator
// (`\` or `/`) followed by the file name.

#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectTree.h"
#include "core/support/NameTrie.h"

namespace tally {

class FullPathLookup {
public:
    // Answers for all `fileNames` at once, walking the tree's keys a single time; an empty file name
    // is the key of the first node. Names that no key ends with, after a
    // separator, get the empty text.
    FullPathLookup(const ProjectTree& tree, const std::vector<std::string_view>& fileNames);

    // The path found for one of the file names given; empty for any other text.
    const std::string& pathOf(std::string_view fileName) const;

private:
    NameTrie m_names;  // backward: every file name that a key ends with is found from the key's end
    std::vector<std::string> m_paths;  // per name id
};

// The full path of one file name (see FullPathLookup); empty when no key ends with it.
std::string fullPathOf(const ProjectTree& tree, std::string_view fileName);

}  // namespace tally
