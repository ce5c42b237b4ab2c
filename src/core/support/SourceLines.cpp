#include "core/support/SourceLines.h"

namespace tally {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    // Room for lines of a usual length, so that the list is seldom moved while it grows.
    lines.reserve(text.size() / 32 + 1);
    std::size_t start = 0;
    const std::size_t n = text.size();
    // Each end is found with two fast searches (the next LF, then a CR before it) rather than by
    // testing every character.
    std::size_t lf = text.find('\n');
    while (start < n) {
        if (lf != std::string_view::npos && lf < start) lf = text.find('\n', start);
        std::size_t limit = lf == std::string_view::npos ? n : lf;
        std::size_t cr = text.substr(0, limit).find('\r', start);
        if (cr != std::string_view::npos) {
            lines.push_back(text.substr(start, cr - start));
            start = cr + 1 < n && text[cr + 1] == '\n' ? cr + 2 : cr + 1;
        } else if (lf != std::string_view::npos) {
            lines.push_back(text.substr(start, lf - start));
            start = lf + 1;
        } else {
            lines.push_back(text.substr(start));
            break;
        }
    }
    return lines;
}

}  // namespace tally
