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
#include <vector>

#include "core/model/SharedText.h"

namespace tally {

class CalledByOrigins {
public:
    static constexpr std::uint32_t kNotNoted = UINT32_MAX;

    // Forgets every list noted.
    void clear() { *this = CalledByOrigins(); }

    // Notes that the `count` entries of `list` were made by the callers callerOf(0), callerOf(1), ...
    template <class CallerOf>
    void addList(const SharedText& list, std::size_t count, CallerOf callerOf) {
        if (list.empty()) return;
        for (std::size_t k = 0; k < count; ++k) m_callers.push_back(callerOf(k));
        m_listEnds.push_back(static_cast<std::uint32_t>(m_callers.size()));
        m_lists.push_back(list);
    }
    // Ends the noting: the callers' texts one after another, caller c being
    // texts[starts[c], starts[c + 1]).
    void finish(std::string texts, std::vector<std::size_t> starts);

    std::size_t callerCount() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    std::string_view callerText(std::uint32_t caller) const {
        return std::string_view(m_texts).substr(m_starts[caller], m_starts[caller + 1] - m_starts[caller]);
    }

    // The lists noted, numbered in the order noted; which number `list` has (its very buffer), or
    // kNotNoted.
    std::size_t listCount() const { return m_lists.size(); }
    std::uint32_t numberOf(const SharedText& list) const;
    // The callers of the entries of list number `list`, in order.
    std::span<const std::uint32_t> callersOf(std::uint32_t list) const {
        const std::uint32_t first = list == 0 ? 0 : m_listEnds[list - 1];
        return std::span<const std::uint32_t>(m_callers).subspan(first, m_listEnds[list] - first);
    }

private:
    std::size_t slotOf(const void* identity) const;

    std::string m_texts;
    std::vector<std::size_t> m_starts;
    std::vector<std::uint32_t> m_callers;   // the lists' entries' callers, list after list
    std::vector<std::uint32_t> m_listEnds;  // where each list's callers end
    // Holds the noted buffers, so that no other text can take one's place (and identity) meanwhile.
    std::vector<SharedText> m_lists;
    // The lists by buffer, open addressing (a free slot holds no buffer). Every routine is looked
    // up once; a flat table keeps that to about one cache miss.
    struct Slot {
        const void* identity = nullptr;
        std::uint32_t list = 0;
    };
    std::vector<Slot> m_slots;
};

}  // namespace tally
