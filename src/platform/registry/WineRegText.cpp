#include "platform/registry/WineRegText.h"

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally::winereg {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isOctal(char16_t c) {
    return c >= '0' && c <= '7';
}

void appendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// The character behind a backslash: one of the C letters, \x with up to four hex digits, octal with
// up to three digits, or else the character itself (which covers \\ and \").
char16_t readEscape(std::string_view text, std::size_t& at) {
    const char c = text[at];
    switch (c) {
        case 'a':
            ++at;
            return u'\a';
        case 'b':
            ++at;
            return u'\b';
        case 'e':
            ++at;
            return 0x1B;
        case 'f':
            ++at;
            return u'\f';
        case 'n':
            ++at;
            return u'\n';
        case 'r':
            ++at;
            return u'\r';
        case 't':
            ++at;
            return u'\t';
        case 'v':
            ++at;
            return u'\v';
        default:
            break;
    }
    if (c == 'x' && at + 1 < text.size() && hexDigit(text[at + 1]) >= 0) {
        ++at;
        unsigned value = 0;
        for (int n = 0; n < 4 && at < text.size() && hexDigit(text[at]) >= 0; ++n)
            value = value * 16 + hexDigit(text[at++]);
        return static_cast<char16_t>(value);
    }
    if (c >= '0' && c <= '7') {
        unsigned value = 0;
        for (int n = 0; n < 3 && at < text.size() && text[at] >= '0' && text[at] <= '7'; ++n)
            value = value * 8 + (text[at++] - '0');
        return static_cast<char16_t>(value);
    }
    ++at;
    return static_cast<unsigned char>(c);
}

}  // namespace

std::u16string ansiToUnits(std::string_view ansi) {
    std::u16string units;
    units.reserve(ansi.size());
    for (char c : ansi)
        units.push_back(static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(c))));
    return units;
}

std::string unitsToAnsi(std::u16string_view units, bool* lossy) {
    std::string ansi;
    ansi.reserve(units.size());
    bool lost = false;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDFFF) {
            if (u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) ++i;
            ansi.push_back('?');
            lost = true;
            continue;
        }
        const int byte = windows1252ByteOf(u);
        lost = lost || byte < 0;
        ansi.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    if (lossy) *lossy = lost;
    return ansi;
}

std::u16string foldedUnits(std::u16string_view units) {
    std::u16string folded(units);
    for (char16_t& u : folded)
        if (u >= u'A' && u <= u'Z') u = static_cast<char16_t>(u - u'A' + u'a');
    return folded;
}

std::u16string unitsOfUtf16le(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return units;
}

std::string utf16leOfUnits(std::u16string_view units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::optional<std::u16string> readEscaped(std::string_view text, std::size_t& at, char endChar) {
    std::u16string out;
    while (at < text.size()) {
        const char c = text[at];
        if (c == endChar) {
            ++at;
            return out;
        }
        if (c == '\n' || c == '\r') return std::nullopt;
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            if (++at >= text.size()) return std::nullopt;
            out.push_back(readEscape(text, at));
        } else if (byte < 0x80) {
            out.push_back(byte);
            ++at;
        } else {
            const std::size_t from = at;
            const char32_t cp = nextUtf8CodePoint(text, at);
            // A malformed sequence moves one byte on: that byte was written in the ANSI code page.
            if (at == from + 1)
                out.push_back(static_cast<char16_t>(windows1252CodePoint(byte)));
            else
                appendCodePoint(out, cp);
        }
    }
    return std::nullopt;
}

std::string writeEscaped(std::u16string_view units, std::string_view alsoEscaped) {
    static constexpr char kLetters[33] = ".......abtnvfr.............e....";
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(units.size() + 8);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        const char16_t next = i + 1 < units.size() ? units[i + 1] : 0;
        if (u > 127) {
            // Four digits when a hex digit follows, so the reader does not take it into the number.
            const bool pad = next < 128 && hexDigit(static_cast<char>(next)) >= 0;
            out += "\\x";
            bool started = pad;
            for (int shift = 12; shift >= 0; shift -= 4) {
                const unsigned digit = (u >> shift) & 0xF;
                if (digit != 0 || shift == 0) started = true;
                if (started) out.push_back(kHex[digit]);
            }
        } else if (u < 32) {
            out.push_back('\\');
            if (kLetters[u] != '.') {
                out.push_back(kLetters[u]);
            } else {
                // Three digits when an octal digit follows, for the same reason.
                const bool pad = isOctal(next);
                if (pad || u >= 8) {
                    if (pad) out.push_back(static_cast<char>('0' + (u >> 6)));
                    out.push_back(static_cast<char>('0' + ((u >> 3) & 7)));
                }
                out.push_back(static_cast<char>('0' + (u & 7)));
            }
        } else {
            const char c = static_cast<char>(u);
            if (c == '\\' || alsoEscaped.find(c) != std::string_view::npos) out.push_back('\\');
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace tally::winereg
