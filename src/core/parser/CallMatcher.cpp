#include "core/parser/CallMatcher.h"

#include <algorithm>

#include "core/support/ByteSetScan.h"

namespace tally {

CallMatcher::CallMatcher(const std::vector<std::string_view>& names)
    : m_forward(std::make_shared<const NameTrie>(NameTrie::Direction::Forward, names)),
      m_backward(std::make_shared<const NameTrie>(NameTrie::Direction::Backward, *m_forward)),
      m_global(static_cast<std::size_t>(m_forward->size()), 0),
      m_fileStamps(static_cast<std::size_t>(m_forward->size()), 0),
      m_lineStamps(static_cast<std::size_t>(m_forward->size()), 0) {}

void CallMatcher::setGlobalNames(const std::vector<int>& ids) {
    std::fill(m_global.begin(), m_global.end(), 0);
    for (int id : ids) m_global[static_cast<std::size_t>(id)] = 1;
}

void CallMatcher::setFileNames(const int* first, const int* last) {
    if (++m_fileStamp == 0) {
        // After four billion files the stamps wrap; start them afresh.
        std::fill(m_fileStamps.begin(), m_fileStamps.end(), 0);
        m_fileStamp = 1;
    }
    for (const int* id = first; id != last; ++id) m_fileStamps[static_cast<std::size_t>(*id)] = m_fileStamp;
}

void CallMatcher::match(std::string_view line, std::vector<int>& globalHits, std::vector<int>& fileHits,
                        std::string_view around) {
    globalHits.clear();
    fileHits.clear();
    const NameTrie& forward = *m_forward;
    const NameTrie& backward = *m_backward;
    if (forward.size() == 0) return;
    if (++m_lineStamp == 0) {
        std::fill(m_lineStamps.begin(), m_lineStamps.end(), 0);
        m_lineStamp = 1;
    }
    auto note = [&](int id, std::size_t = 0) { hit(id, globalHits, fileHits); };

    // At the start of the line a name must be followed by a blank or "(", or be the whole line.
    forward.forEachStartingAt(line, 0, [&](int id, std::size_t length) {
        if (length == line.size() || line[length] == ' ' || line[length] == '(') note(id);
    });
    // Elsewhere a name follows a blank or ".", or comes before "(".
    static constexpr char kBeforeName[] = {' ', '.'};
    static constexpr char kAfterName[] = {'('};
    forEachMarkBesideRange(
        line, kBeforeName, forward.firstBytes(), kAfterName, backward.firstBytes(),
        [&](std::size_t i) { forward.forEachStartingAt(line, i + 1, note); },
        [&](std::size_t i) { backward.forEachEndingAt(line, i, note); }, around);
}

}  // namespace tally
