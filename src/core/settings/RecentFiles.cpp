#include "core/settings/RecentFiles.h"

#include "core/settings/AppSettings.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::string_view kRecentKey = "MRUList";

std::string placeName(int index) {
    return std::to_string(index + 1);
}

}  // namespace

RecentFiles loadRecentFiles(const RegistryStore& store) {
    RecentFiles files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string path = readSetting(store, kRecentKey, placeName(i));
        if (!trim(path).empty()) files[static_cast<std::size_t>(i)] = std::move(path);
    }
    return files;
}

bool addRecentFile(RegistryStore& store, const RecentFiles& shown, std::string_view path) {
    for (const std::string& listed : shown)
        if (!listed.empty() && listed == path) return false;
    // The stored list, not the menu, is what moves down: another window may have changed it.
    const RecentFiles stored = loadRecentFiles(store);
    for (int i = kRecentFileCount - 1; i > 0; --i)
        writeSetting(store, kRecentKey, placeName(i), stored[static_cast<std::size_t>(i - 1)]);
    writeSetting(store, kRecentKey, placeName(0), path);
    return true;
}

std::string recentFileCaption(std::string_view path) {
    // Windows paths name their folder with "\", the others with "/".
    const std::size_t cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

RecentFileKind recentFileKind(std::string_view path) {
    const std::string end = toLower(path.size() >= 3 ? path.substr(path.size() - 3) : path);
    if (end == "vbp") return RecentFileKind::Project;
    if (end == "psf") return RecentFileKind::ScanFile;
    return RecentFileKind::Other;
}

}  // namespace tally
