#include "platform/archive/NamePattern.h"

#include "platform/archive/ArchivePaths.h"

namespace tally::archive {

namespace {

// The bytes of the character starting at `at`: a "?" stands for one letter of a UTF-8 name, not
// for one byte of it.
std::size_t characterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    while (length > 1 && (at + length > text.size())) --length;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    return length;
}

}  // namespace

bool hasWildcards(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool matchesPattern(std::string_view pattern, std::string_view name) {
    // Greedy with one step back to the last "*": linear for the patterns people write, and never the
    // exponential blow-up of a naive recursion on "*a*a*a*b".
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && pattern[p] == '?' && name[n] != '/') {
            ++p;
            n += characterLength(name, n);
        } else if (p < pattern.size() && sameFileName(pattern.substr(p, 1), name.substr(n, 1))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos && name[resumeAt] != '/') {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace tally::archive
