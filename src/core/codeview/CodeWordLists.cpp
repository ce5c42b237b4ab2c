#include "core/codeview/CodeWordLists.h"

#include "core/text/TextOps.h"

namespace tally {

CodeWordList::CodeWordList(std::string_view list) : m_lower(toLower(list)) {
    std::size_t begin = 0;
    while (begin < list.size()) {
        std::size_t end = list.find('*', begin);
        if (end == std::string_view::npos) end = list.size();
        if (end > begin) {
            std::string_view entry = list.substr(begin, end - begin);
            m_exact.insert(entry);
            // try_emplace keeps the first spelling, as a search of the lower-case list would find it.
            m_byLower.try_emplace(std::string_view(m_lower).substr(begin, end - begin), entry);
            if (entry.size() > m_longest) m_longest = entry.size();
        }
        begin = end + 1;
    }
}

std::string_view CodeWordList::canonicalOfLower(std::string_view lowerWord) const {
    auto found = m_byLower.find(lowerWord);
    return found == m_byLower.end() ? std::string_view{} : found->second;
}

CodeWordLists::CodeWordLists() : m_functions(kFunctionList), m_keywords(kKeywordList) {}

const CodeWordLists& CodeWordLists::standard() {
    static const CodeWordLists lists;
    return lists;
}

}  // namespace tally
