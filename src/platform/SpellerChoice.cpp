#include "platform/SpellerChoice.h"

#include "core/spell/SpellMessages.h"
#include "platform/SpellDictionaries.h"
#if TALLY_HAVE_HUNSPELL
#include "platform/HunspellSpeller.h"
#endif

namespace tally {

std::string OpenedSpeller::failure() const {
    if (!dictionary) return std::string(kNoSpeller);
    if (!dictionaryLoaded) return brokenDictionaryMessage(dictionaryPath);
    return {};
}

OpenedSpeller openSpeller(const std::string& dictionaryName, const std::vector<std::string>& wordLists,
                          int codePage) {
    OpenedSpeller opened;
#if TALLY_HAVE_HUNSPELL
    const std::vector<std::string> folders = dictionaryFolders();
    const std::string name = dictionaryName.empty() ? defaultDictionaryFor(codePage, folders) : dictionaryName;
    std::optional<DictionaryFiles> files = findDictionary(folders, name);
    if (!files) return opened;
    opened.dictionaryPath = files->dictionaryPath;
    auto hunspell = std::make_unique<HunspellSpeller>(files->affixPath, files->dictionaryPath, codePage);
    opened.dictionaryLoaded = hunspell->loaded();
    opened.dictionary = std::move(hunspell);
    WordList words;
    for (const std::string& file : wordLists) words.merge(readWordList(file));
    opened.speller = std::make_unique<WordListSpeller>(*opened.dictionary, std::move(words));
#else
    (void)dictionaryName, (void)wordLists, (void)codePage;
#endif
    return opened;
}

}  // namespace tally
