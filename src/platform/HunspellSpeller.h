#pragma once
// The speller behind the spell check: a Hunspell dictionary (an .aff and a .dic file). Words come
// as the project's bytes, in its code page, and go to Hunspell in the dictionary's own encoding
// (its "SET" line: UTF-8, ISO-8859-1 or any other ICU knows, such as KOI8-R); suggestions that the
// project's code page cannot hold are left out, since they could not be written back. Like a word
// processor's check, numbers and signs, words with digits and words in capitals are taken as
// correct.

#include <memory>
#include <optional>
#include <string>

#include "core/spell/Speller.h"
#include "core/text/TextCodec.h"

namespace tally {

class HunspellSpeller final : public Speller {
public:
    // Loads the dictionary for words in `codePage` (a code page this system has no codec for is
    // taken as Windows-1252); when its files are missing or not a dictionary, every question is
    // answered with SpellerStatus::DictionaryBroken and `loaded()` is false.
    HunspellSpeller(const std::string& affixPath, const std::string& dictionaryPath,
                    int codePage = kCodePageWestern);
    ~HunspellSpeller() override;
    HunspellSpeller(const HunspellSpeller&) = delete;
    HunspellSpeller& operator=(const HunspellSpeller&) = delete;

    bool loaded() const { return m_handle != nullptr; }
    // The code page words are taken in.
    int codePage() const;

    SpellerSuggestions suggest(std::string_view word) override;
    SpellerStatus check(std::string_view word, bool& correct) override;

private:
    // The word in the dictionary's encoding; nothing when it has no characters there.
    std::optional<std::string> toDictionary(std::string_view word) const;
    // A suggestion in the project's bytes; nothing when the code page cannot hold it.
    std::optional<std::string> fromDictionary(std::string_view word) const;
    bool isSkipped(std::string_view word) const;

    struct Handle;
    Handle* m_handle = nullptr;
    bool m_utf8 = true;
    // The project's codec; none for Windows-1252, whose table is used directly.
    std::unique_ptr<TextCodec> m_codec;
};

}  // namespace tally
