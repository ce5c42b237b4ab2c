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

// The languages a project in `codePage` is most likely written in, as dictionary names, most
// likely first: 1251 ru_RU, uk_UA, bg_BG; 1250 pl_PL, cs_CZ, hu_HU; 1253 el_GR; 1254 tr_TR; 1257
// lt_LT, lv_LV; en_US for every other page (in the East Asian pages only the ASCII words are
// checked, and those are mostly English).
std::vector<std::string> dictionaryNamesForCodePage(int codePage);

// The dictionary a check of a project in `codePage` uses when the user chose none: the first of
// dictionaryNamesForCodePage installed in `folders`, else en_US.
std::string defaultDictionaryFor(int codePage, const std::vector<std::string>& folders);

}  // namespace tally
