#include "core/spell/SpellSweep.h"

#include <algorithm>

#include "core/spell/SpellSession.h"

namespace tally {

SpellSweep sweepSpelling(const std::vector<SpellRow>& rows, Speller& speller, int codePage) {
    std::vector<SpellRow> copy = rows;
    SpellSession session(copy, speller, codePage);
    SpellSweep sweep;
    SpellState state = session.start();
    while (state == SpellState::Waiting) {
        SpellFinding finding{session.info()[0], session.info()[1], session.info()[2], session.notInDictionary(), {}};
        const auto& offered = session.suggestions();
        if (session.suggestionsEnabled())
            finding.suggestions.assign(offered.begin(),
                                       offered.begin() + static_cast<long>(std::min(offered.size(), kSweepSuggestions)));
        sweep.findings.push_back(std::move(finding));
        state = session.ignore();
    }
    sweep.dictionaryBroken = state == SpellState::DictionaryBroken;
    return sweep;
}

}  // namespace tally
