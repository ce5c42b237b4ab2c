#include "platform/archive/DiskSpelling.h"

#include <algorithm>
#include <cctype>

#include "core/os/FileFacts.h"
#include "platform/archive/ArchivePaths.h"
#include "platform/archive/FolderListing.h"

namespace tally::archive {

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

const std::vector<std::string>& DiskSpelling::namesIn(const std::string& folder) {
    auto found = m_listings.find(folder);
    if (found != m_listings.end()) return found->second;
    std::vector<std::string> names;
    for (ListedName& listed : listFolder(folder, false)) names.push_back(std::move(listed.name));
    return m_listings.emplace(folder, std::move(names)).first->second;
}

std::string DiskSpelling::spell(const std::string& path) {
    const std::string folder = folderOf(path);
    if (folder.empty() || folder == path) return path;  // the root, or no folder to look in
    std::string spelledFolder;
    if (auto known = m_folders.find(folder); known != m_folders.end()) {
        spelledFolder = known->second;
    } else {
        spelledFolder = spell(folder);
        m_folders.emplace(folder, spelledFolder);
    }
    const std::string name = nameOf(path);
    const std::vector<std::string>& names = namesIn(spelledFolder);
    if (std::binary_search(names.begin(), names.end(), name)) return joinPath(spelledFolder, name);
    // Only a name that leads to the very same file counts: on a disk where case matters, "a.frm"
    // and "A.FRM" are two files, and the one asked for is the one meant.
    const auto wanted = fileIdentity(joinPath(spelledFolder, name));
    if (wanted) {
        for (const std::string& listed : names)
            if (equalIgnoringCase(listed, name) && fileIdentity(joinPath(spelledFolder, listed)) == wanted)
                return joinPath(spelledFolder, listed);
    }
    return joinPath(spelledFolder, name);
}

}  // namespace tally::archive
