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

// Where the first declaration word of `line` ends (its blank), or npos; `line` is one line.
std::size_t firstDeclarationWordEnd(std::string_view line) {
    std::size_t firstEnd = npos;
    for (std::string_view word : kDeclarationWords) {
        const std::size_t at = line.find(word);
        if (at != npos) firstEnd = std::min(firstEnd, at + word.size() - 1);
    }
    return firstEnd;
}
}  // namespace

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

LinePrefixes::Line* LinePrefixes::listedLineHolding(std::size_t pos) {
    // The last listed line that starts at or before pos, if pos lies in it.
    auto after = std::upper_bound(m_longLines.begin(), m_longLines.end(), pos,
                                  [](std::size_t p, const Line& line) { return p < line.start; });
    if (after == m_longLines.begin()) return nullptr;
    Line& line = *(after - 1);
    return pos < line.end ? &line : nullptr;
}

void LinePrefixes::index() {
    m_indexed = true;
    const char* data = m_text.data();
    const std::size_t n = m_text.size();
    for (std::size_t start = 0; start < n;) {
        const void* lf = std::memchr(data + start, '\n', n - start);
        const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1 : n;
        if (end - start > kShortLine) listLine(start);
        start = end;
    }
}

// A question whose line reaches further than kShortLine from the place lies in a long line: reading
// back finds no LF within kShortLine bytes only when the line starts more than that before the place,
// and reading on from the line's start finds none only when the line is longer. So the line is listed
// once the text is; should it not be, it is read whole and listed now, and the answer stays right.
LinePrefixes::Line& LinePrefixes::longLineHolding(std::size_t pos) {
    if (!m_indexed) index();
    if (Line* line = listedLineHolding(pos)) return *line;
    return listLine(pos);
}

LinePrefixes::Line& LinePrefixes::listLine(std::size_t pos) {
    const std::size_t lfBefore = pos == 0 ? npos : m_text.rfind('\n', pos - 1);
    const std::size_t start = lfBefore == npos ? 0 : lfBefore + 1;
    const std::size_t lf = m_text.find('\n', pos);
    const std::size_t end = lf == npos ? m_text.size() : lf + 1;
    const void* apostrophe = std::memchr(m_text.data() + start, '\'', end - start);
    const Line line{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end),
                    apostrophe ? static_cast<std::uint32_t>(static_cast<const char*>(apostrophe) - m_text.data())
                               : kNone,
                    kUnknown};
    // Lines do not overlap, so ordering by start keeps the list in text order.
    auto at = std::upper_bound(m_longLines.begin(), m_longLines.end(), line.start,
                               [](std::uint32_t s, const Line& other) { return s < other.start; });
    return *m_longLines.insert(at, line);
}

bool LinePrefixes::hasApostrophe(std::size_t pos) {
    if (m_text.empty()) return false;
    const Line* line = listedLineHolding(pos);
    if (!line) {
        std::size_t start = 0;
        if (shortLineStart(pos, start)) return m_text.substr(start, pos - start + 1).find('\'') != npos;
        line = &longLineHolding(pos);
    }
    return line->firstApostrophe != kNone && line->firstApostrophe <= pos;
}

bool LinePrefixes::hasDeclarationWord(std::size_t pos) {
    if (m_text.empty()) return false;
    Line* line = listedLineHolding(pos);
    std::size_t start = 0;
    if (!line && shortLineStart(pos, start)) {
        // The line's end, looked for as far as kShortLine bytes from its start.
        const std::size_t rest = std::min(kShortLine, m_text.size() - start);
        const std::size_t lf = m_text.substr(start, rest).find('\n');
        if (lf != npos || start + rest == m_text.size()) {
            const std::size_t end = lf != npos ? start + lf + 1 : m_text.size();
            const std::size_t wordEnd = firstDeclarationWordEnd(m_text.substr(start, end - start));
            return wordEnd != npos && start + wordEnd <= pos;
        }
    }
    if (!line) line = &longLineHolding(pos);
    if (line->declarationEnd == kUnknown) {
        const std::size_t wordEnd = firstDeclarationWordEnd(m_text.substr(line->start, line->end - line->start));
        line->declarationEnd = wordEnd == npos ? kNone : static_cast<std::uint32_t>(line->start + wordEnd);
    }
    return line->declarationEnd != kNone && line->declarationEnd <= pos;
}

}  // namespace tally
