#pragma once
// The spelling the disk gives a path. A VB6 project names its members in whatever case its author
// typed ("FORMS\MAIN.FRM"); on a file system that ignores case the file is found all the same, and
// the entry stored for it must carry the name as the folder lists it ("Forms/Main.frm"), since that
// is the name it gets back when the archive is unpacked on a system where case counts.

#include <string>
#include <unordered_map>
#include <vector>

namespace tally::archive {

class DiskSpelling {
public:
    // `path` (absolute, tidied, existing) with each name as its folder's listing writes it; a name
    // the listing has as it stands, or whose folder cannot be read, stays as it is.
    std::string spell(const std::string& path);

private:
    const std::vector<std::string>& namesIn(const std::string& folder);

    std::unordered_map<std::string, std::vector<std::string>> m_listings;  // folder -> sorted names
    std::unordered_map<std::string, std::string> m_folders;                // folder -> its spelling
};

}  // namespace tally::archive
