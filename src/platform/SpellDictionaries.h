#pragma once
// Where the Hunspell dictionaries of this machine are: the folders named in DICPATH, the user's
// own (~/.local/share/hunspell) and the system's (/usr/share/hunspell, /usr/share/myspell, ...).

#include <optional>
#include <string>
#include <vector>

namespace tally {

inline constexpr const char* kDefaultDictionary = "en_US";

struct DictionaryFiles {
    std::string name;  // "en_US"
    std::string affixPath;
    std::string dictionaryPath;
};

// The folders looked in, in order, from DICPATH (colon-separated) and HOME.
std::vector<std::string> dictionaryFolders(const std::string& dicPath, const std::string& home);
// The same for this process's environment.
std::vector<std::string> dictionaryFolders();

// Every dictionary (a .dic with its .aff beside it) in `folders`, each name once (the first folder
// wins), sorted by name.
std::vector<DictionaryFiles> installedDictionaries(const std::vector<std::string>& folders);

// The dictionary called `name` (the first folder that has its .dic), or nothing.
std::optional<DictionaryFiles> findDictionary(const std::vector<std::string>& folders, const std::string& name);

}  // namespace tally
