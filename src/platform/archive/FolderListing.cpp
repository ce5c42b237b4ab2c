#include "platform/archive/FolderListing.h"

#include <algorithm>
#include <filesystem>

namespace tally::archive {

namespace {

std::string nameText(const std::filesystem::path& name) {
#ifdef _WIN32
    const std::u8string utf8 = name.u8string();
    return std::string(utf8.begin(), utf8.end());
#else
    return name.string();
#endif
}

}  // namespace

std::vector<ListedName> listFolder(const std::string& folder, bool withKinds) {
    namespace fs = std::filesystem;
    std::vector<ListedName> names;
    std::error_code error;
    fs::directory_iterator it(fs::path(folder), error);
    // The increment with an error code: a folder that changes while it is read must not throw.
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        ListedName listed;
        listed.name = nameText(it->path().filename());
        if (withKinds) {
            std::error_code kindError;
            const fs::file_status own = it->symlink_status(kindError);
            if (!kindError && fs::is_directory(own)) {
                listed.folder = true;
            } else {
                const fs::file_status target = it->status(kindError);
                listed.regularFile = !kindError && fs::is_regular_file(target);
            }
        }
        names.push_back(std::move(listed));
    }
    std::sort(names.begin(), names.end(),
              [](const ListedName& a, const ListedName& b) { return a.name < b.name; });
    return names;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace tally::archive
