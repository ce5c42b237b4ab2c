#pragma once
// What the spell check says when it has no speller to ask.

#include <string>
#include <string_view>

namespace tally {

// No dictionary at all on this machine.
inline constexpr std::string_view kNoSpeller =
    "The spell checker requires a Hunspell dictionary (for example the hunspell-en-us package).";

// The chosen dictionary is there but cannot be read as one.
inline std::string brokenDictionaryMessage(std::string_view path) {
    return "The dictionary file " + std::string(path) +
           " is missing or is corrupted. Reinstall it, or choose another dictionary.";
}

}  // namespace tally
