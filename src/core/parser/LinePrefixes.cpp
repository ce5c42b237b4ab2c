#include "core/parser/LinePrefixes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tally {

namespace {
constexpr std::size_t npos = std::string_view::npos;

// Words that make a line a declaration or a header rather than a use.
constexpr std::array<std::string_view, 7> kDeclarationWords = {"Function ", "Sub ",    "Dim ",  "Private ",
                                                               "Public ",   "Static ", "Const "};
}  // namespace

std::size_t firstDeclarationWordEnd(std::string_view line) {
    std::size_t firstEnd = npos;
    for (std::string_view word : kDeclarationWords) {
        const std::size_t at = line.find(word);
        if (at != npos) firstEnd = std::min(firstEnd, at + word.size() - 1);
    }
    return firstEnd;
}

void LinePrefixes::reset(std::string_view text) {
    m_text = text;
    m_longLines.clear();
    m_indexed = false;
}

bool LinePrefixes::shortLineStart(std::size_t pos, std::size_t& start) const {
    // The line starts after the last LF before pos.
    const std::size_t from = pos > kShortLine ? pos - kShortLine : 0;
    const std::size_t lf = m_text.substr(from, pos - from).rfind('\n');
    if (lf != npos) {
        start = from + lf + 1;
        return true;
    }
    start = 0;
    return from == 0;
}

std::size_t LinePrefixes::plainLineStart(std::size_t pos) const {
    const std::size_t lf = pos == 0 ? npos : m_text.rfind('\n', pos - 1);
    return lf == npos ? 0 : lf + 1;
}

void LinePrefixes::index() {
    m_indexed = true;
    m_longLines.clear();
    const char* data = m_text.data();
    const std::size_t n = m_text.size();
    for (std::size_t start = 0; start < n;) {
        const void* lf = std::memchr(data + start, '\n', n - start);
        const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1 : n;
        if (end - start > kShortLine) {
            const void* apostrophe = std::memchr(data + start, '\'', end - start);
            m_longLines.push_back(
                {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end),
                 apostrophe ? static_cast<std::uint32_t>(static_cast<const char*>(apostrophe) - data) : kNone,
                 kUnknown});
        }
        start = end;
    }
}

LinePrefixes::Line* LinePrefixes::longLineHolding(std::size_t pos) {
    // The last long line that starts at or before pos, if pos lies in it.
    auto after = std::upper_bound(m_longLines.begin(), m_longLines.end(), pos,
                                  [](std::size_t p, const Line& line) { return p < line.start; });
    if (after == m_longLines.begin()) return nullptr;
    Line& line = *(after - 1);
    return pos < line.end ? &line : nullptr;
}

// A place whose line reaches further than kShortLine from it lies in a long line: reading back from
// it finds no LF within kShortLine bytes only when its line starts more than that before it, and
// reading on from a line start finds none only when the line is longer. So when the place is not in
// a listed long line the line is read around it, and when that fails the long lines are listed (once
// per text) and the place is in one of them.
bool LinePrefixes::hasApostrophe(std::size_t pos) {
    if (m_text.empty()) return false;
    Line* line = m_indexed ? longLineHolding(pos) : nullptr;
    std::size_t start = 0;
    if (!line && shortLineStart(pos, start)) return m_text.substr(start, pos - start + 1).find('\'') != npos;
    if (!line && !m_indexed) {
        index();
        line = longLineHolding(pos);
    }
    if (!line) {  // not reached (see above); the plain reading keeps the answer right regardless
        start = plainLineStart(pos);
        return m_text.substr(start, pos - start + 1).find('\'') != npos;
    }
    return line->firstApostrophe != kNone && line->firstApostrophe <= pos;
}

bool LinePrefixes::hasDeclarationWord(std::size_t pos) {
    if (m_text.empty()) return false;
    Line* line = m_indexed ? longLineHolding(pos) : nullptr;
    std::size_t start = 0;
    if (!line && shortLineStart(pos, start)) {
        const std::size_t rest = std::min(kShortLine, m_text.size() - start);
        const std::size_t lf = m_text.substr(start, rest).find('\n');
        if (lf != npos || start + rest == m_text.size()) {
            const std::size_t end = lf != npos ? start + lf + 1 : m_text.size();
            const std::size_t wordEnd = firstDeclarationWordEnd(m_text.substr(start, end - start));
            return wordEnd != npos && start + wordEnd <= pos;
        }
    }
    if (!line && !m_indexed) {
        index();
        line = longLineHolding(pos);
    }
    if (!line) {  // not reached (see above); the plain reading keeps the answer right regardless
        start = plainLineStart(pos);
        const std::size_t lf = m_text.find('\n', start);
        const std::size_t wordEnd =
            firstDeclarationWordEnd(m_text.substr(start, lf == npos ? npos : lf + 1 - start));
        return wordEnd != npos && start + wordEnd <= pos;
    }
    if (line->declarationEnd == kUnknown) {
        const std::size_t wordEnd = firstDeclarationWordEnd(m_text.substr(line->start, line->end - line->start));
        line->declarationEnd = wordEnd == npos ? kNone : static_cast<std::uint32_t>(line->start + wordEnd);
    }
    return line->declarationEnd != kNone && line->declarationEnd <= pos;
}

}  // namespace tally
