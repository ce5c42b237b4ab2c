#include "platform/archive/EntryNaming.h"

#include <unordered_map>

#include "platform/archive/ArchivePaths.h"

namespace tally::archive {

EntryNaming nameEntries(std::vector<FoundFile> files, const std::string& basePath, bool storeFolderNames) {
    const std::string base = absoluteUnder(basePath.empty() ? std::string(".") : withSlashes(basePath), "");
    // The shared folder matters only when a file lies outside the base folder; worked out before
    // the files move into the result.
    std::string shared;
    bool anyOutside = false;
    if (storeFolderNames) {
        std::vector<std::string> paths;
        paths.reserve(files.size());
        for (const FoundFile& file : files) {
            paths.push_back(file.path);
            anyOutside = anyOutside || !relativeInside(file.path, base);
        }
        if (anyOutside) shared = commonFolder(paths);
    }
    auto outsideName = [&](const std::string& path) {
        if (auto below = relativeInside(path, shared)) return *below;
        return withoutRoot(path);  // no shared root at all (two drives): the path less its root
    };

    EntryNaming naming;
    std::unordered_map<std::string, std::size_t> placeOf;
    for (FoundFile& file : files) {
        std::string name;
        if (!storeFolderNames) {
            name = nameOf(file.path);
        } else if (auto below = anyOutside ? std::nullopt : relativeInside(file.path, base)) {
            name = *below;
        } else {
            // Once one file lies outside the base folder, every name starts from the folder they
            // all share, so that extracting the archive keeps the "..\shared" layout the project
            // file refers to.
            name = outsideName(file.path);
        }
        auto [place, fresh] = placeOf.emplace(name, naming.files.size());
        if (fresh) {
            naming.files.push_back(NamedFile{std::move(file), std::move(name)});
            continue;
        }
        NamedFile& earlier = naming.files[place->second];
        // The same file found twice (a wildcard and its own name) is stored once.
        if (earlier.file.facts.device == file.facts.device && earlier.file.facts.node == file.facts.node &&
            earlier.file.path == file.path)
            continue;
        naming.notes.push_back("duplicate entry name " + name + ": " + file.path + " replaces " +
                               earlier.file.path);
        naming.clashes.push_back(name + " (" + earlier.file.path + " and " + file.path + ")");
        earlier.file = std::move(file);
    }
    return naming;
}

std::vector<FolderEntry> folderEntriesOf(const NamedFile& named) {
    std::vector<FolderEntry> entries;
    const std::vector<std::string> names = componentsOf(named.entryName);
    std::string folderPath = named.file.path;
    std::vector<std::string> diskFolders;
    for (std::size_t i = 1; i < names.size(); ++i) {
        folderPath = folderOf(folderPath);
        diskFolders.push_back(folderPath);
    }
    std::string entry;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        entry += names[i] + "/";
        entries.push_back(FolderEntry{entry, diskFolders[diskFolders.size() - 1 - i]});
    }
    return entries;
}

}  // namespace tally::archive
