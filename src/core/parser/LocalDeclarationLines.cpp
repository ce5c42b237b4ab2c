#include "core/parser/LocalDeclarationLines.h"

namespace tally {

std::vector<LineSpan> localDeclarationLines(std::string_view routineText) {
    std::vector<LineSpan> lines;
    std::size_t pos = 0;
    while (pos < routineText.size()) {
        std::size_t end = routineText.find('\n', pos);
        if (end == std::string_view::npos) end = routineText.size();
        const bool cr = end > pos && routineText[end - 1] == '\r';
        noteLocalDeclarationLine(lines, routineText.substr(pos, end - pos - (cr ? 1 : 0)), pos);
        pos = end + 1;
    }
    return lines;
}

}  // namespace tally
