#include "core/parser/CallLines.h"

#include <utility>

#include "core/parser/TypeSuffixSplit.h"

namespace tally {

std::size_t headerKeywordLength(std::string_view line) {
    // No two of these keyword runs can begin the same line, so the first that fits is the one.
    std::size_t modifier = 0;
    for (std::string_view word :
         {std::string_view("Private "), std::string_view("Public "), std::string_view("Friend ")}) {
        if (line.substr(0, word.size()) == word) {
            modifier = word.size();
            break;
        }
    }
    const std::string_view rest = line.substr(modifier);
    for (std::string_view keyword :
         {std::string_view("Function "), std::string_view("Sub "), std::string_view("Property Set "),
          std::string_view("Property Let "), std::string_view("Property Get ")}) {
        if (rest.substr(0, keyword.size()) == keyword) return modifier + keyword.size();
    }
    return 0;
}

std::string routineNameOf(std::string_view line, std::size_t keywordLength) {
    // Without its type character, so that `Total = 1.5` inside `Function Total#()` reads as the
    // function setting its result rather than calling itself.
    std::size_t paren = line.find('(');
    if (paren == std::string_view::npos || paren < keywordLength) return {};
    std::string_view name = trimView(line.substr(keywordLength - 1, paren - (keywordLength - 1)));
    return std::string(splitTypeSuffix(name).stem);
}

std::string_view variableScanText(std::string_view text, bool crlfThroughout, std::string& joined) {
    if (crlfThroughout || (text.back() == '\n' && text.find('\r') == std::string_view::npos)) return text;
    joined.clear();
    joined.reserve(text.size() + 2);
    LineCursor lines(text);
    for (std::string_view raw; lines.next(raw);) joined.append(raw).append("\r\n");
    return joined;
}

CallLineReader::CallLineReader(CallMatcher matcher, const std::vector<std::size_t>& slotStart)
    : m_matcher(std::move(matcher)),
      m_slotStart(slotStart),
      m_fileRows(static_cast<std::size_t>(m_matcher.names().size())) {}

void CallLineReader::useFileNames(int ownSlot) {
    if (ownSlot < 0) {
        m_matcher.setFileNames(nullptr, nullptr);
        return;
    }
    const int* ids = m_matcher.names().idsOfGivenNames().data();
    const auto slot = static_cast<std::size_t>(ownSlot);
    m_matcher.setFileNames(ids + m_slotStart[slot], ids + m_slotStart[slot + 1]);
    m_fileRows.group(ids + m_slotStart[slot], m_slotStart[slot + 1] - m_slotStart[slot]);
}

}  // namespace tally
