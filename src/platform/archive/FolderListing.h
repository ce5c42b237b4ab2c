#pragma once
// What one folder holds, as the file finder and the spelling lookup read it: the names
// in byte order (so a run stores its files in the same order every time), and for each whether it is
// a file to store or a folder to go down into.

#include <string>
#include <vector>

namespace tally::archive {

struct ListedName {
    std::string name;
    bool regularFile = false;  // a regular file, also through a link: what a wildcard may match
    bool folder = false;       // a folder reached without a link: a link to one is not followed, so a
                               // link back up the tree cannot make the walk go round for ever
};

// The names in `folder`, sorted; empty when it cannot be read. `withKinds` false leaves both flags
// false and saves a look at each name.
std::vector<ListedName> listFolder(const std::string& folder, bool withKinds = true);

// "folder/name", with no doubled "/" after the root.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace tally::archive
