#pragma once
// A speller with a scripted dictionary: the words it knows, the suggestions it offers for others,
// and a record of every word it was asked about.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/model/Records.h"
#include "core/spell/Speller.h"

namespace tally {

class FakeSpeller : public Speller {
public:
    std::set<std::string> known;
    std::map<std::string, std::vector<std::string>> offers;
    std::vector<std::string> asked;
    bool broken = false;

    SpellerSuggestions suggest(std::string_view word) override {
        asked.emplace_back(word);
        if (broken) return {SpellerStatus::DictionaryBroken, {}};
        if (known.count(std::string(word))) return {};
        auto it = offers.find(std::string(word));
        return {SpellerStatus::Answered, it == offers.end() ? std::vector<std::string>{} : it->second};
    }
    SpellerStatus check(std::string_view word, bool& correct) override {
        correct = known.count(std::string(word)) > 0;
        return broken ? SpellerStatus::DictionaryBroken : SpellerStatus::Answered;
    }
};

inline SpellRow spellRow(std::string file, std::string routine, std::string label, std::string value) {
    SpellRow row;
    row.file = std::move(file);
    row.routine = std::move(routine);
    row.label = std::move(label);
    row.value = std::move(value);
    return row;
}

}  // namespace tally
