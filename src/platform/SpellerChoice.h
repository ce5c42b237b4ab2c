#pragma once
// Opening the speller a spell check uses: the named dictionary (unless the user chose one, the
// installed one of the project's language, en_US at last), with the project's word list on top.
// Says which of the two failures it met. A build without Hunspell finds no dictionary.

#include <memory>
#include <string>
#include <vector>

#include "core/spell/WordList.h"
#include "core/spell/Speller.h"
#include "core/text/TextCodec.h"

namespace tally {

struct OpenedSpeller {
    std::unique_ptr<Speller> dictionary;  // nothing when no dictionary was found
    bool dictionaryLoaded = false;        // its files were read as a dictionary
    std::string dictionaryPath;           // the .dic file chosen
    std::unique_ptr<WordListSpeller> speller;     // what the check asks; set when `dictionary` is

    // The message for a speller that cannot answer; empty when it can.
    std::string failure() const;
};

// `dictionaryName` empty means defaultDictionaryFor(codePage); the words of every file in
// `wordLists` count as correct; words are asked in the project's `codePage`.
OpenedSpeller openSpeller(const std::string& dictionaryName, const std::vector<std::string>& wordLists,
                          int codePage = kCodePageWestern);

}  // namespace tally
