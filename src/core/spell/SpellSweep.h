#pragma once
// The spell check of every row without asking: each word the dialog would stop at, when the user
// ignores every word, with its place and the first suggestions. For scripts and build gates.

#include <string>
#include <vector>

#include "core/model/Records.h"
#include "core/spell/Speller.h"
#include "core/text/TextCodec.h"

namespace tally {

struct SpellFinding {
    std::string file;     // the row's file (kept from the file's first row)
    std::string routine;  // control or routine
    std::string label;    // variable or property
    std::string word;     // without its "&"
    std::vector<std::string> suggestions;  // at most `kSweepSuggestions`, "&" put back as offered
};

inline constexpr std::size_t kSweepSuggestions = 5;

struct SpellSweep {
    std::vector<SpellFinding> findings;
    bool dictionaryBroken = false;  // the speller failed; the findings stop where it did
};

// Checks a copy of `rows`, whose texts are in `codePage`: the rows themselves are not touched.
SpellSweep sweepSpelling(const std::vector<SpellRow>& rows, Speller& speller, int codePage = kCodePageWestern);

}  // namespace tally
