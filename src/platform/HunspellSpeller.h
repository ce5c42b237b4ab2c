#pragma once
// The speller behind the spell check: a Hunspell dictionary (an .aff and a .dic file). Words come
// as the project's Windows-1252 bytes and go to Hunspell in the dictionary's own encoding;
// suggestions that Windows-1252 cannot hold are left out, since they could not be written back.
// Like a word processor's check, numbers and signs, words with digits and words in capitals are
// taken as correct.

#include <memory>
#include <string>

#include "core/spell/Speller.h"

namespace tally {

class HunspellSpeller final : public Speller {
public:
    // Loads the dictionary; when its files are missing or not a dictionary, every question is
    // answered with SpellerStatus::DictionaryBroken and `loaded()` is false.
    HunspellSpeller(const std::string& affixPath, const std::string& dictionaryPath);
    ~HunspellSpeller() override;
    HunspellSpeller(const HunspellSpeller&) = delete;
    HunspellSpeller& operator=(const HunspellSpeller&) = delete;

    bool loaded() const { return m_handle != nullptr; }

    SpellerSuggestions suggest(std::string_view word) override;
    SpellerStatus check(std::string_view word, bool& correct) override;

private:
    std::string toDictionary(std::string_view word) const;
    std::string fromDictionary(std::string_view word, bool& fits) const;

    struct Handle;
    Handle* m_handle = nullptr;
    bool m_utf8 = true;
};

}  // namespace tally
