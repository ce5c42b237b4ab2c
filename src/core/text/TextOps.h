#pragma once
// Small text operations on Windows-1252 byte strings, with the semantics the analysis relies on:
// one byte is one character, comparisons are case-sensitive unless the name says otherwise.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Removes blanks and tabs at both ends (sources indented with tabs must trim like blank-indented ones).
// Inline: the passes trim every line and every part of a declaration. Most texts trimmed have
// nothing to trim, which the two end bytes tell; indentation is mostly blanks by fours, so those
// are skipped four at a time first.
inline std::string_view trimView(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (s.empty() || (!blank(s.front()) && !blank(s.back()))) return s;
    std::size_t b = 0, e = s.size();
    for (std::uint32_t four; b + 4 <= e; b += 4) {
        std::memcpy(&four, s.data() + b, 4);
        if (four != 0x20202020u) break;
    }
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}
std::string trim(std::string_view s);

// Inline, with the first byte compared before the rest: the passes test many prefixes on every line.
inline bool startsWith(std::string_view s, std::string_view prefix) {
    if (prefix.size() > s.size()) return false;
    if (prefix.empty()) return true;
    return s[0] == prefix[0] && s.compare(0, prefix.size(), prefix) == 0;
}
bool endsWith(std::string_view s, std::string_view suffix);
inline bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

// True when a byte of `s` is above 0x7F: the text is more than ASCII, and its code page matters.
// Many bytes at a time (32, then 8): it runs over whole source files (code page detection, every
// text decoded).
inline bool hasHighByte(std::string_view s) {
    std::size_t i = 0;
    // Texts are mostly ASCII and read to their end: four words are tested at once.
    for (; i + 32 <= s.size(); i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, s.data() + i, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) return true;
    }
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, s.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL) return true;
    }
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return true;
    return false;
}

// ASCII lower/upper case; bytes above 0x7F are left as they are.
std::string toLower(std::string_view s);
std::string toUpper(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Position of `part` in `s` ignoring ASCII case, or npos.
std::size_t findIgnoreCase(std::string_view s, std::string_view part, std::size_t from = 0);

// Splits at every occurrence of `sep`; an empty input gives one empty part.
std::vector<std::string> split(std::string_view s, std::string_view sep);
// Splits at every `sep` that lies outside double-quoted literals (an unclosed literal runs to the
// end); views of `s`, untrimmed, empty parts kept.
std::vector<std::string_view> splitOutsideLiterals(std::string_view s, char sep);
// The same parts, handed to visit(part) in order without a list.
template <class Visit>
void forEachOutsideLiterals(std::string_view s, char sep, Visit&& visit) {
    const char* const data = s.data();
    std::size_t start = 0;
    // Without a literal, every separator splits: they are found with memchr, not byte by byte.
    if (s.empty() || std::memchr(data, '"', s.size()) == nullptr) {
        while (const void* hit = s.empty() ? nullptr : std::memchr(data + start, sep, s.size() - start)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
            visit(s.substr(start, at - start));
            start = at + 1;
        }
        visit(s.substr(start));
        return;
    }
    bool inLiteral = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') inLiteral = !inLiteral;
        if (s[i] == sep && !inLiteral) {
            visit(s.substr(start, i - start));
            start = i + 1;
        }
    }
    visit(s.substr(start));
}

// Replaces every occurrence of `from` (non-empty) by `to`.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

// Decimal text of an integer, "-" in front when negative.
std::string toDecimal(long long value);

}  // namespace tally
