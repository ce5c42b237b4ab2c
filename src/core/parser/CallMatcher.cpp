#include "core/parser/CallMatcher.h"

namespace tally {

CallMatcher::CallMatcher(const std::vector<std::string_view>& globalNames)
    : m_globalForward(NameTrie::Direction::Forward, globalNames),
      m_globalBackward(NameTrie::Direction::Backward, globalNames),
      m_globalStamps(static_cast<std::size_t>(m_globalForward.size()), 0) {}

void CallMatcher::setFileNames(const std::vector<std::string_view>& fileNames) {
    m_fileForward = NameTrie(NameTrie::Direction::Forward, fileNames);
    m_fileBackward = NameTrie(NameTrie::Direction::Backward, fileNames);
    // Stamps of the old names would be meaningless for the new ids.
    m_fileStamps.assign(static_cast<std::size_t>(m_fileForward.size()), 0);
}

void CallMatcher::match(std::string_view line, std::vector<int>& globalHits, std::vector<int>& fileHits) {
    globalHits.clear();
    fileHits.clear();
    if (++m_stamp == 0) {
        // After four billion lines the stamps wrap; start them afresh.
        std::fill(m_globalStamps.begin(), m_globalStamps.end(), 0);
        std::fill(m_fileStamps.begin(), m_fileStamps.end(), 0);
        m_stamp = 1;
    }
    matchNames(line, {&m_globalForward, &m_globalBackward, &m_globalStamps, &globalHits});
    if (m_fileForward.size() > 0)
        matchNames(line, {&m_fileForward, &m_fileBackward, &m_fileStamps, &fileHits});
}

void CallMatcher::matchNames(std::string_view line, const Names& names) {
    if (names.forward->size() == 0) return;
    std::vector<unsigned>& stamps = *names.stamps;
    const unsigned stamp = m_stamp;
    auto hit = [&](int id) {
        if (stamps[static_cast<std::size_t>(id)] == stamp) return;
        stamps[static_cast<std::size_t>(id)] = stamp;
        names.hits->push_back(id);
    };
    // At the start of the line a name must be followed by a blank or "(", or be the whole line.
    names.forward->forEachStartingAt(line, 0, [&](int id, std::size_t length) {
        if (length == line.size() || line[length] == ' ' || line[length] == '(') hit(id);
    });
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == ' ' || c == '.')
            names.forward->forEachStartingAt(line, i + 1, [&](int id, std::size_t) { hit(id); });
        else if (c == '(')
            names.backward->forEachEndingAt(line, i, [&](int id, std::size_t) { hit(id); });
    }
}

}  // namespace tally
