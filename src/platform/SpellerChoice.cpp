#include "platform/SpellerChoice.h"

#include "core/spell/SpellMessages.h"
#include "platform/SpellDictionaries.h"

namespace tally {

std::string OpenedSpeller::failure() const {
    if (!dictionary) return std::string(kNoSpeller);
    if (!dictionary->loaded()) return brokenDictionaryMessage(dictionaryPath);
    return {};
}

OpenedSpeller openSpeller(const std::string& dictionaryName, const std::vector<std::string>& wordLists,
                          int codePage) {
    OpenedSpeller opened;
    const std::vector<std::string> folders = dictionaryFolders();
    const std::string name = dictionaryName.empty() ? defaultDictionaryFor(codePage, folders) : dictionaryName;
    std::optional<DictionaryFiles> files = findDictionary(folders, name);
    if (!files) return opened;
    opened.dictionaryPath = files->dictionaryPath;
    opened.dictionary = std::make_unique<HunspellSpeller>(files->affixPath, files->dictionaryPath, codePage);
    WordList words;
    for (const std::string& file : wordLists) words.merge(readWordList(file));
    opened.speller = std::make_unique<WordListSpeller>(*opened.dictionary, std::move(words));
    return opened;
}

}  // namespace tally
