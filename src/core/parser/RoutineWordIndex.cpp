#include "core/parser/RoutineWordIndex.h"

#include <algorithm>

namespace tally {

RoutineWordIndex::RoutineWordIndex(std::string_view text, const std::vector<std::string_view>& words) {
    for (std::string_view w : words)
        if (!w.empty()) m_words.try_emplace(w);
    m_lineStarts.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n') {
            m_lineStarts.push_back(i + 1);
        } else if (c == '\'') {
            m_apostrophes.push_back(i);
        } else if (c == '"') {
            m_quotes.push_back(i);
        } else if (isLocalNameChar(c)) {
            std::size_t j = i;
            while (j < text.size() && isLocalNameChar(text[j])) ++j;
            auto found = m_words.find(text.substr(i, j - i));
            if (found != m_words.end()) found->second.at.push_back(i);
            i = j - 1;
        }
    }
    for (auto& [word, entry] : m_words) classify(entry);
}

const RoutineWordIndex::Word* RoutineWordIndex::find(std::string_view word) const {
    auto found = m_words.find(word);
    return found == m_words.end() ? nullptr : &found->second;
}

void RoutineWordIndex::classify(Word& entry) const {
    std::size_t n = entry.at.size();
    entry.useFrom.assign(n + 1, n);
    entry.commentFrom.assign(n + 1, n);
    for (std::size_t i = n; i-- > 0;) {
        bool use = isUse(entry.at[i]);
        entry.useFrom[i] = use ? i : entry.useFrom[i + 1];
        entry.commentFrom[i] = use ? entry.commentFrom[i + 1] : i;
    }
}

// A hit is a use unless the text from the start of its line up to it holds an apostrophe that is not
// inside the last literal of that text.
bool RoutineWordIndex::isUse(std::size_t hit) const {
    std::size_t lineStart = *(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), hit) - 1);
    auto apostrophe = std::lower_bound(m_apostrophes.begin(), m_apostrophes.end(), lineStart);
    if (apostrophe == m_apostrophes.end() || *apostrophe >= hit) return true;
    std::size_t quotesBefore = std::lower_bound(m_quotes.begin(), m_quotes.end(), hit) - m_quotes.begin();
    if (quotesBefore < 2) return false;
    std::size_t open = m_quotes[quotesBefore - 2], close = m_quotes[quotesBefore - 1];
    if (open < lineStart) return false;
    auto inside = std::upper_bound(m_apostrophes.begin(), m_apostrophes.end(), open);
    return inside != m_apostrophes.end() && *inside < close;
}

}  // namespace tally
