#include "core/text/TextOps.h"

#include <algorithm>
#include <cstring>

namespace tally {

namespace {
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::string trim(std::string_view s) {
    return std::string(trimView(s));
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string toLower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

std::string toUpper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), upperAscii);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

std::size_t findIgnoreCase(std::string_view s, std::string_view part, std::size_t from) {
    if (part.empty()) return from <= s.size() ? from : std::string_view::npos;
    if (part.size() > s.size() || from > s.size() - part.size()) return std::string_view::npos;
    const std::size_t last = s.size() - part.size();  // the last place the part fits at
    auto matchesAt = [&](std::size_t i) {
        std::size_t j = 0;
        while (j < part.size() && lowerAscii(s[i + j]) == lowerAscii(part[j])) ++j;
        return j == part.size();
    };
    // A byte of the part without cases (the blank of " as ", the dot of "nodes.add") is found with
    // memchr, and the part compared around each one, in order of the places they give.
    std::size_t k = 0;
    while (k < part.size() && lowerAscii(part[k]) != upperAscii(part[k])) ++k;
    if (k < part.size()) {
        for (std::size_t i = from; i <= last;) {
            const void* hit = std::memchr(s.data() + i + k, part[k], last - i + 1);
            if (!hit) return std::string_view::npos;
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data()) - k;
            if (matchesAt(i)) return i;
            ++i;
        }
        return std::string_view::npos;
    }
    // All letters: the first is tested against both of its cases before the rest is compared.
    const char first = lowerAscii(part[0]), firstUpper = upperAscii(part[0]);
    for (std::size_t i = from; i <= last; ++i)
        if ((s[i] == first || s[i] == firstUpper) && matchesAt(i)) return i;
    return std::string_view::npos;
}

std::vector<std::string> split(std::string_view s, std::string_view sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t at = sep.empty() ? std::string_view::npos : s.find(sep, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(s.substr(start));
            return parts;
        }
        parts.emplace_back(s.substr(start, at - start));
        start = at + sep.size();
    }
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t start = 0;
    while (true) {
        std::size_t at = s.find(from, start);
        if (at == std::string_view::npos) break;
        out.append(s.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(s.substr(start));
    return out;
}

std::string toDecimal(long long value) {
    return std::to_string(value);
}

std::vector<std::string_view> splitOutsideLiterals(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    // Room for a declaration's usual few names at once, not a block per doubling.
    parts.reserve(8);
    forEachOutsideLiterals(s, sep, [&](std::string_view part) { parts.push_back(part); });
    return parts;
}

}  // namespace tally
