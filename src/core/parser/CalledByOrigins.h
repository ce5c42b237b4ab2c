#pragma once
// Which caller made each entry of the CalledBy lists that the call pass wrote. An entry is its
// caller's text "<routine> - <file> - " followed by a line number and the end code, so the usage
// pass can take a list the call pass wrote as the callers of its entries, one number each, instead
// of cutting its text into entries and looking every entry up again: a big project's lists hold
// hundreds of thousands of entries but only as many callers as it has routines.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/model/SharedText.h"

namespace tally {

class CalledByOrigins {
public:
    // Forgets every list noted.
    void clear() { *this = CalledByOrigins(); }
    // The callers' texts one after another, caller c being texts[starts[c], starts[c + 1]).
    void setCallerTexts(std::string texts, std::vector<std::size_t> starts) {
        m_texts = std::move(texts);
        m_starts = std::move(starts);
    }

    // Notes that the `count` entries of `list` were made by the callers callerOf(0), callerOf(1), ...
    template <class CallerOf>
    void addList(const SharedText& list, std::size_t count, CallerOf callerOf) {
        if (list.empty()) return;
        const auto first = static_cast<std::uint32_t>(m_callers.size());
        for (std::size_t k = 0; k < count; ++k) m_callers.push_back(callerOf(k));
        m_entriesOfList.try_emplace(list.identity(), first, static_cast<std::uint32_t>(m_callers.size()));
        m_lists.push_back(list);
    }

    std::size_t callerCount() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    std::string_view callerText(std::uint32_t caller) const {
        return std::string_view(m_texts).substr(m_starts[caller], m_starts[caller + 1] - m_starts[caller]);
    }
    // Sets `callers` to the callers of the entries of `list` when it is a list noted here (its very
    // buffer); false otherwise.
    bool callersOf(const SharedText& list, std::span<const std::uint32_t>& callers) const {
        auto it = m_entriesOfList.find(list.identity());
        if (it == m_entriesOfList.end()) return false;
        callers = std::span<const std::uint32_t>(m_callers).subspan(it->second.first,
                                                                   it->second.second - it->second.first);
        return true;
    }

private:
    std::string m_texts;
    std::vector<std::size_t> m_starts;
    std::vector<std::uint32_t> m_callers;  // the lists' entries' callers, list after list
    std::unordered_map<const void*, std::pair<std::uint32_t, std::uint32_t>> m_entriesOfList;
    // Holds the noted buffers, so that no other text can take one's place (and identity) meanwhile.
    std::vector<SharedText> m_lists;
};

}  // namespace tally
