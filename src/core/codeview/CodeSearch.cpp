#include "core/codeview/CodeSearch.h"

#include <string>
#include <vector>

#include "core/codeview/AnsiCase.h"

namespace tally {

namespace {
constexpr std::size_t npos = std::string_view::npos;

struct Pattern {
    std::string text;
    std::size_t wordOffset = 0;  // where findText starts inside the pattern
};
}  // namespace

std::optional<std::size_t> findInCode(std::string_view text, std::size_t selStart, std::string_view findText,
                                      const FindOptions& options) {
    if (findText.empty()) return std::nullopt;
    std::string haystackCopy;
    std::string word(findText);
    if (!options.matchCase) {
        haystackCopy = ansiUpper(text);
        text = haystackCopy;
        word = ansiUpper(word);
    }
    std::vector<Pattern> patterns;
    if (options.wholeWord) {
        patterns.push_back({" " + word + " ", 1});
        patterns.push_back({" " + word + "\r\n", 1});
        patterns.push_back({"\r\n" + word + " ", 2});
    } else {
        patterns.push_back({word, 0});
    }

    std::optional<std::size_t> best;
    for (const Pattern& pattern : patterns) {
        std::size_t at = npos;
        if (options.down) {
            if (selStart + 1 <= text.size()) at = text.find(pattern.text, selStart + 1);
        } else if (selStart >= pattern.text.size()) {
            at = text.rfind(pattern.text, selStart - pattern.text.size());
        }
        if (at == npos) continue;
        std::size_t found = at + pattern.wordOffset;
        if (!best || (options.down ? found < *best : found > *best)) best = found;
    }
    return best;
}

std::string_view findTextOfSelection(std::string_view selection) {
    std::size_t lineBreak = selection.find_first_of("\r\n");
    return lineBreak == npos ? selection : selection.substr(0, lineBreak);
}

}  // namespace tally
