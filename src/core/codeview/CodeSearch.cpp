#include "core/codeview/CodeSearch.h"

#include <string>
#include <vector>

#include "core/codeview/AnsiCase.h"
#include "core/text/CharacterLayout.h"

namespace tally {

namespace {
constexpr std::size_t npos = std::string_view::npos;

struct Pattern {
    std::string text;
    std::size_t wordOffset = 0;  // where findText starts inside the pattern
};

// Where the characters of a text start, for the code pages whose characters may be longer than a
// byte; empty (every byte starts one) for the single-byte pages.
std::vector<bool> characterStarts(std::string_view text, int codePage) {
    std::vector<bool> starts;
    if (!isDoubleByteCodePage(codePage) && codePage != kCodePageUtf8) return starts;
    starts.assign(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size(); i += characterLength(text, i, codePage)) starts[i] = true;
    starts[text.size()] = true;
    return starts;
}
}  // namespace

std::optional<std::size_t> findInCode(std::string_view text, std::size_t selStart, std::string_view findText,
                                      const FindOptions& options, int codePage) {
    if (findText.empty()) return std::nullopt;
    std::string haystackCopy;
    std::string word(findText);
    if (!options.matchCase) {
        haystackCopy = ansiUpper(text, codePage);
        text = haystackCopy;
        word = ansiUpper(word, codePage);
    }
    // Folding keeps every multi-byte character as it is, so the copy has the original's boundaries.
    const std::vector<bool> starts = characterStarts(text, codePage);
    auto between = [&](std::size_t found) {
        return starts.empty() || (starts[found] && starts[found + word.size()]);
    };
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
            while (at != npos && !between(at + pattern.wordOffset)) at = text.find(pattern.text, at + 1);
        } else if (selStart >= pattern.text.size()) {
            at = text.rfind(pattern.text, selStart - pattern.text.size());
            while (at != npos && !between(at + pattern.wordOffset))
                at = at == 0 ? npos : text.rfind(pattern.text, at - 1);
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
