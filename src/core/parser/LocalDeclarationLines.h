#pragma once
// The lines of a routine that may declare locals: trimmed, they begin with "Dim ", "Public ",
// "Static ", "Const " or "ReDim ". The unused-local check reads only these lines of a routine's
// text, and the declaration pass notes them while it reads the routine (RoutineText), so that the
// check does not walk every line of every routine once more to find the few that declare.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/text/TextOps.h"

namespace tally {

// A trimmed line within a routine text: its first byte and its length.
struct LineSpan {
    std::uint32_t start = 0;
    std::uint32_t size = 0;

    bool operator==(const LineSpan&) const = default;
};

// Whether a trimmed line begins with one of the words that declare locals.
inline bool mayDeclareLocals(std::string_view trimmed) {
    if (trimmed.empty()) return false;
    switch (trimmed[0]) {  // most lines are statements of other kinds: the first byte turns them away
        case 'D':
            return startsWith(trimmed, "Dim ");
        case 'P':
            return startsWith(trimmed, "Public ");
        case 'S':
            return startsWith(trimmed, "Static ");
        case 'C':
            return startsWith(trimmed, "Const ");
        case 'R':
            return startsWith(trimmed, "ReDim ");
        default:
            return false;
    }
}

// Notes `line`, which begins at `at` in a routine text, when it may declare locals; `trimmed` is
// trimView(line).
inline void noteLocalDeclarationLine(std::vector<LineSpan>& lines, std::string_view line,
                                     std::string_view trimmed, std::size_t at) {
    if (mayDeclareLocals(trimmed))
        lines.push_back(
            {static_cast<std::uint32_t>(at + static_cast<std::size_t>(trimmed.data() - line.data())),
             static_cast<std::uint32_t>(trimmed.size())});
}
inline void noteLocalDeclarationLine(std::vector<LineSpan>& lines, std::string_view line, std::size_t at) {
    noteLocalDeclarationLine(lines, line, trimView(line), at);
}

// The lines of a routine text that may declare locals, found by walking all its lines: every line
// ends in CR LF and holds no LF of its own, so a line ends where the next LF is, less its CR.
std::vector<LineSpan> localDeclarationLines(std::string_view routineText);

}  // namespace tally
