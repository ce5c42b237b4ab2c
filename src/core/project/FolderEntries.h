#pragma once
// The names in the folders of a project, each folder listed once: a test for a file that is not
// there then needs no look at the disk per file (most sources have no .frx companion).

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tally {

class FolderEntries {
public:
    // False when `path` certainly names nothing: its folder could be listed and holds no entry of that
    // name. True when something may be there (then the disk decides).
    bool mayExist(std::string_view path);

private:
    struct Listing {
        bool listed = false;
        std::unordered_set<std::string> names;
    };
    const Listing& listingOf(const std::string& folder);

    std::unordered_map<std::string, Listing> m_folders;
};

// True when `path` names an existing regular file; asks the disk only when `folders` cannot rule it out.
bool fileExists(FolderEntries& folders, std::string_view path);

}  // namespace tally
