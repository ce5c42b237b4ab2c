#pragma once
// What the spell check asks a spelling engine: the suggestions for a word, in the engine's order,
// and whether a word is spelled correctly. Words are bytes as the project holds them (Windows-1252
// or the project's code page); an engine converts them to its dictionary's encoding itself.

#include <string>
#include <string_view>
#include <vector>

namespace tally {

enum class SpellerStatus {
    Answered,
    DictionaryBroken,  // the dictionary is missing or cannot be read: no question can be answered
    Failed,            // this one question failed; the word is taken as correct
};

struct SpellerSuggestions {
    SpellerStatus status = SpellerStatus::Answered;
    std::vector<std::string> words;  // none for a correct word, or when the engine knows none
};

class Speller {
public:
    virtual ~Speller() = default;
    // Suggestions for a misspelled word, best first; none for a word spelled correctly.
    virtual SpellerSuggestions suggest(std::string_view word) = 0;
    // Whether the word is spelled correctly; Failed or DictionaryBroken when that cannot be told.
    virtual SpellerStatus check(std::string_view word, bool& correct) = 0;
};

}  // namespace tally
