#include "core/parser/CallMatcher.h"

#include "core/parser/ByteSetScan.h"

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
    const unsigned stamp = m_stamp;
    const bool global = m_globalForward.size() > 0;
    const bool file = m_fileForward.size() > 0;
    if (!global && !file) return;
    auto hitGlobal = [&](int id, std::size_t = 0) {
        if (m_globalStamps[static_cast<std::size_t>(id)] == stamp) return;
        m_globalStamps[static_cast<std::size_t>(id)] = stamp;
        globalHits.push_back(id);
    };
    auto hitFile = [&](int id, std::size_t = 0) {
        if (m_fileStamps[static_cast<std::size_t>(id)] == stamp) return;
        m_fileStamps[static_cast<std::size_t>(id)] = stamp;
        fileHits.push_back(id);
    };

    // At the start of the line a name must be followed by a blank or "(", or be the whole line.
    auto startsLine = [&](std::size_t length) {
        return length == line.size() || line[length] == ' ' || line[length] == '(';
    };
    if (global)
        m_globalForward.forEachStartingAt(line, 0, [&](int id, std::size_t length) {
            if (startsLine(length)) hitGlobal(id);
        });
    if (file)
        m_fileForward.forEachStartingAt(line, 0, [&](int id, std::size_t length) {
            if (startsLine(length)) hitFile(id);
        });
    // Elsewhere a name follows a blank or ".", or comes before "(".
    static constexpr char kMarks[] = {' ', '.', '('};
    forEachByteOf(line, kMarks, [&](std::size_t i) {
        if (line[i] == '(') {
            const char before = i > 0 ? line[i - 1] : '\0';
            if (global && m_globalBackward.mayBeginWith(before))
                m_globalBackward.forEachEndingAt(line, i, hitGlobal);
            if (file && m_fileBackward.mayBeginWith(before)) m_fileBackward.forEachEndingAt(line, i, hitFile);
        } else {
            const char after = i + 1 < line.size() ? line[i + 1] : '\0';
            if (global && m_globalForward.mayBeginWith(after))
                m_globalForward.forEachStartingAt(line, i + 1, hitGlobal);
            if (file && m_fileForward.mayBeginWith(after))
                m_fileForward.forEachStartingAt(line, i + 1, hitFile);
        }
    });
}

}  // namespace tally
