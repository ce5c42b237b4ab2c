#include "platform/SpellDictionaries.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/os/FileFacts.h"

namespace tally {

std::vector<std::string> dictionaryFolders(const std::string& dicPath, const std::string& home) {
    std::vector<std::string> folders;
    for (std::size_t from = 0; from <= dicPath.size();) {
        std::size_t colon = dicPath.find(':', from);
        if (colon == std::string::npos) colon = dicPath.size();
        if (colon > from) folders.push_back(dicPath.substr(from, colon - from));
        from = colon + 1;
    }
    if (!home.empty()) folders.push_back(home + "/.local/share/hunspell");
    for (const char* system : {"/usr/share/hunspell", "/usr/local/share/hunspell", "/usr/share/myspell",
                               "/usr/share/myspell/dicts", "/usr/local/share/myspell"})
        folders.emplace_back(system);
    return folders;
}

std::vector<std::string> dictionaryFolders() {
    const char* dicPath = std::getenv("DICPATH");
    const char* home = std::getenv("HOME");
    return dictionaryFolders(dicPath ? dicPath : "", home ? home : "");
}

std::vector<DictionaryFiles> installedDictionaries(const std::vector<std::string>& folders) {
    std::vector<DictionaryFiles> found;
    std::set<std::string> names;
    for (const std::string& folder : folders) {
        std::error_code error;
        std::filesystem::directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error)) {
            const std::filesystem::path& path = it->path();
            if (path.extension() != ".dic") continue;
            const std::string name = path.stem().string();
            std::string affix = (path.parent_path() / (name + ".aff")).string();
            // Hyphenation and thesaurus files share the folder; only a .dic with its .aff is a speller.
            if (!fileExists(path.string()) || !fileExists(affix) || !names.insert(name).second) continue;
            found.push_back({name, affix, path.string()});
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return found;
}

std::optional<DictionaryFiles> findDictionary(const std::vector<std::string>& folders, const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    for (const std::string& folder : folders) {
        const std::string dic = folder + "/" + name + ".dic";
        // The .dic decides; a missing or broken .aff beside it is the speller's to report.
        if (fileExists(dic)) return DictionaryFiles{name, folder + "/" + name + ".aff", dic};
    }
    return std::nullopt;
}

std::vector<std::string> dictionaryNamesForCodePage(int codePage) {
    switch (codePage) {
        case 1250: return {"pl_PL", "cs_CZ", "hu_HU"};
        case 1251: return {"ru_RU", "uk_UA", "bg_BG"};
        case 1253: return {"el_GR"};
        case 1254: return {"tr_TR"};
        case 1257: return {"lt_LT", "lv_LV"};
        default: return {kDefaultDictionary};
    }
}

std::string defaultDictionaryFor(int codePage, const std::vector<std::string>& folders) {
    for (const std::string& name : dictionaryNamesForCodePage(codePage))
        if (findDictionary(folders, name)) return name;
    return kDefaultDictionary;
}

}  // namespace tally
