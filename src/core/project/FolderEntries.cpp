#include "core/project/FolderEntries.h"

#include <filesystem>
#include <system_error>

#include "core/project/FileFacts.h"

namespace tally {

namespace fs = std::filesystem;

const FolderEntries::Listing& FolderEntries::listingOf(const std::string& folder) {
    auto [it, added] = m_folders.try_emplace(folder);
    if (!added) return it->second;
    Listing& listing = it->second;
    std::error_code ec;
    fs::directory_iterator entries(fs::path(folder), ec);
    if (ec) return listing;
    for (fs::directory_iterator end; entries != end; entries.increment(ec))
        listing.names.insert(entries->path().filename().string());
    if (ec) {
        listing.names.clear();
        return listing;
    }
    listing.listed = true;
    return listing;
}

bool FolderEntries::mayExist(std::string_view path) {
    // Only a plain absolute path is split at its last "/"; anything else is left to the disk.
    if (path.empty() || path.front() != '/' ||
        path.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return true;
    std::size_t slash = path.rfind('/');
    std::string_view name = path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return true;
    const Listing& listing = listingOf(std::string(path.substr(0, slash == 0 ? 1 : slash)));
    return !listing.listed || listing.names.count(std::string(name)) > 0;
}

bool fileExists(FolderEntries& folders, std::string_view path) {
    return folders.mayExist(path) && fileExists(path);
}

}  // namespace tally
